#include "store/DictSchema.h"

#include "store/DictError.h"
#include "text/GbkText.h"

#include <sqlite3.h>

namespace {

int CompareGbk(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return gbk::CompareNoCase(std::string_view(static_cast<const char*>(a), lengthA),
                              std::string_view(static_cast<const char*>(b), lengthB));
}

} // namespace

const char* const kCreateWordTableSql = "CREATE TABLE DORori (ID INTEGER PRIMARY KEY AUTOINCREMENT NOT NULL,"
                                        " word TEXT, interpret TEXT, remark TEXT);";
const char* const kCreateIndexesSql =
    "CREATE INDEX wordindex ON DORori(word COLLATE " DICT_COLLATION ");"
    "CREATE INDEX interpretindex ON DORori(interpret COLLATE " DICT_COLLATION ");";
const char* const kDropIndexesSql = "DROP INDEX wordindex; DROP INDEX interpretindex;";

void RegisterWordCollation(sqlite3* db)
{
    if (sqlite3_create_collation_v2(db, DICT_COLLATION, SQLITE_UTF8, nullptr, CompareGbk, nullptr) !=
        SQLITE_OK)
        throw DictError::OfConnection(db);
}
