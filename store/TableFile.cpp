#include "store/TableFile.h"

#include "store/DictSchema.h"
#include "store/DictTable.h"
#include "store/SqliteStatement.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <optional>
#include <sqlite3.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

TableFileState StateOfEngineError(int code)
{
    switch (TroubleOfEngineCode(code)) {
    case DictTrouble::Damaged:
        return TableFileState::Damaged;
    case DictTrouble::Locked:
        return TableFileState::Locked;
    default:
        return TableFileState::Unopenable;
    }
}

// The first of the record's fields that the table lacks, or nothing when it has them all.
std::optional<std::string> MissingField(sqlite3* db)
{
    std::array<bool, 4> found{};
    static constexpr std::array<const char*, 4> kFields{"ID", "word", "interpret", "remark"};
    SqliteStatement columns(db, "SELECT name FROM pragma_table_info('DORori')");
    while (columns.Step()) {
        const std::string name = columns.Text(0);
        for (std::size_t i = 0; i < kFields.size(); ++i)
            found[i] = found[i] || sqlite3_stricmp(name.c_str(), kFields[i]) == 0;
    }
    const auto lacking = std::find(found.begin(), found.end(), false);
    if (lacking == found.end())
        return std::nullopt;
    return kFields[static_cast<std::size_t>(lacking - found.begin())];
}

// The first trigger or view the file holds, named, or nothing. The program defines neither, and a
// file that holds one was made to run code of someone else's.
std::optional<std::string> CodeItHolds(sqlite3* db)
{
    SqliteStatement code(db,
                         "SELECT type, name FROM sqlite_schema WHERE type IN ('trigger', 'view') LIMIT 1");
    if (!code.Step())
        return std::nullopt;
    return "holds a " + code.Text(0) + ": " + code.Text(1);
}

// Looks into a database file through a connection that only reads, of the access the caller
// needs; a table's connection goes to `opened` when that is given, able to write again.
TableFileLook LookInto(const std::string& path, TableAccess access, TableConnection* opened)
{
    TableFileLook check{TableFileState::Table, {}};
    try {
        TableConnection db = OpenTableConnection(path, access);
        ExecuteSql(db.get(), "PRAGMA query_only = 1");
        SqliteStatement tables(db.get(),
                               "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = 'DORori' "
                               "COLLATE NOCASE");
        if (!tables.Step() || tables.Integer(0) == 0)
            check = {TableFileState::Foreign, "no such table: DORori"};
        else if (const auto field = MissingField(db.get()))
            check = {TableFileState::Foreign, "no such column: " + *field};
        else if (const auto code = CodeItHolds(db.get()))
            check = {TableFileState::Foreign, *code};
        if (opened && check.state == TableFileState::Table) {
            tables.Reset();
            ExecuteSql(db.get(), "PRAGMA query_only = 0");
            *opened = std::move(db);
        }
    } catch (const DictError& error) {
        check = {StateOfEngineError(error.Code()), error.what(), error.Code()};
    }
    return check;
}

// What an engine's refusal to open the table means to the user; an error it does not name keeps
// the table closed all the same.
DictTrouble TroubleOpening(int code)
{
    const DictTrouble trouble = TroubleOfEngineCode(code);
    return trouble == DictTrouble::None ? DictTrouble::Unopenable : trouble;
}

} // namespace

bool TableFileMissing(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) != 0 || (S_ISREG(info.st_mode) && info.st_size == 0);
}

TableFileLook LookAtTableFile(const std::string& path, TableAccess access, TableConnection* opened)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT ? TableFileLook{TableFileState::Missing, {}}
                               : TableFileLook{TableFileState::Unopenable, strerrordesc_np(errno)};
    if (S_ISDIR(info.st_mode))
        return {TableFileState::Foreign, "is a folder"};
    if (!S_ISREG(info.st_mode))
        return {TableFileState::Foreign, "not a regular file"};
    if (info.st_size == 0)
        return {TableFileState::Missing, {}};
    return LookInto(path, access, opened);
}

void CreateTableFile(const std::string& path)
{
    if (!TableFileMissing(path))
        return;
    // Build the table beside its final name and move it into place complete, so a failure never
    // leaves a half-made file that a later start would take for the table.
    const std::string building = path + ".creating";
    std::error_code ignored;
    fs::remove(building, ignored);
    fs::remove(building + "-journal", ignored);
    try {
        TableConnection db = OpenTableConnection(building, TableAccess::Create);
        ExecuteSql(db.get(), "PRAGMA journal_mode=DELETE; BEGIN;");
        ExecuteSql(db.get(), kCreateWordTableSql);
        ExecuteSql(db.get(), kCreateIndexesSql);
        ExecuteSql(db.get(), "COMMIT;"
                             "PRAGMA journal_mode=WAL;");
        if (sqlite3_close(db.get()) != SQLITE_OK)
            throw DictError::OfConnection(db.get());
        db.release(); // closed
        fs::rename(building, path);
    } catch (const DictError&) {
        fs::remove(building, ignored);
        throw;
    } catch (const std::exception& error) {
        fs::remove(building, ignored);
        throw DictError(error.what(), 0, path);
    }
}

std::filesystem::path TablePath(const std::filesystem::path& folder)
{
    return folder / "data" / "DORori.db";
}

bool TableToCreate(const std::filesystem::path& folder)
{
    return TableFileMissing(TablePath(folder).string());
}

OpenResult OpenOrCreateTable(const std::filesystem::path& folder, TDictTable& table)
{
    const fs::path path = TablePath(folder);
    std::error_code error;
    // The program's folder exists; the one in the user's data folder may need its parents too.
    fs::create_directories(path.parent_path(), error);
    if (error)
        return {OpenOutcome::Failed, DictTrouble::FolderNotMade, path.parent_path(),
                strerrordesc_np(error.value())};
    // Nothing is written to a file before it is known to be the table; the connection that found
    // out opens it.
    TableConnection connection;
    const TableFileLook check = LookAtTableFile(path.string(), TableAccess::ReadWrite, &connection);
    if (check.state == TableFileState::Missing) {
        try {
            CreateTableFile(path.string());
        } catch (const std::exception& failure) {
            return {OpenOutcome::Failed, DictTrouble::TableNotMade, path, failure.what()};
        }
        const TableFileLook made = LookAtTableFile(path.string(), TableAccess::ReadWrite, &connection);
        if (made.state == TableFileState::Missing)
            return {OpenOutcome::TableMissing};
        if (made.state != TableFileState::Table)
            return {OpenOutcome::Failed, TroubleOpening(made.code), path, made.detail};
    } else if (check.state == TableFileState::Foreign) {
        return {OpenOutcome::Failed, DictTrouble::Foreign, path, check.detail};
    } else if (check.state != TableFileState::Table) {
        return {OpenOutcome::Failed, TroubleOpening(check.code), path, check.detail};
    }
    try {
        table.Open(std::move(connection));
    } catch (const std::exception& failure) {
        const auto* engine = dynamic_cast<const DictError*>(&failure);
        return {OpenOutcome::Failed, TroubleOpening(engine ? engine->Code() : 0), path, failure.what()};
    }
    return {OpenOutcome::Opened};
}
