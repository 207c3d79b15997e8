#include "dict/TableConnection.h"

#include "dict/DictError.h"
#include "dict/DictSchema.h"

#include <sqlite3.h>
#include <utility>

namespace {

// How long a connection waits for another one's lock before it reports the table locked.
constexpr int kBusyMilliseconds = 2000;

int OpenFlags(TableAccess access)
{
    // A connection that only reads serves one thread; the table's own may commit on a thread aside.
    switch (access) {
    case TableAccess::Create:
        return SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    case TableAccess::ReadWrite:
        return SQLITE_OPEN_READWRITE;
    case TableAccess::ReadOnly:
        return SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX;
    }
    return 0;
}

} // namespace

void TableConnectionCloser::operator()(sqlite3* db) const
{
    sqlite3_close_v2(db);
}

TableConnection OpenTableConnection(const std::string& path, TableAccess access)
{
    sqlite3* opened = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &opened, OpenFlags(access), nullptr);
    TableConnection db(opened);
    if (rc != SQLITE_OK)
        throw DictError::OfConnection(db.get(), path);
    // Before any statement reads the schema: nothing the file defines may run.
    static constexpr std::pair<int, int> kSettings[] = {
        {SQLITE_DBCONFIG_ENABLE_TRIGGER, 0},
        {SQLITE_DBCONFIG_ENABLE_VIEW, 0},
        {SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0},
        {SQLITE_DBCONFIG_DEFENSIVE, 1},
    };
    for (const auto& [option, wanted] : kSettings) {
        int now = -1;
        if (sqlite3_db_config(db.get(), option, wanted, &now) != SQLITE_OK || now != wanted)
            throw DictError("the table engine cannot keep a file's triggers and views from running", 0, path);
    }
    RegisterWordCollation(db.get());
    sqlite3_busy_timeout(db.get(), kBusyMilliseconds);
    return db;
}
