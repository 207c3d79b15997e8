#include "store/DictTable.h"

#include "store/DictError.h"
#include "store/DictSchema.h"
#include "store/RecordNumberIndex.h"
#include "store/RowGroup.h"
#include "store/SqliteStatement.h"
#include "store/TableConnection.h"
#include "store/TableFill.h"
#include "store/TableFlusher.h"
#include "text/GbkText.h"

#include <cstdlib>
#include <sqlite3.h>

namespace {

// Record numbers this close are reached by stepping; farther ones by skipping inside one run of the
// record-number index, which costs about as much as a few steps.
constexpr int kNearJump = 4;
// Fewer commits of a batch copy fewer pages through the log: one commit per about two seconds of
// import into a table that is not empty.
constexpr int kBatchCommitEvery = 200000;

// A seek of a key a few records past the current one steps there instead.
constexpr int kStepsAhead = 3;

#define RECORD_COLUMNS "SELECT ID, word, interpret, remark FROM DORori "

} // namespace

TDictTable::TDictTable() = default;

TDictTable::~TDictTable()
{
    Close();
}

void TDictTable::Open(const std::string& path)
{
    Close();
    Open(OpenTableConnection(path, TableAccess::ReadWrite));
}

void TDictTable::Open(TableConnection connection)
{
    Close();
    db_ = connection.release();
    const std::string path = FileName();
    try {
        // Each change is safe from a killed program when its commit returns; the flusher puts it on
        // the disk, off the window's thread (its hook also stands in for the engine's checkpoints).
        Execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
        flusher_ = std::make_unique<TableFlusher>(path);
        sqlite3_wal_hook(
            db_,
            [](void* flusher, sqlite3*, const char*, int pages) {
                static_cast<TableFlusher*>(flusher)->Committed(pages);
                return SQLITE_OK;
            },
            flusher_.get());
        walks_ = std::make_unique<Walks>(db_);
        byId_ = std::make_unique<SqliteStatement>(db_, RECORD_COLUMNS "WHERE ID = ?1");
        numbers_ = std::make_unique<RecordNumberIndex>(db_);
        countAll_ = std::make_unique<SqliteStatement>(db_, "SELECT count(*) FROM DORori");
        insert_ = std::make_unique<SqliteStatement>(
            db_, "INSERT INTO DORori (word, interpret, remark) VALUES (?1, ?2, ?3)");
        update_ = std::make_unique<SqliteStatement>(
            db_, "UPDATE DORori SET word = ?1, interpret = ?2, remark = ?3 WHERE ID = ?4");
        delete_ = std::make_unique<SqliteStatement>(db_, "DELETE FROM DORori WHERE ID = ?1");
        First();
    } catch (const DictError&) {
        Close();
        throw;
    }
}

std::string TDictTable::FileName() const
{
    const char* name = db_ ? sqlite3_db_filename(db_, "main") : nullptr;
    return name ? name : "";
}

void TDictTable::Close()
{
    if (!db_)
        return;
    try {
        if (fill_)
            fill_->Write();
        WriteAdded();
    } catch (const DictError&) {
        // Closing goes on: what was written before is kept.
    }
    walk_ = nullptr;
    walkDirection_ = Walk::None;
    walks_.reset();
    numbers_.reset();
    shapes_.Forget();
    explanations_.Forget();
    countAll_.reset();
    byId_.reset();
    insert_.reset();
    update_.reset();
    delete_.reset();
    added_.reset();
    nextAddedId_ = 0;
    prepared_.clear();
    if (batchDepth_ > 0) {
        // What a batch stored is kept, and never without the indexes.
        const bool indexed =
            !fill_ || sqlite3_exec(db_, kCreateIndexesSql, nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_exec(db_, indexed ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr);
    }
    batchDepth_ = 0;
    fill_.reset();
    batchWait_ = nullptr;
    sqlite3_wal_hook(db_, nullptr, nullptr);
    flusher_.reset();
    sqlite3_close(db_);
    db_ = nullptr;
    hasCurrent_ = false;
    current_ = Record{};
    editState_ = EditState::Browse;
    eof_ = bof_ = true;
    recNo_ = 0;
    recordCount_ = -1;
}

SqliteStatement& TDictTable::Prepared(const char* sql)
{
    RequireOpen();
    WriteAdded(); // the statement may read the records
    std::unique_ptr<SqliteStatement>& statement = prepared_[sql];
    if (!statement)
        statement = std::make_unique<SqliteStatement>(db_, sql);
    return statement->Reset();
}

void TDictTable::RequireOpen() const
{
    if (!db_)
        throw DictError("The dictionary table is not open");
}

void TDictTable::RequireIndexes()
{
    RequireOpen();
    if (fill_)
        FinishFill();
    WriteAdded();
}

void TDictTable::Execute(const char* sql)
{
    StopWalk();
    ExecuteSql(db_, sql);
}

void TDictTable::StopWalk()
{
    if (walk_)
        walk_->Reset();
    walk_ = nullptr;
    walkDirection_ = Walk::None;
}

void TDictTable::StartWalk(Walk walk, const std::string* fromWord)
{
    StopWalk();
    walk_ = &walks_->Of(walk, fromWord != nullptr).Reset();
    if (fromWord)
        walk_->Bind(1, *fromWord);
    walkDirection_ = walk;
}

void TDictTable::MoveToRow(SqliteStatement& statement)
{
    // Assigned in place: the record's strings keep their memory from one record to the next.
    current_.id = statement.Integer(0);
    current_.word.assign(statement.TextView(1));
    current_.interpret.assign(statement.TextView(2));
    current_.remark.assign(statement.TextView(3));
    current_.textsPending = false;
    hasCurrent_ = true;
}

TDictTable::Walks::Walks(sqlite3* db)
{
    const auto make = [&](const std::string& rest) {
        return std::make_unique<SqliteStatement>(db, ("SELECT ID, word FROM DORori " + rest).c_str());
    };
    forwardFrom = make("WHERE " DICT_WORD_ORDER " >= ?1 ORDER BY " DICT_WORD_ORDER ", ID");
    backwardFrom = make("WHERE " DICT_WORD_ORDER " <= ?1 ORDER BY " DICT_WORD_ORDER " DESC, ID DESC");
    forwardAll = make("ORDER BY " DICT_WORD_ORDER ", ID");
    backwardAll = make("ORDER BY " DICT_WORD_ORDER " DESC, ID DESC");
}

SqliteStatement& TDictTable::Walks::Of(Walk walk, bool fromWord)
{
    if (walk == Walk::Forward)
        return fromWord ? *forwardFrom : *forwardAll;
    return fromWord ? *backwardFrom : *backwardAll;
}

void TDictTable::MoveToWalkRow()
{
    current_.id = walk_->Integer(0);
    current_.word.assign(walk_->TextView(1));
    current_.interpret.clear();
    current_.remark.clear();
    current_.textsPending = true;
    hasCurrent_ = true;
}

const TDictTable::Record& TDictTable::Current() const
{
    if (current_.textsPending) {
        if (byId_->Reset().Bind(1, current_.id).Step()) {
            current_.interpret = byId_->Text(2);
            current_.remark = byId_->Text(3);
        }
        byId_->Reset();
        current_.textsPending = false;
    }
    return current_;
}

bool TDictTable::StepWalk()
{
    if (walk_->Step())
        return true;
    StopWalk();
    return false;
}

bool TDictTable::WalkPast(Walk walk, const Record& record)
{
    // Words that compare equal are ordered by ID: the walk starts at the first record of the word
    // in its direction and steps over the ones on the near side of `record`, and `record` itself.
    StartWalk(walk, &record.word);
    while (StepWalk()) {
        const std::int64_t id = walk_->Integer(0);
        const bool beyond = walk == Walk::Forward ? id > record.id : id < record.id;
        if (beyond || !gbk::EqualNoCase(walk_->Text(1), record.word))
            return true;
    }
    return false;
}

bool TDictTable::SeekExact(std::string_view key)
{
    const std::string cut = gbk::CutToWidth(key, WordWidth);
    if (fill_)
        return SeekFilled(cut);
    SeekNearest(cut);
    return hasCurrent_ && gbk::EqualNoCase(current_.word, cut);
}

bool TDictTable::StepAheadTo(const std::string& key)
{
    // Keys that come in word order (an import of an exported list) are found a step or two past
    // the current record, by the walk already running there.
    if (walkDirection_ != Walk::Forward || !hasCurrent_ || gbk::CompareNoCase(current_.word, key) >= 0)
        return false;
    for (int steps = 1; steps <= kStepsAhead && StepWalk(); ++steps) {
        if (gbk::CompareNoCase(walk_->Text(1), key) >= 0) {
            MoveToWalkRow();
            recNo_ = recNo_ > 0 ? recNo_ + steps : 0;
            eof_ = bof_ = false;
            return true;
        }
    }
    return false;
}

void TDictTable::SeekNearest(std::string_view key)
{
    RequireOpen();
    if (fill_)
        FinishFill();
    const std::string cut = gbk::CutToWidth(key, WordWidth);
    // The first record from `cut` on, else the last one.
    const auto seek = [this, &cut] {
        if (SeekStored(cut))
            return true;
        LastStored();
        return false;
    };
    bool found = seek();
    // The records a batch holds back are written first only when one of them is the one sought.
    if (AddedBefore(cut, found)) {
        WriteAdded();
        found = seek();
    }
    if (!found) {
        recNo_ = hasCurrent_ ? RecordCount() : 0;
        eof_ = bof_ = !hasCurrent_;
    }
}

bool TDictTable::SeekStored(const std::string& key)
{
    if (StepAheadTo(key))
        return true;
    StartWalk(Walk::Forward, &key);
    if (!StepWalk())
        return false;
    MoveToWalkRow();
    recNo_ = 0;
    eof_ = bof_ = false;
    return true;
}

bool TDictTable::AddedBefore(const std::string& key, bool found) const
{
    if (!added_)
        return false;
    // A held record comes after every stored one of the same word, having a larger ID.
    for (const RowGroup::Row& row : *added_) {
        if (!hasCurrent_)
            return true;
        const int toCurrent = gbk::CompareNoCase(row.word, current_.word);
        if (found ? toCurrent < 0 && gbk::CompareNoCase(row.word, key) >= 0 : toCurrent >= 0)
            return true;
    }
    return false;
}

void TDictTable::First()
{
    RequireIndexes();
    StartWalk(Walk::Forward, nullptr);
    if (StepWalk()) {
        MoveToWalkRow();
        recNo_ = 1;
        bof_ = true;
        eof_ = false;
    } else {
        hasCurrent_ = false;
        recNo_ = 0;
        eof_ = bof_ = true;
    }
}

void TDictTable::Last()
{
    RequireIndexes();
    if (LastStored())
        recNo_ = RecordCount();
}

bool TDictTable::LastStored()
{
    StartWalk(Walk::Backward, nullptr);
    if (StepWalk()) {
        MoveToWalkRow();
        recNo_ = 0;
        eof_ = true;
        bof_ = false;
        return true;
    }
    hasCurrent_ = false;
    recNo_ = 0;
    eof_ = bof_ = true;
    return false;
}

void TDictTable::Next()
{
    Step(Walk::Forward);
}

void TDictTable::Prior()
{
    Step(Walk::Backward);
}

void TDictTable::Step(Walk direction)
{
    RequireIndexes();
    const bool forward = direction == Walk::Forward;
    bool& atEnd = forward ? eof_ : bof_;
    if (atEnd)
        return;
    (forward ? bof_ : eof_) = false;
    if (!hasCurrent_) {
        atEnd = true;
        return;
    }
    const bool found = walkDirection_ == direction ? StepWalk() : WalkPast(direction, current_);
    if (!found) {
        atEnd = true;
        return;
    }
    MoveToWalkRow();
    if (recNo_ > 0)
        recNo_ += forward ? 1 : -1;
}

int TDictTable::RecNo()
{
    RequireIndexes();
    if (!hasCurrent_)
        return 0;
    if (recNo_ == 0)
        recNo_ = numbers_->CountBefore(current_.word, current_.id) + 1;
    return recNo_;
}

void TDictTable::SetRecNo(int n)
{
    RequireIndexes();
    if (!hasCurrent_)
        return;
    const int current = RecNo();
    if (n == current || n < 1 || n > RecordCount())
        return;
    if (std::abs(n - current) <= kNearJump) {
        while (recNo_ < n)
            Next();
        while (recNo_ > n)
            Prior();
    } else {
        GoToNth(n);
    }
    eof_ = bof_ = false;
}

void TDictTable::GoToNth(int n)
{
    StopWalk();
    const std::int64_t id = numbers_->IdAt(n - 1);
    if (id == 0 || !byId_->Reset().Bind(1, id).Step())
        throw DictError("Record " + std::to_string(n) + " not found");
    MoveToRow(*byId_);
    byId_->Reset();
    recNo_ = n;
}

int TDictTable::RecordCount()
{
    RequireOpen();
    if (recordCount_ < 0) {
        WriteAdded();
        countAll_->Reset().Step();
        recordCount_ = static_cast<int>(countAll_->Integer(0));
        countAll_->Reset();
    }
    return recordCount_;
}

TDictTable::Bookmark TDictTable::GetBookmark() const
{
    Bookmark bookmark;
    bookmark.valid_ = hasCurrent_;
    bookmark.record_ = hasCurrent_ ? Current() : current_;
    bookmark.recNo_ = recNo_;
    return bookmark;
}

void TDictTable::GotoBookmark(const Bookmark& bookmark)
{
    RequireIndexes();
    if (!bookmark.valid_ || (hasCurrent_ && current_.id == bookmark.record_.id))
        return;
    StopWalk();
    current_ = bookmark.record_;
    hasCurrent_ = true;
    recNo_ = bookmark.recNo_;
    eof_ = bof_ = false;
}

std::string* TDictTable::FieldOf(Record& record, std::string_view name) const
{
    if (gbk::EqualNoCase(name, "word"))
        return &record.word;
    if (gbk::EqualNoCase(name, "interpret"))
        return &record.interpret;
    if (gbk::EqualNoCase(name, "remark"))
        return &record.remark;
    throw DictError("Field '" + std::string(name) + "' not found");
}

std::string TDictTable::FieldByName(std::string_view name) const
{
    RequireOpen();
    const bool browsing = editState_ == EditState::Browse;
    const Record& record = browsing ? current_ : editBuffer_;
    if (gbk::EqualNoCase(name, "ID"))
        return (!browsing || hasCurrent_) && record.id ? std::to_string(record.id) : "";
    std::string* field = FieldOf(const_cast<Record&>(record), name);
    if (!browsing)
        return *field;
    if (!hasCurrent_)
        return std::string();
    // Stepping through words (a preview) reads no other field.
    if (field != &current_.word)
        Current();
    return *field;
}

void TDictTable::SetFieldByName(std::string_view name, std::string_view value)
{
    RequireOpen();
    if (editState_ == EditState::Browse)
        throw DictError("Dataset not in edit or insert mode");
    if (gbk::EqualNoCase(name, "ID"))
        throw DictError("Field 'ID' cannot be modified");
    std::string* field = FieldOf(editBuffer_, name);
    const std::size_t width = field == &editBuffer_.word        ? WordWidth
                              : field == &editBuffer_.interpret ? InterpretWidth
                                                                : RemarkWidth;
    field->assign(gbk::FitToWidth(value, width)); // in place: an import sets fields of every record
}

void TDictTable::Append()
{
    RequireOpen();
    // Emptied in place, so that its texts keep their memory from one added record to the next.
    editBuffer_.id = 0;
    editBuffer_.word.clear();
    editBuffer_.interpret.clear();
    editBuffer_.remark.clear();
    editBuffer_.textsPending = false;
    editState_ = EditState::Inserting;
}

void TDictTable::Edit()
{
    RequireIndexes();
    if (!hasCurrent_)
        throw DictError("Cannot edit: the table has no current record");
    editBuffer_ = Current();
    editState_ = EditState::Editing;
}

void TDictTable::RunWrite(SqliteStatement& statement)
{
    StopWalk();
    nextAddedId_ = 0; // found again after any other change
    statement.Step();
    statement.Reset();
    CountBatchChange();
}

void TDictTable::CountBatchChange()
{
    if (batchDepth_ > 0 && !fill_ && ++batchChanges_ >= kBatchCommitEvery) {
        WriteAdded();
        CommitBatch("COMMIT; BEGIN IMMEDIATE;");
        batchChanges_ = 0;
    }
}

void TDictTable::Post()
{
    RequireOpen();
    if (editState_ == EditState::Browse)
        throw DictError("Dataset not in edit or insert mode");
    const EditState state = editState_;
    editState_ = EditState::Browse; // a failed Post leaves the table and the cursor as they were
    if (state == EditState::Inserting && fill_) {
        StopWalk();
        try {
            editBuffer_.id = fill_->Add(editBuffer_.word, editBuffer_.interpret, editBuffer_.remark);
        } catch (const DictError&) {
            recordCount_ = -1; // a full group was written and failed: its records are not stored
            ForgetKeptWords();
            throw;
        }
    } else if (state == EditState::Inserting && batchDepth_ > 0) {
        StopWalk();
        editBuffer_.id = HoldAdded();
        CountBatchChange();
    } else {
        SqliteStatement& statement = state == EditState::Inserting ? *insert_ : *update_;
        statement.Reset()
            .Bind(1, editBuffer_.word)
            .Bind(2, editBuffer_.interpret)
            .Bind(3, editBuffer_.remark);
        if (state == EditState::Editing)
            statement.Bind(4, editBuffer_.id);
        RunWrite(statement);
        if (state == EditState::Inserting)
            editBuffer_.id = sqlite3_last_insert_rowid(db_);
    }
    if (state == EditState::Inserting) {
        if (recordCount_ >= 0)
            ++recordCount_;
        numbers_->Added(editBuffer_.word);
        shapes_.Added(editBuffer_.word);
        explanations_.Added(editBuffer_.id, editBuffer_.word, editBuffer_.interpret);
        recNo_ = 0;
    } else {
        if (!gbk::EqualNoCase(editBuffer_.word, current_.word)) {
            // An edit ends a fill first (it needs the indexes), so the fill knows no edited word.
            numbers_->Removed(current_.word);
            numbers_->Added(editBuffer_.word);
            recNo_ = 0;
        }
        if (editBuffer_.word != current_.word) {
            shapes_.Removed(current_.word);
            shapes_.Added(editBuffer_.word);
        }
        explanations_.Changed(editBuffer_.id, editBuffer_.word, editBuffer_.interpret);
    }
    current_ = editBuffer_;
    hasCurrent_ = true;
    eof_ = bof_ = false;
}

void TDictTable::Delete()
{
    RequireIndexes();
    if (!hasCurrent_)
        throw DictError("Cannot delete: the table has no current record");
    editState_ = EditState::Browse;
    const Record deleted = current_;
    const int deletedRecNo = recNo_;
    RunWrite(delete_->Reset().Bind(1, deleted.id));
    if (recordCount_ >= 0)
        --recordCount_;
    numbers_->Removed(deleted.word);
    shapes_.Removed(deleted.word);
    explanations_.Removed(deleted.id);
    // The record that followed the deleted one becomes current; after the last, the new last.
    if (WalkPast(Walk::Forward, deleted)) {
        MoveToWalkRow();
        recNo_ = deletedRecNo;
        eof_ = bof_ = false;
    } else {
        Last();
        eof_ = bof_ = !hasCurrent_;
    }
}

std::vector<SimilarWord> TDictTable::SimilarWords(std::string_view text, int limit, std::size_t most)
{
    RequireIndexes();
    if (!shapes_.Made())
        shapes_.Make(db_);
    return shapes_.Near(text, limit, most);
}

std::vector<ExplainedWord> TDictTable::WordsExplaining(std::string_view text, std::size_t most)
{
    RequireIndexes();
    if (!explanations_.Made())
        explanations_.Make(db_);
    return explanations_.Containing(text, most);
}

bool TDictTable::ReadInWordOrder(
    const std::function<bool(std::string_view word, std::string_view interpret)>& visit,
    const std::function<bool()>& meanwhile, std::size_t windowRecords)
{
    RequireIndexes();
    if (batchDepth_ > 0)
        throw DictError("The table cannot be read in word order during a batch");
    return ReadTableInWordOrder(FileName(), visit, meanwhile, windowRecords,
                                static_cast<std::size_t>(RecordCount()));
}

void TDictTable::ReadStored(
    const std::function<bool(std::string_view word, std::string_view interpret)>& visit)
{
    RequireOpen();
    if (fill_)
        WriteFill();
    WriteAdded();
    SqliteStatement stored(db_, "SELECT word, interpret FROM DORori ORDER BY ID");
    while (stored.Step() && visit(stored.TextView(0), stored.TextView(1))) {
    }
}

std::vector<std::string> TDictTable::QueryPlans() const
{
    RequireOpen();
    std::vector<std::string> plans;
    std::vector<const SqliteStatement*> statements = numbers_->Statements();
    for (const auto* statement :
         {&walks_->forwardFrom, &walks_->backwardFrom, &walks_->forwardAll, &walks_->backwardAll})
        statements.push_back(statement->get());
    for (const auto* statement : {&byId_, &update_, &delete_})
        statements.push_back(statement->get());
    for (const SqliteStatement* statement : statements) {
        const std::string sql = std::string("EXPLAIN QUERY PLAN ") + statement->Sql();
        SqliteStatement explain(db_, sql.c_str());
        std::string plan = statement->Sql() + std::string(" =>");
        while (explain.Step())
            plan += " | " + explain.Text(3);
        plans.push_back(plan);
    }
    return plans;
}
