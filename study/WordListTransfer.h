#pragma once
// Export of the whole word list to a text file and import (merge) of one, with progress.

#include "study/StudyContext.h"

class WordListTransfer {
public:
    explicit WordListTransfer(StudyContext context) : c_(context) {}

    void SpeedExportClick();
    void SpeedImportClick();
    // True while an export or import runs: commands that move the table, and a second export or
    // import, do nothing until it ends.
    bool Running() const { return running_; }
    // Ends a running export or import at its next record (the window is closing): an import keeps
    // what it stored, an export leaves the file it would have replaced as it was.
    void Stop() { stopping_ = running_; }

private:
    StudyContext c_;
    bool running_ = false;
    bool stopping_ = false;
};
