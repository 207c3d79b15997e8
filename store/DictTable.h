#pragma once
// The dictionary table: one SQLite file of records (ID, word, interpret, remark) kept in word order
// (word without letter case, then ID), with a single current record that every feature moves.

#include "store/StoredExplanations.h"
#include "store/StoredWordShapes.h"
#include "store/TableConnection.h"
#include "store/WordOrderReading.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class RecordNumberIndex;
class RowGroup;
class SqliteStatement;
class TableFill;
class TableFlusher;
struct sqlite3;

class TDictTable {
public:
    static constexpr std::size_t WordWidth = 25;
    static constexpr std::size_t InterpretWidth = 125;
    static constexpr std::size_t RemarkWidth = 100;
    // The page cache, in KiB, of a batch and of a batch that fills an empty table; what a
    // comparison with another program gives it.
    static constexpr int BatchCacheKiB = 32768;
    static constexpr int FillCacheKiB = 2000; // the engine's default
    // A fill of an empty table from less than this stays in the log: changing the journal there and
    // back flushes the disk twice more, which costs a small list more than writing its pages twice
    // (a tenth of the time of 10,000 words; at a million, writing them once saves a tenth).
    static constexpr std::uint64_t WriteOnceFromBytes = 16 << 20;

    TDictTable();
    ~TDictTable();
    TDictTable(const TDictTable&) = delete;
    TDictTable& operator=(const TDictTable&) = delete;

    // Opens an existing table file; the first record in word order becomes current.
    void Open(const std::string& path);
    // The same through a connection already open on it.
    void Open(TableConnection connection);
    void Close();
    bool Active() const { return db_ != nullptr; }
    // The open table's full file name; empty when closed.
    std::string FileName() const;
    // The open file's connection, for the tables the file keeps beside the words; null while closed.
    sqlite3* Connection() const { return db_; }
    // A statement of that connection, prepared at its first use and finalized when the table closes,
    // for what is run again and again; `sql` must be a string literal. It comes reset.
    SqliteStatement& Prepared(const char* sql);

    bool SeekExact(std::string_view key);
    void SeekNearest(std::string_view key);
    void First();
    void Last();
    void Next();
    void Prior();
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }

    // 1-based position of the current record in word order; 0 when there is none.
    int RecNo();
    void SetRecNo(int n);
    int RecordCount();

    // A remembered current record. Going back to it acts as setting its record number (nothing
    // happens when it is current already; otherwise it becomes current and both flags clear),
    // without counting or walking the table.
    class Bookmark;
    Bookmark GetBookmark() const;
    void GotoBookmark(const Bookmark& bookmark);

    std::string FieldByName(std::string_view name) const;
    void SetFieldByName(std::string_view name, std::string_view value);

    void Append();
    void Edit();
    void Post();
    void Delete();

    // Between BeginBatch and EndBatch, Post and Delete share one transaction, committed every
    // 200,000 changes (kBatchCommitEvery) and at EndBatch, so a long import neither fsyncs per
    // record nor loses what it stored when it stops. New records are held and written a few dozen
    // at a time (RowGroup), before anything else reads the table and before a seek that would
    // land on one of them; a failed group rolls the transaction back, as a failed addition of one
    // record does. A batch that starts on an empty table fills it in one transaction with its
    // indexes made at the end: exact seeks and additions are answered as always meanwhile, and
    // any other use first makes the indexes. Commits and the making of the indexes run aside while
    // `whileWaiting` is called every few milliseconds (the window takes its events). EndBatch
    // gives the batch's page cache back. `sourceBytes`, the size of what the batch stores where
    // that is known, tells a fill whether writing its pages once is worth changing the journal for.
    void BeginBatch(std::function<void()> whileWaiting = {}, std::uint64_t sourceBytes = UINT64_MAX);
    void EndBatch();

    // Gives every record once in word order, as ReadTableInWordOrder does, and leaves the current
    // record where it is. Not during a batch.
    bool ReadInWordOrder(const std::function<bool(std::string_view word, std::string_view interpret)>& visit,
                         const std::function<bool()>& meanwhile,
                         std::size_t windowRecords = kWordOrderWindowRecords);

    // Reads every record once in the order stored (by ID), which reads the file front to back, and
    // leaves the current record where it is; `visit` returns false to stop. The texts it is given
    // last until it returns.
    void ReadStored(const std::function<bool(std::string_view word, std::string_view interpret)>& visit);

    // The stored words within `limit` edits of `text`, nearest first, at most `most` of them
    // (StoredWordShapes::Near). The words are read into memory on first use and kept right from
    // then on; nothing is written to the file.
    std::vector<SimilarWord> SimilarWords(std::string_view text, int limit, std::size_t most);
    // The first `most` records in word order whose explanation holds `text`, kept in memory alike.
    std::vector<ExplainedWord> WordsExplaining(std::string_view text, std::size_t most);

    // The engine's query plan of every statement the cursor runs, one line per step of a plan, so
    // a test can check that each seek and step goes through an index.
    std::vector<std::string> QueryPlans() const;

private:
    struct Record {
        std::int64_t id = 0;
        std::string word;
        std::string interpret;
        std::string remark;
        bool textsPending = false; // interpret and remark not read yet
    };
    enum class Walk { None, Forward, Backward };
    enum class EditState { Browse, Editing, Inserting };

    void RequireOpen() const;
    // Open, and with its indexes: a fill in progress makes them first.
    void RequireIndexes();
    bool SeekFilled(const std::string& word);
    // The fill's records held so far written; a failure leaves the count to be found again.
    void WriteFill();
    bool StepAheadTo(const std::string& key);
    // The first stored record from `key` on becomes current; false when there is none.
    bool SeekStored(const std::string& key);
    // The last stored record becomes current, at the end; false when there is none.
    bool LastStored();
    // Whether a held record would be the result of a seek of `key` instead of the current record,
    // which is the one from `key` on when `found`, else the last one (or none).
    bool AddedBefore(const std::string& key, bool found) const;
    // Holds the edit buffer as a new record; its ID.
    std::int64_t HoldAdded();
    // The held records written; a failure leaves the count to be found again.
    void WriteAdded();
    // A change of a batch, which commits every kBatchCommitEvery of them.
    void CountBatchChange();
    void FinishFill();
    void CommitBatch(const char* sql);
    void AbandonBatch();
    void ReleaseBatchCache();
    // What the table holds has changed in ways not told one by one: what is kept in memory of it
    // is read again when next needed.
    void ForgetKeptWords();
    // One record on in the direction; past the last one the end flag of that side is set.
    void Step(Walk direction);
    bool StepWalk();
    void StartWalk(Walk walk, const std::string* fromWord);
    void StopWalk();
    // Starts a walk in word order just past `record` (which may be gone); false when no record
    // lies beyond it.
    bool WalkPast(Walk walk, const Record& record);
    // The current record from a row of all its fields (by ID).
    void MoveToRow(SqliteStatement& statement);
    // The current record from the walk's row, which holds the ID and word; the other fields are
    // read when first asked for.
    void MoveToWalkRow();
    const Record& Current() const;
    void GoToNth(int n);
    void Execute(const char* sql);
    void RunWrite(SqliteStatement& statement);
    std::string* FieldOf(Record& record, std::string_view name) const;

    sqlite3* db_ = nullptr;
    // The statements of the four walks in word order, reading ID and word: the word index alone.
    struct Walks {
        explicit Walks(sqlite3* db);
        SqliteStatement& Of(Walk walk, bool fromWord);
        std::unique_ptr<SqliteStatement> forwardFrom, backwardFrom, forwardAll, backwardAll;
    };
    std::unique_ptr<Walks> walks_;
    std::unique_ptr<SqliteStatement> countAll_;
    std::unique_ptr<SqliteStatement> insert_, update_, delete_, byId_;
    std::unordered_map<const char*, std::unique_ptr<SqliteStatement>> prepared_;
    std::unique_ptr<RecordNumberIndex> numbers_;
    StoredWordShapes shapes_;
    StoredExplanations explanations_;
    SqliteStatement* walk_ = nullptr; // the statement whose last row is the current record, if still live
    Walk walkDirection_ = Walk::None;

    bool hasCurrent_ = false;
    mutable Record current_; // its texts are read on first use
    Record editBuffer_;
    EditState editState_ = EditState::Browse;
    bool eof_ = true;
    bool bof_ = true;
    int recNo_ = 0;        // 0 while unknown (after a seek)
    int recordCount_ = -1; // -1 until first counted
    int batchDepth_ = 0;
    int batchChanges_ = 0;
    std::function<void()> batchWait_;
    std::unique_ptr<TableFill> fill_; // while a batch fills an empty table without its indexes
    std::unique_ptr<RowGroup> added_; // a batch's new records not written yet
    std::int64_t nextAddedId_ = 0;    // the ID of the next one; 0 until found
    std::unique_ptr<TableFlusher> flusher_;
};

class TDictTable::Bookmark {
    friend class TDictTable;
    bool valid_ = false;
    Record record_;
    int recNo_ = 0;
};
