#include "support/SqlText.h"

#include <sqlite3.h>

std::vector<std::string> SqlColumn(sqlite3* db, const std::string& sql, int column)
{
    std::vector<std::string> rows;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(statement) == SQLITE_ROW) {
            const auto* text = sqlite3_column_text(statement, column);
            rows.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
        }
    }
    sqlite3_finalize(statement);
    return rows;
}

std::string SqlText(sqlite3* db, const std::string& sql)
{
    const std::vector<std::string> rows = SqlColumn(db, sql);
    return rows.empty() ? std::string() : rows.front();
}
