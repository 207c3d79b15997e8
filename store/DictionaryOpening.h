#pragma once
// Opening the word table at start: the data directory in the folder TableFolder chose (made with
// its parents when missing), the table created on the first run, then opened. A file at the table's place
// that is not the table is never changed.

#include "store/DictError.h"

#include <filesystem>
#include <string>

class TDictTable;

enum class OpenOutcome {
    Opened,
    TableMissing, // creation reported success, yet there is no table file: the program must end
    Failed,       // a message to show; the table stays closed
};

struct OpenResult {
    OpenOutcome outcome;
    // When Failed, what kept the table closed, for the start's message (study/ErrorReport): the
    // trouble, the table file (or its folder, when that could not be made) and the engine's or the
    // system's own text.
    DictTrouble trouble = DictTrouble::None;
    std::filesystem::path path = {};
    std::string detail = {};
};

OpenResult OpenDictionary(const std::filesystem::path& folder, TDictTable& table);

// True when OpenDictionary would first make the table (the first run): there is no file at the
// table's place (or it cannot be looked at), or one of zero bytes. Finding out writes nothing.
bool DictionaryToCreate(const std::filesystem::path& folder);

// folder/data/DORori.db
std::filesystem::path DictionaryPath(const std::filesystem::path& folder);
