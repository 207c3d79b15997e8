#include "store/TableFill.h"

#include "store/DictSchema.h"
#include "store/SqliteStatement.h"
#include "store/WorkWhileWaiting.h"

#include <sqlite3.h>

namespace {

constexpr std::size_t kRowsPerWrite = 32;

std::string InsertSql(std::size_t rows)
{
    std::string sql = "INSERT INTO DORori (ID, word, interpret, remark) VALUES (?, ?, ?, ?)";
    for (std::size_t i = 1; i < rows; ++i)
        sql += ", (?, ?, ?, ?)";
    return sql;
}

// The ID the engine would give the first record of the emptied table: one past the largest it
// ever gave (kept beside the table, which is made with AUTOINCREMENT), so no ID is used twice.
std::int64_t NextIdOfEmptyTable(sqlite3* db)
{
    SqliteStatement counter(db, "SELECT count(*) FROM sqlite_master WHERE name = 'sqlite_sequence'");
    if (!counter.Step() || counter.Integer(0) == 0)
        return 1;
    SqliteStatement largest(db, "SELECT seq FROM sqlite_sequence WHERE name = 'DORori'");
    return (largest.Step() ? largest.Integer(0) : 0) + 1;
}

} // namespace

TableFill::TableFill(sqlite3* db)
    : db_(db), words_(std::make_unique<WordIdSet>()), nextId_(NextIdOfEmptyTable(db)),
      insert_(std::make_unique<SqliteStatement>(db, InsertSql(kRowsPerWrite).c_str()))
{
    ExecuteSql(db_, kDropIndexesSql);
}

TableFill::~TableFill() = default;

std::int64_t TableFill::Add(std::string_view word, std::string_view interpret, std::string_view remark)
{
    const std::int64_t id = nextId_++;
    held_.push_back({id, std::string(word), std::string(interpret), std::string(remark)});
    words_->Add(word, id);
    if (held_.size() == kRowsPerWrite)
        Write();
    return id;
}

void TableFill::Write()
{
    if (held_.empty())
        return;
    std::unique_ptr<SqliteStatement> shorter; // the group before a seek or the end
    if (held_.size() < kRowsPerWrite)
        shorter = std::make_unique<SqliteStatement>(db_, InsertSql(held_.size()).c_str());
    SqliteStatement& insert = shorter ? *shorter : insert_->Reset();
    for (std::size_t i = 0; i < held_.size(); ++i) {
        const Row& row = held_[i];
        const int first = static_cast<int>(4 * i) + 1;
        insert.Bind(first, row.id).Bind(first + 1, row.word).Bind(first + 2, row.interpret);
        insert.Bind(first + 3, row.remark);
    }
    held_.clear();
    insert.Step();
    insert.Reset();
}

std::int64_t TableFill::Find(std::string_view word, const std::function<bool(std::int64_t id)>& isWord) const
{
    return words_->Find(word, isWord);
}

void TableFill::Finish(const std::function<void()>& whileWaiting)
{
    Write();
    words_.reset();
    insert_.reset();
    RunWhileWaiting([db = db_] { ExecuteSql(db, kCreateIndexesSql); }, whileWaiting);
}
