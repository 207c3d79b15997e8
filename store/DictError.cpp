#include "store/DictError.h"

#include <sqlite3.h>

DictTrouble TroubleOfEngineCode(int code)
{
    switch (code & 0xFF) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return DictTrouble::Damaged;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return DictTrouble::Locked;
    case SQLITE_READONLY:
        return DictTrouble::ReadOnly;
    case SQLITE_FULL:
        return DictTrouble::Full;
    case SQLITE_IOERR:
        return DictTrouble::InputOutput;
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        return DictTrouble::Unopenable;
    default:
        return DictTrouble::None;
    }
}

DictError::DictError(const std::string& text, int code, std::string file)
    : std::runtime_error(text), code_(code), file_(std::move(file))
{
}

DictError DictError::OfConnection(sqlite3* db, const std::string& file)
{
    if (!db)
        return DictError(sqlite3_errstr(SQLITE_NOMEM), SQLITE_NOMEM, file);
    const char* name = sqlite3_db_filename(db, "main");
    return DictError(sqlite3_errmsg(db), sqlite3_extended_errcode(db), name && *name ? name : file);
}
