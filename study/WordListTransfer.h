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

private:
    StudyContext c_;
    bool running_ = false;
};
