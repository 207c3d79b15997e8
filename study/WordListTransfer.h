#pragma once
// Export of the whole word list to a text file and import (merge) of one, with progress; the graded
// lists that come with the program are merged the same way.

#include "study/StudyContext.h"

#include <string>
#include <utility>

class WordListTransfer {
public:
    // `gradedListsFolder` holds the graded word lists that come with the program.
    explicit WordListTransfer(StudyContext context, std::string gradedListsFolder = {})
        : c_(context), gradedListsFolder_(std::move(gradedListsFolder))
    {
    }

    void SpeedExportClick();
    void SpeedImportClick();
    // "导入词表…": one of the graded lists, chosen in a dialog, merged as any imported list.
    void MenuItem_wordlistsClick();
    // True while an export or import runs: commands that move the table, and a second export or
    // import, do nothing until it ends.
    bool Running() const { return running_; }
    // Ends a running export or import at its next record (the window is closing): an import keeps
    // what it stored, an export leaves the file it would have replaced as it was.
    void Stop() { stopping_ = running_; }

private:
    void Import(const std::string& path);

    StudyContext c_;
    std::string gradedListsFolder_;
    bool running_ = false;
    bool stopping_ = false;
};
