#include "store/RowGroup.h"

#include "store/DictError.h"
#include "store/SqliteStatement.h"

#include <algorithm>

namespace {

constexpr std::size_t kRowsPerWrite = 32;

std::string InsertSql(GroupFailure failure, std::size_t rows)
{
    std::string sql = failure == GroupFailure::GroupOnly ? "INSERT" : "INSERT OR FAIL";
    sql += " INTO DORori (ID, word, interpret, remark) VALUES (?, ?, ?, ?)";
    for (std::size_t i = 1; i < rows; ++i)
        sql += ", (?, ?, ?, ?)";
    return sql;
}

} // namespace

std::int64_t NextRecordId(sqlite3* db)
{
    SqliteStatement stored(db, "SELECT max(ID) FROM DORori");
    std::int64_t largest = stored.Step() ? stored.Integer(0) : 0; // an empty table gives NULL, read as 0
    SqliteStatement counter(db, "SELECT count(*) FROM sqlite_master WHERE name = 'sqlite_sequence'");
    if (!counter.Step() || counter.Integer(0) == 0)
        return largest + 1;
    SqliteStatement given(db, "SELECT seq FROM sqlite_sequence WHERE name = 'DORori'");
    if (given.Step())
        largest = std::max(largest, given.Integer(0));
    return largest + 1;
}

RowGroup::RowGroup(sqlite3* db, GroupFailure failure)
    : db_(db), failure_(failure),
      insert_(std::make_unique<SqliteStatement>(db, InsertSql(failure, kRowsPerWrite).c_str()))
{
}

RowGroup::~RowGroup() = default;

bool RowGroup::Hold(std::int64_t id, std::string_view word, std::string_view interpret,
                    std::string_view remark)
{
    if (count_ == rows_.size())
        rows_.emplace_back();
    Row& row = rows_[count_++];
    row.id = id;
    row.word.assign(word);
    row.interpret.assign(interpret);
    row.remark.assign(remark);
    return count_ == kRowsPerWrite;
}

void RowGroup::Write()
{
    if (count_ == 0)
        return;
    std::unique_ptr<SqliteStatement> shorter; // the group before a seek or the end
    if (count_ < kRowsPerWrite)
        shorter = std::make_unique<SqliteStatement>(db_, InsertSql(failure_, count_).c_str());
    SqliteStatement& insert = shorter ? *shorter : insert_->Reset();
    for (std::size_t i = 0; i < count_; ++i) {
        const Row& row = rows_[i];
        const int first = static_cast<int>(4 * i) + 1;
        insert.Bind(first, row.id).BindUnowned(first + 1, row.word).BindUnowned(first + 2, row.interpret);
        insert.BindUnowned(first + 3, row.remark);
    }
    // The group is given up whether it is stored or not. The statement lets go of its texts before
    // they go.
    try {
        insert.Step();
    } catch (const DictError&) {
        insert.Reset();
        count_ = 0;
        throw;
    }
    insert.Reset();
    count_ = 0;
}
