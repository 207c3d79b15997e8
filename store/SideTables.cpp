#include "store/SideTables.h"

#include "store/DictTable.h"
#include "store/SqliteStatement.h"
#include "text/GbkText.h"

#include <algorithm>

sqlite3* SideTables::Connection()
{
    sqlite3* db = table_.Connection();
    if (db != checked_) {
        checked_ = db;
        shape_ = Shape::Unknown;
    }
    if (db && shape_ == Shape::Unknown) {
        SqliteStatement schema(db, "SELECT type, name, sql FROM sqlite_schema");
        std::size_t ours = 0;
        bool foreign = false;
        while (schema.Step()) {
            const auto named = [&](const SideTable& table) {
                return gbk::EqualNoCase(schema.TextView(1), table.name);
            };
            const auto entry = std::find_if(tables_.begin(), tables_.end(), named);
            if (entry == tables_.end())
                continue;
            const bool same = schema.TextView(0) == entry->type && schema.TextView(1) == entry->name &&
                              schema.TextView(2) == entry->sql;
            ours += same ? 1 : 0;
            foreign = foreign || !same;
        }
        // Some of them alone are no tables this program left: it makes them all at once.
        shape_ = foreign || (ours > 0 && ours < tables_.size()) ? Shape::Foreign
                 : ours == 0                                    ? Shape::Absent
                                                                : Shape::Ours;
    }
    return db;
}

bool SideTables::Usable()
{
    return Connection() && shape_ != Shape::Foreign;
}

bool SideTables::Ready(bool create)
{
    sqlite3* db = Connection();
    if (!db || shape_ == Shape::Foreign)
        return false;
    if (shape_ == Shape::Absent) {
        if (!create)
            return false;
        InTransaction(db, [this, db] {
            for (const SideTable& table : tables_)
                ExecuteSql(db, table.sql);
        });
        shape_ = Shape::Ours;
    }
    return true;
}
