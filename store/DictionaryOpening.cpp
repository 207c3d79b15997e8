#include "store/DictionaryOpening.h"

#include "store/DictSchema.h"
#include "store/DictTable.h"

#include <cstring>

namespace fs = std::filesystem;

namespace {

// What an engine's refusal to open the table means to the user; an error it does not name keeps
// the table closed all the same.
DictTrouble TroubleOpening(int code)
{
    const DictTrouble trouble = TroubleOfEngineCode(code);
    return trouble == DictTrouble::None ? DictTrouble::Unopenable : trouble;
}

} // namespace

std::filesystem::path DictionaryPath(const std::filesystem::path& folder)
{
    return folder / "data" / "DORori.db";
}

bool DictionaryToCreate(const std::filesystem::path& folder)
{
    return DictTableFileMissing(DictionaryPath(folder).string());
}

OpenResult OpenDictionary(const std::filesystem::path& folder, TDictTable& table)
{
    const fs::path path = DictionaryPath(folder);
    std::error_code error;
    // The program's folder exists; the one in the user's data folder may need its parents too.
    fs::create_directories(path.parent_path(), error);
    if (error)
        return {OpenOutcome::Failed, DictTrouble::FolderNotMade, path.parent_path(),
                strerrordesc_np(error.value())};
    // Nothing is written to a file before it is known to be the table.
    const DictFileCheck check = CheckDictTableFile(path.string());
    if (check.state == DictFileState::Missing) {
        try {
            TDictTable::CreateTable(path.string());
        } catch (const std::exception& failure) {
            return {OpenOutcome::Failed, DictTrouble::TableNotMade, path, failure.what()};
        }
        if (CheckDictTableFile(path.string()).state == DictFileState::Missing)
            return {OpenOutcome::TableMissing};
    } else if (check.state == DictFileState::Foreign) {
        return {OpenOutcome::Failed, DictTrouble::Foreign, path, check.detail};
    } else if (check.state != DictFileState::Table) {
        return {OpenOutcome::Failed, TroubleOpening(check.code), path, check.detail};
    }
    try {
        table.Open(path.string());
    } catch (const std::exception& failure) {
        const auto* engine = dynamic_cast<const DictError*>(&failure);
        return {OpenOutcome::Failed, TroubleOpening(engine ? engine->Code() : 0), path, failure.what()};
    }
    return {OpenOutcome::Opened};
}
