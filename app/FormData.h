#pragma once
// The data form: owns the word table for the whole run and opens it after the main window exists.

#include "dict/DictTable.h"
#include "dict/DictionaryOpening.h"

#include <filesystem>

class TFormData {
public:
    // Opens the table beside the program, creating it on the first run.
    OpenResult FormCreate(const std::filesystem::path& programDirectory)
    {
        return OpenDictionary(programDirectory, DictTable);
    }

    TDictTable DictTable;
};
