#include "store/TableCheck.h"

#include "store/DictError.h"
#include "store/DictSchema.h"
#include "store/TableConnection.h"
#include "store/TableFile.h"

#include <sqlite3.h>
#include <sys/stat.h>

namespace {

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

// A look that writes nothing anywhere, also where nothing may be written. A log file beside the
// table holds what a running or ended program has not yet moved into it: then the check reads
// through it (its wal-index is there as well). Without one, the file alone is the table.
TableAccess AccessWritingNothing(const std::string& path)
{
    struct stat info {};
    const bool logged =
        ::stat((path + "-wal").c_str(), &info) == 0 || ::stat((path + "-journal").c_str(), &info) == 0;
    return logged ? TableAccess::ReadOnly : TableAccess::Immutable;
}

} // namespace

TableCheckResult CheckTable(const std::string& path)
{
    const TableAccess access = AccessWritingNothing(path);
    const TableFileLook file = LookAtTableFile(path, access);
    if (file.state == TableFileState::Missing)
        return {false, path + ": no word list\n"};
    if (file.state != TableFileState::Table && file.state != TableFileState::Damaged)
        return {false, path + ": " + file.detail + "\n"};

    std::string report = path + "\n";
    TableConnection connection;
    try {
        connection = OpenTableConnection(path, access);
    } catch (const DictError& error) {
        return {false, report + error.what() + "\n"};
    }
    std::string findings;
    std::string count;
    const bool checked = Collect(connection.get(), "PRAGMA integrity_check", findings);
    const bool counted = checked && Collect(connection.get(), "SELECT count(*) FROM DORori", count);
    if (!checked || !counted)
        return {false, report + findings + sqlite3_errmsg(connection.get()) + "\n"};
    report += "integrity: " + findings + "records: " + count;
    return {findings == "ok\n", report};
}
