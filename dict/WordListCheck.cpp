#include "dict/WordListCheck.h"

#include "dict/DictSchema.h"

#include <sqlite3.h>

namespace {

struct Connection {
    sqlite3* db = nullptr;
    ~Connection() { sqlite3_close_v2(db); }
};

// Every row of `sql`'s first column, one a line; false when the statement fails.
bool Collect(sqlite3* db, const char* sql, std::string& lines)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK)
        return false;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        const auto* text = sqlite3_column_text(statement, 0);
        lines += text ? reinterpret_cast<const char*>(text) : "";
        lines += '\n';
    }
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE;
}

} // namespace

WordListCheckResult CheckWordList(const std::string& path)
{
    const DictFileCheck file = CheckDictTableFile(path);
    if (file.state == DictFileState::Missing)
        return {false, path + ": no word list\n"};
    if (file.state != DictFileState::Table && file.state != DictFileState::Damaged)
        return {false, path + ": " + file.detail + "\n"};

    Connection connection;
    std::string report = path + "\n";
    if (sqlite3_open_v2(path.c_str(), &connection.db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        report += connection.db ? sqlite3_errmsg(connection.db) : "out of memory";
        return {false, report + "\n"};
    }
    // A running program may be writing; wait for it as the program itself would.
    sqlite3_busy_timeout(connection.db, 2000);
    try {
        RegisterWordCollation(connection.db);
    } catch (const std::exception& error) {
        return {false, report + error.what() + "\n"};
    }
    std::string findings;
    std::string count;
    const bool checked = Collect(connection.db, "PRAGMA integrity_check", findings);
    const bool counted = checked && Collect(connection.db, "SELECT count(*) FROM DORori", count);
    if (!checked || !counted)
        return {false, report + findings + sqlite3_errmsg(connection.db) + "\n"};
    report += "integrity: " + findings + "records: " + count;
    return {findings == "ok\n", report};
}
