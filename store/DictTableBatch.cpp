// The batches of TDictTable: long runs of changes in shared transactions, the fill of an empty
// table without its indexes, and the larger page cache that both use meanwhile.

#include "store/DictError.h"
#include "store/DictSchema.h"
#include "store/DictTable.h"
#include "store/RecordNumberIndex.h"
#include "store/RowGroup.h"
#include "store/SqliteStatement.h"
#include "store/TableFill.h"
#include "store/WorkWhileWaiting.h"
#include "text/GbkText.h"

#include <functional>
#include <malloc.h>
#include <sqlite3.h>
#include <string>

namespace {

// A batch (an import) inserts into both indexes all over the table and reads records in word
// order, all over the table's pages. A larger page cache while it runs keeps many of those pages
// in memory instead of reading them again every few records; it is sized so that the whole
// program stays within about 80 MiB at a million words (BatchCacheKiB).
constexpr int kTrimThreshold = 128 * 1024;                            // the heap's own default
constexpr const char* kLogJournal = "PRAGMA journal_mode=WAL";        // as the table is opened
constexpr const char* kNormalCacheSize = "PRAGMA cache_size = -2000"; // the engine's default

std::string CacheSizeSql(int kib)
{
    return "PRAGMA cache_size = -" + std::to_string(kib);
}

} // namespace

bool TDictTable::SeekFilled(const std::string& word)
{
    StopWalk();
    const auto fetch = [this](std::int64_t id) {
        WriteFill(); // the record may be among those not written yet
        const bool found = byId_->Reset().Bind(1, id).Step();
        if (found)
            MoveToRow(*byId_);
        byId_->Reset();
        return found;
    };
    const std::int64_t id = fill_->Find(word, [&](std::int64_t candidate) {
        return fetch(candidate) && gbk::EqualNoCase(current_.word, word);
    });
    if (id == 0 || !fetch(id))
        return false; // the current record is not defined, as after any failed exact seek
    recNo_ = 0;
    eof_ = bof_ = false;
    return true;
}

void TDictTable::BeginBatch(std::function<void()> whileWaiting, std::uint64_t sourceBytes)
{
    RequireIndexes();
    if (batchDepth_++ > 0)
        return;
    batchWait_ = std::move(whileWaiting);
    batchChanges_ = 0;
    // The heap gives freed memory back at its usual threshold: after the engine's sort has freed a
    // large block, it would otherwise keep as much again for the rest of the run.
    mallopt(M_TRIM_THRESHOLD, kTrimThreshold);
    try {
        Execute(CacheSizeSql(BatchCacheKiB).c_str());
        const bool empty = RecordCount() == 0;
        // A fill writes the table's pages once, into the file itself, instead of into the log and
        // again into the file: the journal keeps the few pages of the empty table, and a kill
        // before the commit rolls the file back to them. (Where another connection holds the file
        // the log stays, which is only slower.)
        if (empty && sourceBytes >= WriteOnceFromBytes)
            sqlite3_exec(db_, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
        Execute("BEGIN IMMEDIATE");
        if (empty) {
            // A fill only appends to the table and sorts once at the end: the engine's default
            // cache serves it as fast as a larger one, and the sort that makes the indexes keeps
            // no more than that in memory.
            Execute(CacheSizeSql(FillCacheKiB).c_str());
            StopWalk();
            fill_ = std::make_unique<TableFill>(db_);
        }
        // Additions reach the table a group at a time: the record numbers' runs are made again
        // when next needed, rather than split meanwhile by counting a table that lacks them.
        numbers_->Forget();
    } catch (const DictError&) {
        AbandonBatch();
        throw;
    }
}

void TDictTable::WriteFill()
{
    try {
        fill_->Write();
    } catch (const DictError&) {
        recordCount_ = -1; // the group's records are not stored
        ForgetKeptWords();
        throw;
    }
}

std::int64_t TDictTable::HoldAdded()
{
    if (!added_)
        added_ = std::make_unique<RowGroup>(db_, GroupFailure::WholeTransaction);
    if (nextAddedId_ == 0)
        nextAddedId_ = NextRecordId(db_);
    const std::int64_t id = nextAddedId_++;
    if (added_->Hold(id, editBuffer_.word, editBuffer_.interpret, editBuffer_.remark))
        WriteAdded();
    return id;
}

void TDictTable::WriteAdded()
{
    if (!added_ || added_->Empty())
        return;
    StopWalk();
    try {
        added_->Write();
    } catch (const DictError&) {
        nextAddedId_ = 0;
        recordCount_ = -1; // what is stored is counted again
        ForgetKeptWords();
        throw;
    }
}

void TDictTable::CommitBatch(const char* sql)
{
    StopWalk();
    RunWhileWaiting([db = db_, sql] { ExecuteSql(db, sql); }, batchWait_);
}

void TDictTable::FinishFill()
{
    StopWalk();
    try {
        fill_->Finish(batchWait_);
        fill_.reset();
    } catch (const DictError&) {
        AbandonBatch();
        throw;
    }
}

void TDictTable::EndBatch()
{
    if (batchDepth_ == 0 || --batchDepth_ > 0)
        return;
    if (fill_)
        FinishFill();
    try {
        WriteAdded();
        CommitBatch("COMMIT");
    } catch (const DictError&) {
        AbandonBatch();
        throw;
    }
    batchWait_ = nullptr;
    nextAddedId_ = 0;
    sqlite3_exec(db_, kLogJournal, nullptr, nullptr, nullptr);
    ReleaseBatchCache();
}

void TDictTable::AbandonBatch()
{
    // Never leave the table inside an open transaction: what the batch did since its last commit
    // is undone, a fill's dropped indexes included.
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_exec(db_, kLogJournal, nullptr, nullptr, nullptr);
    batchDepth_ = 0;
    batchWait_ = nullptr;
    fill_.reset();
    added_.reset();
    nextAddedId_ = 0;
    ReleaseBatchCache();
    ForgetKeptWords();
    recordCount_ = -1;
    recNo_ = 0;
}

void TDictTable::ForgetKeptWords()
{
    numbers_->Forget();
    shapes_.Forget();
    explanations_.Forget();
}

void TDictTable::ReleaseBatchCache()
{
    sqlite3_exec(db_, kNormalCacheSize, nullptr, nullptr, nullptr);
    sqlite3_db_release_memory(db_);
    // The freed pages go back to the system, not only to the heap.
    malloc_trim(0);
}
