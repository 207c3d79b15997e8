#include "store/TableConnection.h"

#include "store/DictError.h"
#include "store/DictSchema.h"

#include <filesystem>
#include <sqlite3.h>
#include <utility>

namespace {

// How long a connection waits for another one's lock before it reports the table locked.
constexpr int kBusyMilliseconds = 2000;

// "file:" and the absolute path with every byte a URI could read otherwise escaped, asking for an
// immutable file.
std::string ImmutableUri(const std::string& path)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
    std::string uri = "file://";
    for (const char byte : absolute.empty() ? path : absolute.string()) {
        const auto c = static_cast<unsigned char>(byte);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '/' || c == '-' || c == '.' || c == '_' || c == '~';
        if (plain) {
            uri += byte;
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 0xF];
        }
    }
    return uri + "?immutable=1";
}

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
    case TableAccess::Immutable:
        return SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI;
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
    const std::string name = access == TableAccess::Immutable ? ImmutableUri(path) : path;
    sqlite3* opened = nullptr;
    const int rc = sqlite3_open_v2(name.c_str(), &opened, OpenFlags(access), nullptr);
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
