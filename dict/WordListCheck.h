#pragma once
// The word list checked from outside the window: opened read-only with the word collation its
// indexes are built with (a tool without it cannot check them), then the engine's integrity check
// and the record count. Nothing in the file changes.

#include <string>

struct WordListCheckResult {
    bool whole;
    std::string report; // lines for the terminal: the file, the check's findings, the record count
};

WordListCheckResult CheckWordList(const std::string& path);
