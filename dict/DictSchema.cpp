#include "dict/DictSchema.h"

#include "dict/DictError.h"
#include "dict/SqliteStatement.h"
#include "platform/GbkText.h"

#include <filesystem>
#include <sqlite3.h>

namespace {

int CompareGbk(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return gbk::CompareNoCase(std::string_view(static_cast<const char*>(a), lengthA),
                              std::string_view(static_cast<const char*>(b), lengthB));
}

} // namespace

const char* const kCreateIndexesSql =
    "CREATE INDEX wordindex ON DORori(word COLLATE " DICT_COLLATION ");"
    "CREATE INDEX interpretindex ON DORori(interpret COLLATE " DICT_COLLATION ");";
const char* const kDropIndexesSql = "DROP INDEX wordindex; DROP INDEX interpretindex;";

void RegisterWordCollation(sqlite3* db)
{
    if (sqlite3_create_collation_v2(db, DICT_COLLATION, SQLITE_UTF8, nullptr, CompareGbk, nullptr) !=
        SQLITE_OK)
        throw DictError(sqlite3_errmsg(db));
}

void CreateDictTableFile(const std::string& path)
{
    namespace fs = std::filesystem;
    if (fs::exists(path))
        return;
    // Build the table beside its final name and move it into place complete, so a failure never
    // leaves a half-made file that a later start would take for the table.
    const std::string building = path + ".creating";
    std::error_code ignored;
    fs::remove(building, ignored);
    fs::remove(building + "-journal", ignored);
    sqlite3* db = nullptr;
    const int rc =
        sqlite3_open_v2(building.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    try {
        if (rc != SQLITE_OK)
            throw DictError(db ? sqlite3_errmsg(db) : "out of memory");
        RegisterWordCollation(db);
        // IDindex is the integer primary key itself.
        ExecuteSql(db, "PRAGMA journal_mode=DELETE;"
                       "BEGIN;"
                       "CREATE TABLE DORori (ID INTEGER PRIMARY KEY AUTOINCREMENT NOT NULL,"
                       " word TEXT, interpret TEXT, remark TEXT);");
        ExecuteSql(db, kCreateIndexesSql);
        ExecuteSql(db, "COMMIT;"
                       "PRAGMA journal_mode=WAL;");
        if (sqlite3_close(db) != SQLITE_OK)
            throw DictError(sqlite3_errmsg(db));
        db = nullptr;
        fs::rename(building, path);
    } catch (const std::exception& error) {
        if (db)
            sqlite3_close(db);
        fs::remove(building, ignored);
        throw DictError(error.what());
    }
}
