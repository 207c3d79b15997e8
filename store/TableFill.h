#pragma once
// The fill of an empty table, inside the batch's one transaction: both indexes are dropped until
// it finishes, each record is held and then written a few dozen at a time under the ID the engine
// would have given it (every statement that adds to a table also reads and writes its ID counter),
// and the words added so far answer exact seeks from a set of their hashes.

#include "store/WordIdSet.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

class RowGroup;
struct sqlite3;

class TableFill {
public:
    // Drops the indexes of the empty table on `db`; the caller's transaction holds the whole fill.
    explicit TableFill(sqlite3* db);
    ~TableFill();
    TableFill(const TableFill&) = delete;
    TableFill& operator=(const TableFill&) = delete;

    // Holds a new record; the ID it is stored under.
    std::int64_t Add(std::string_view word, std::string_view interpret, std::string_view remark);
    // Writes the records held so far, which reading the table must see. Throws DictError; the
    // records of that group are then not stored.
    void Write();
    // The first record added with `word`, letter case aside, that `isWord(id)` confirms; 0 when none.
    std::int64_t Find(std::string_view word, const std::function<bool(std::int64_t id)>& isWord) const;
    // Writes what is held and makes both indexes by one sort, while `whileWaiting` is called every
    // few milliseconds; the set of words is given up first, so that the sort has its memory.
    void Finish(const std::function<void()>& whileWaiting);

private:
    sqlite3* db_;
    std::unique_ptr<WordIdSet> words_;
    std::int64_t nextId_;
    std::unique_ptr<RowGroup> held_;
};
