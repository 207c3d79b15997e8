#include "store/ErrorBook.h"

#include "store/DictSchema.h"
#include "store/DictTable.h"
#include "store/SqliteStatement.h"

#include <sqlite3.h>

namespace {

// The book's definition as this program writes it. The order index keeps the next word a single
// index step at any size of the book.
constexpr SideTable kErrorBookTables[] = {
    {"table", "ErrorBook",
     "CREATE TABLE ErrorBook (word TEXT COLLATE " DICT_COLLATION " PRIMARY KEY NOT NULL,"
     " misses INTEGER NOT NULL,"
     " last_miss INTEGER NOT NULL, right_in_row INTEGER NOT NULL)"},
    {"index", "ErrorBookOrder", "CREATE INDEX ErrorBookOrder ON ErrorBook(misses DESC, last_miss, word)"},
};

} // namespace

ErrorBook::ErrorBook(TDictTable& table) : tables_(table, kErrorBookTables) {}

bool ErrorBook::Usable()
{
    return tables_.Usable();
}

void ErrorBook::RecordMiss(std::string_view word, std::int64_t now)
{
    if (!Ready(true))
        return;
    SqliteStatement upsert(
        Connection(), "INSERT INTO ErrorBook (word, misses, last_miss, right_in_row) VALUES (?1, 1, ?2, 0)"
                      " ON CONFLICT(word) DO UPDATE SET misses = misses + 1, last_miss = ?2,"
                      " right_in_row = 0");
    upsert.Bind(1, word).Bind(2, now).Step();
}

bool ErrorBook::RecordRight(std::string_view word)
{
    if (!Ready(false))
        return false;
    sqlite3* db = Connection();
    // One statement each, so that a kill between them leaves either the raised run or the retired
    // word, never a run of 2 still in the book.
    SqliteStatement retire(db, "DELETE FROM ErrorBook WHERE word = ?1 AND right_in_row >= 1");
    retire.Bind(1, word).Step();
    if (sqlite3_changes(db) > 0)
        return true;
    SqliteStatement raise(db, "UPDATE ErrorBook SET right_in_row = right_in_row + 1 WHERE word = ?1");
    raise.Bind(1, word).Step();
    return false;
}

void ErrorBook::Forget(std::string_view word)
{
    if (!Ready(false))
        return;
    SqliteStatement forget(Connection(), "DELETE FROM ErrorBook WHERE word = ?1");
    forget.Bind(1, word).Step();
}

std::optional<std::string> ErrorBook::NextWord()
{
    if (!Ready(false))
        return std::nullopt;
    SqliteStatement next(Connection(),
                         "SELECT word FROM ErrorBook ORDER BY misses DESC, last_miss, word LIMIT 1");
    if (!next.Step())
        return std::nullopt;
    return next.Text(0);
}

int ErrorBook::Count()
{
    if (!Ready(false))
        return 0;
    SqliteStatement count(Connection(), "SELECT count(*) FROM ErrorBook");
    count.Step();
    return static_cast<int>(count.Integer(0));
}

std::vector<MissedWord> ErrorBook::Words()
{
    std::vector<MissedWord> words;
    if (!Ready(false))
        return words;
    SqliteStatement all(Connection(),
                        "SELECT word, misses FROM ErrorBook ORDER BY misses DESC, last_miss, word");
    while (all.Step())
        words.push_back({all.Text(0), static_cast<int>(all.Integer(1))});
    return words;
}
