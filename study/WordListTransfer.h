#pragma once
// Export of the whole word list to a text file and import (merge) of one, with progress.

#include "study/StudyContext.h"

#include <string>

class WordListTransfer {
public:
    WordListTransfer(StudyContext context, std::string programDirectory)
        : c_(context), programDirectory_(std::move(programDirectory))
    {
    }

    void SpeedExportClick();
    void SpeedImportClick();
    // True while an export or import runs: commands that move the table, and a second export or
    // import, do nothing until it ends.
    bool Running() const { return running_; }

private:
    StudyContext c_;
    std::string programDirectory_;
    bool running_ = false;
};
