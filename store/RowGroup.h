#pragma once
// New records held back and then written a few dozen at a time, each under the ID the engine would
// have given it: every statement that adds to the table also reads and writes its ID counter, which
// makes a record added by a statement of its own cost about a third more.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class SqliteStatement;
struct sqlite3;

// The ID the engine gives the next record added to the table: one past the largest ID it holds or
// ever gave (kept beside the table, which is made with AUTOINCREMENT), so no ID is used twice.
std::int64_t NextRecordId(sqlite3* db);

// What a group that fails to be written takes with it.
enum class GroupFailure {
    // Its own records: the statement keeps a journal of the pages it changes until it ends, which
    // costs little where records are only appended.
    GroupOnly,
    // The whole transaction, as a failed addition of one record does: no journal of the several
    // pages each record changes in an indexed table. (A group of new IDs meets no constraint.)
    WholeTransaction,
};

class RowGroup {
public:
    struct Row {
        std::int64_t id = 0;
        std::string word;
        std::string interpret;
        std::string remark;
    };

    RowGroup(sqlite3* db, GroupFailure failure);
    ~RowGroup();
    RowGroup(const RowGroup&) = delete;
    RowGroup& operator=(const RowGroup&) = delete;

    // Holds a record; true once the group is full and should be written.
    bool Hold(std::int64_t id, std::string_view word, std::string_view interpret, std::string_view remark);
    // Writes the records held. Throws DictError; what is then not stored is told by the group's
    // GroupFailure. Either way the group is empty afterwards.
    void Write();
    bool Empty() const { return count_ == 0; }
    const Row* begin() const { return rows_.data(); }
    const Row* end() const { return rows_.data() + count_; }

private:
    sqlite3* db_;
    GroupFailure failure_;
    std::vector<Row> rows_; // their texts keep their memory from one group to the next
    std::size_t count_ = 0;
    std::unique_ptr<SqliteStatement> insert_; // for a full group
};
