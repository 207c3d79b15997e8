#pragma once
// A prepared statement of the table engine, kept for the life of the connection and run again and
// again; engine errors throw DictError with the engine's own text, its result code and the file.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, const char* sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // Ready to run again, with no values bound.
    SqliteStatement& Reset();
    // Texts are bound as TEXT: a BLOB key never matches a stored TEXT value.
    SqliteStatement& Bind(int index, std::string_view text);
    // Without a copy: `text` must stay as it is until the statement is reset.
    SqliteStatement& BindUnowned(int index, std::string_view text);
    SqliteStatement& Bind(int index, std::int64_t value);
    // Named apart: an int argument would fit both number overloads equally well.
    SqliteStatement& BindReal(int index, double value);
    // True while a row is available; false when done; throws on an engine error.
    bool Step();

    const char* Sql() const;
    std::int64_t Integer(int column) const;
    double Real(int column) const;
    // The column's bytes as they are stored, whatever their encoding.
    std::string Text(int column) const;
    // The same bytes without a copy, valid until the next Step or Reset.
    std::string_view TextView(int column) const;

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

// Runs one or more statements that return no rows.
void ExecuteSql(sqlite3* db, const char* sql);
// Runs `work` in one transaction that takes the write lock at once, committed when it returns and
// rolled back when it throws.
void InTransaction(sqlite3* db, const std::function<void()>& work);
