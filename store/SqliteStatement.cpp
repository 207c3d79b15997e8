#include "store/SqliteStatement.h"

#include "store/DictError.h"

#include <sqlite3.h>

SqliteStatement::SqliteStatement(sqlite3* db, const char* sql) : db_(db)
{
    if (sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement_, nullptr) != SQLITE_OK)
        throw DictError::OfConnection(db);
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(statement_);
}

SqliteStatement& SqliteStatement::Reset()
{
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::string_view text)
{
    sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    return *this;
}

SqliteStatement& SqliteStatement::BindUnowned(int index, std::string_view text)
{
    sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::int64_t value)
{
    sqlite3_bind_int64(statement_, index, value);
    return *this;
}

SqliteStatement& SqliteStatement::BindReal(int index, double value)
{
    sqlite3_bind_double(statement_, index, value);
    return *this;
}

bool SqliteStatement::Step()
{
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    DictError error = DictError::OfConnection(db_); // before the reset, which may change it
    sqlite3_reset(statement_);
    throw error;
}

const char* SqliteStatement::Sql() const
{
    return sqlite3_sql(statement_);
}

std::int64_t SqliteStatement::Integer(int column) const
{
    return sqlite3_column_int64(statement_, column);
}

double SqliteStatement::Real(int column) const
{
    return sqlite3_column_double(statement_, column);
}

std::string SqliteStatement::Text(int column) const
{
    return std::string(TextView(column));
}

std::string_view SqliteStatement::TextView(int column) const
{
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement_, column));
    return bytes ? std::string_view(bytes, sqlite3_column_bytes(statement_, column)) : std::string_view();
}

void ExecuteSql(sqlite3* db, const char* sql)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw DictError::OfConnection(db);
}

void InTransaction(sqlite3* db, const std::function<void()>& work)
{
    ExecuteSql(db, "BEGIN IMMEDIATE");
    try {
        work();
        ExecuteSql(db, "COMMIT");
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}
