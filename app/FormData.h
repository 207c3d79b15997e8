#pragma once
// The data form: owns the word table for the whole run and opens it after the main window exists.

#include "store/DictTable.h"
#include "store/TableFile.h"

#include <filesystem>

class TFormData {
public:
    // Opens the table in data/ of `folder`, creating it on the first run.
    OpenResult FormCreate(const std::filesystem::path& folder)
    {
        return OpenOrCreateTable(folder, DictTable);
    }

    TDictTable DictTable;
};
