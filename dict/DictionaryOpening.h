#pragma once
// Opening the word table at start: the data directory beside the program, the table created on the
// first run, then opened.

#include <filesystem>
#include <string>

class TDictTable;

enum class OpenOutcome {
    Opened,
    TableMissing, // creation reported success, yet there is no table file: the program must end
    Failed,       // an error to show in the standard error report; the table stays closed
};

struct OpenResult {
    OpenOutcome outcome;
    std::string error; // the engine's or the system's text when Failed
};

OpenResult OpenDictionary(const std::filesystem::path& programDirectory, TDictTable& table);

std::filesystem::path DictionaryPath(const std::filesystem::path& programDirectory);
