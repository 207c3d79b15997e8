#pragma once
// The table file checked from outside the window: opened read-only with the word collation its
// indexes are built with (a tool without it cannot check them), then the engine's integrity check
// and the record count. Nothing is written, in the file or beside it.

#include <string>

struct TableCheckResult {
    bool whole;
    std::string report; // lines for the terminal: the file, the check's findings, the record count
};

TableCheckResult CheckTable(const std::string& path);
