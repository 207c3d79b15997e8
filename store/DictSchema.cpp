#include "store/DictSchema.h"

#include "store/DictError.h"
#include "store/SqliteStatement.h"
#include "store/TableConnection.h"
#include "text/GbkText.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {

int CompareGbk(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return gbk::CompareNoCase(std::string_view(static_cast<const char*>(a), lengthA),
                              std::string_view(static_cast<const char*>(b), lengthB));
}

DictFileState StateOfEngineError(int code)
{
    switch (TroubleOfEngineCode(code)) {
    case DictTrouble::Damaged:
        return DictFileState::Damaged;
    case DictTrouble::Locked:
        return DictFileState::Locked;
    default:
        return DictFileState::Unopenable;
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

// Looks into a database file through a connection that only reads, of the access the caller needs.
DictFileCheck LookInto(const std::string& path, TableAccess access)
{
    DictFileCheck check{DictFileState::Table, {}};
    try {
        const TableConnection db = OpenTableConnection(path, access);
        ExecuteSql(db.get(), "PRAGMA query_only = 1");
        SqliteStatement tables(db.get(),
                               "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = 'DORori' "
                               "COLLATE NOCASE");
        if (!tables.Step() || tables.Integer(0) == 0)
            check = {DictFileState::Foreign, "no such table: DORori"};
        else if (const auto field = MissingField(db.get()))
            check = {DictFileState::Foreign, "no such column: " + *field};
        else if (const auto code = CodeItHolds(db.get()))
            check = {DictFileState::Foreign, *code};
    } catch (const DictError& error) {
        check = {StateOfEngineError(error.Code()), error.what(), error.Code()};
    }
    return check;
}

} // namespace

const char* const kCreateIndexesSql =
    "CREATE INDEX wordindex ON DORori(word COLLATE " DICT_COLLATION ");"
    "CREATE INDEX interpretindex ON DORori(interpret COLLATE " DICT_COLLATION ");";
const char* const kDropIndexesSql = "DROP INDEX wordindex; DROP INDEX interpretindex;";

bool DictTableFileMissing(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) != 0 || (S_ISREG(info.st_mode) && info.st_size == 0);
}

DictFileCheck CheckDictTableFile(const std::string& path, TableAccess access)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT ? DictFileCheck{DictFileState::Missing, {}}
                               : DictFileCheck{DictFileState::Unopenable, strerrordesc_np(errno)};
    if (S_ISDIR(info.st_mode))
        return {DictFileState::Foreign, "is a folder"};
    if (!S_ISREG(info.st_mode))
        return {DictFileState::Foreign, "not a regular file"};
    if (info.st_size == 0)
        return {DictFileState::Missing, {}};
    return LookInto(path, access);
}

void RegisterWordCollation(sqlite3* db)
{
    if (sqlite3_create_collation_v2(db, DICT_COLLATION, SQLITE_UTF8, nullptr, CompareGbk, nullptr) !=
        SQLITE_OK)
        throw DictError::OfConnection(db);
}

void CreateDictTableFile(const std::string& path)
{
    namespace fs = std::filesystem;
    if (!DictTableFileMissing(path))
        return;
    // Build the table beside its final name and move it into place complete, so a failure never
    // leaves a half-made file that a later start would take for the table.
    const std::string building = path + ".creating";
    std::error_code ignored;
    fs::remove(building, ignored);
    fs::remove(building + "-journal", ignored);
    try {
        TableConnection db = OpenTableConnection(building, TableAccess::Create);
        // IDindex is the integer primary key itself.
        ExecuteSql(db.get(), "PRAGMA journal_mode=DELETE;"
                             "BEGIN;"
                             "CREATE TABLE DORori (ID INTEGER PRIMARY KEY AUTOINCREMENT NOT NULL,"
                             " word TEXT, interpret TEXT, remark TEXT);");
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
