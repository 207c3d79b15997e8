#include "dict/DictionaryOpening.h"

#include "dict/DictTable.h"

std::filesystem::path DictionaryPath(const std::filesystem::path& programDirectory)
{
    return programDirectory / "data" / "DORori.db";
}

OpenResult OpenDictionary(const std::filesystem::path& programDirectory, TDictTable& table)
{
    namespace fs = std::filesystem;
    const fs::path path = DictionaryPath(programDirectory);
    try {
        std::error_code error;
        // One level only: the parent is the program's own directory.
        fs::create_directory(path.parent_path(), error);
        if (error)
            return {OpenOutcome::Failed,
                    "Cannot create the directory " + path.parent_path().string() + ": " + error.message()};
        if (!fs::exists(path)) {
            TDictTable::CreateTable(path.string());
            if (!fs::exists(path))
                return {OpenOutcome::TableMissing, {}};
        }
        table.Open(path.string());
        return {OpenOutcome::Opened, {}};
    } catch (const std::exception& error) {
        return {OpenOutcome::Failed, error.what()};
    }
}
