#include "store/TableFill.h"

#include "store/DictError.h"
#include "store/DictSchema.h"
#include "store/SqliteStatement.h"
#include "store/WorkWhileWaiting.h"

#include <algorithm>
#include <sqlite3.h>
#include <thread>

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

// One helper for each core beside the one that sorts, up to three: more gain nothing measurable.
unsigned SortHelperThreads()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 1 ? std::min(cores - 1, 3u) : 0;
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
    if (heldCount_ == held_.size())
        held_.emplace_back();
    Row& row = held_[heldCount_++];
    row.id = id;
    row.word.assign(word);
    row.interpret.assign(interpret);
    row.remark.assign(remark);
    words_->Add(word, id);
    if (heldCount_ == kRowsPerWrite)
        Write();
    return id;
}

void TableFill::Write()
{
    if (heldCount_ == 0)
        return;
    std::unique_ptr<SqliteStatement> shorter; // the group before a seek or the end
    if (heldCount_ < kRowsPerWrite)
        shorter = std::make_unique<SqliteStatement>(db_, InsertSql(heldCount_).c_str());
    SqliteStatement& insert = shorter ? *shorter : insert_->Reset();
    for (std::size_t i = 0; i < heldCount_; ++i) {
        const Row& row = held_[i];
        const int first = static_cast<int>(4 * i) + 1;
        insert.Bind(first, row.id).BindUnowned(first + 1, row.word).BindUnowned(first + 2, row.interpret);
        insert.BindUnowned(first + 3, row.remark);
    }
    // The group is given up whether it is stored or not: a failed group is not stored. The
    // statement lets go of its texts before they go.
    try {
        insert.Step();
    } catch (const DictError&) {
        insert.Reset();
        heldCount_ = 0;
        throw;
    }
    insert.Reset();
    heldCount_ = 0;
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
    // The engine's sort takes helper threads when it is allowed them: on a machine of several
    // cores the indexes are made in about two thirds of the time.
    const std::string threads = "PRAGMA threads = " + std::to_string(SortHelperThreads());
    ExecuteSql(db_, threads.c_str());
    RunWhileWaiting([db = db_] { ExecuteSql(db, kCreateIndexesSql); }, whileWaiting);
    ExecuteSql(db_, "PRAGMA threads = 0");
}
