#include "dict/DictTable.h"

#include "dict/DictError.h"
#include "dict/DictSchema.h"
#include "dict/SqliteStatement.h"
#include "platform/GbkText.h"

#include <cstdlib>
#include <sqlite3.h>

namespace {

constexpr int kNearJump = 100; // record numbers this close are reached by stepping
// A batch (an import) inserts into both indexes all over the table. A larger page cache while it
// runs keeps their pages in memory instead of reading and writing them again every few records,
// and fewer commits copy fewer of them through the log: one commit per about two seconds of import.
constexpr int kBatchCommitEvery = 200000;
constexpr const char* kBatchCacheSize = "PRAGMA cache_size = -65536"; // KiB
constexpr const char* kNormalCacheSize = "PRAGMA cache_size = -2000"; // the engine's default

#define RECORD_COLUMNS "SELECT ID, word, interpret, remark FROM DORori "
#define WORD_ORDER "word COLLATE " DICT_COLLATION

} // namespace

TDictTable::TDictTable() = default;

TDictTable::~TDictTable()
{
    Close();
}

void TDictTable::CreateTable(const std::string& path)
{
    CreateDictTableFile(path);
}

void TDictTable::Open(const std::string& path)
{
    Close();
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    db_ = db;
    try {
        if (rc != SQLITE_OK)
            throw DictError(std::string(db ? sqlite3_errmsg(db) : "out of memory") + ": " + path);
        RegisterWordCollation(db_);
        sqlite3_busy_timeout(db_, 2000);
        // Each interactive change is durable when Post or Delete returns.
        Execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;");
        forwardFrom_ = std::make_unique<SqliteStatement>(
            db_, RECORD_COLUMNS "WHERE " WORD_ORDER " >= ?1 ORDER BY " WORD_ORDER ", ID");
        backwardFrom_ = std::make_unique<SqliteStatement>(
            db_, RECORD_COLUMNS "WHERE " WORD_ORDER " <= ?1 ORDER BY " WORD_ORDER " DESC, ID DESC");
        forwardAll_ = std::make_unique<SqliteStatement>(db_, RECORD_COLUMNS "ORDER BY " WORD_ORDER ", ID");
        backwardAll_ =
            std::make_unique<SqliteStatement>(db_, RECORD_COLUMNS "ORDER BY " WORD_ORDER " DESC, ID DESC");
        // Skipping to the n-th record reads the index alone; the record is fetched by its ID.
        nthForward_ = std::make_unique<SqliteStatement>(db_, "SELECT ID FROM DORori ORDER BY " WORD_ORDER
                                                             ", ID LIMIT 1 OFFSET ?1");
        nthBackward_ = std::make_unique<SqliteStatement>(db_, "SELECT ID FROM DORori ORDER BY " WORD_ORDER
                                                              " DESC, ID DESC LIMIT 1 OFFSET ?1");
        byId_ = std::make_unique<SqliteStatement>(db_, RECORD_COLUMNS "WHERE ID = ?1");
        countBefore_ =
            std::make_unique<SqliteStatement>(db_, "SELECT count(*) FROM DORori WHERE " WORD_ORDER " < ?1");
        countSameBefore_ = std::make_unique<SqliteStatement>(
            db_, "SELECT count(*) FROM DORori WHERE " WORD_ORDER " = ?1 AND ID < ?2");
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

void TDictTable::Close()
{
    if (!db_)
        return;
    walk_ = nullptr;
    walkDirection_ = Walk::None;
    forwardFrom_.reset();
    backwardFrom_.reset();
    forwardAll_.reset();
    backwardAll_.reset();
    nthForward_.reset();
    nthBackward_.reset();
    countBefore_.reset();
    countSameBefore_.reset();
    countAll_.reset();
    byId_.reset();
    insert_.reset();
    update_.reset();
    delete_.reset();
    if (batchDepth_ > 0)
        sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    batchDepth_ = 0;
    sqlite3_close(db_);
    db_ = nullptr;
    hasCurrent_ = false;
    current_ = Record{};
    editState_ = EditState::Browse;
    eof_ = bof_ = true;
    recNo_ = 0;
    recordCount_ = -1;
    ++changes_;
}

void TDictTable::RequireOpen() const
{
    if (!db_)
        throw DictError("The dictionary table is not open");
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
    if (fromWord)
        walk_ = &(walk == Walk::Forward ? *forwardFrom_ : *backwardFrom_).Reset().Bind(1, *fromWord);
    else
        walk_ = &(walk == Walk::Forward ? *forwardAll_ : *backwardAll_).Reset();
    walkDirection_ = walk;
}

void TDictTable::MoveToRow(SqliteStatement& statement)
{
    current_.id = statement.Integer(0);
    current_.word = statement.Text(1);
    current_.interpret = statement.Text(2);
    current_.remark = statement.Text(3);
    hasCurrent_ = true;
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
    SeekNearest(cut);
    return hasCurrent_ && gbk::EqualNoCase(current_.word, cut);
}

void TDictTable::SeekNearest(std::string_view key)
{
    RequireOpen();
    const std::string cut = gbk::CutToWidth(key, WordWidth);
    StartWalk(Walk::Forward, &cut);
    if (StepWalk()) {
        MoveToRow(*walk_);
        recNo_ = 0;
        eof_ = bof_ = false;
    } else {
        Last();
        eof_ = bof_ = !hasCurrent_;
    }
}

void TDictTable::First()
{
    RequireOpen();
    StartWalk(Walk::Forward, nullptr);
    if (StepWalk()) {
        MoveToRow(*walk_);
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
    RequireOpen();
    StartWalk(Walk::Backward, nullptr);
    if (StepWalk()) {
        MoveToRow(*walk_);
        recNo_ = RecordCount();
        eof_ = true;
        bof_ = false;
    } else {
        hasCurrent_ = false;
        recNo_ = 0;
        eof_ = bof_ = true;
    }
}

void TDictTable::Next()
{
    RequireOpen();
    if (eof_)
        return;
    bof_ = false;
    if (!hasCurrent_) {
        eof_ = true;
        return;
    }
    const bool found = walkDirection_ == Walk::Forward ? StepWalk() : WalkPast(Walk::Forward, current_);
    if (!found) {
        eof_ = true;
        return;
    }
    MoveToRow(*walk_);
    if (recNo_ > 0)
        ++recNo_;
}

void TDictTable::Prior()
{
    RequireOpen();
    if (bof_)
        return;
    eof_ = false;
    if (!hasCurrent_) {
        bof_ = true;
        return;
    }
    const bool found = walkDirection_ == Walk::Backward ? StepWalk() : WalkPast(Walk::Backward, current_);
    if (!found) {
        bof_ = true;
        return;
    }
    MoveToRow(*walk_);
    if (recNo_ > 0)
        --recNo_;
}

int TDictTable::CountBefore(const Record& record)
{
    countBefore_->Reset().Bind(1, record.word).Step();
    const auto before = countBefore_->Integer(0);
    countBefore_->Reset();
    countSameBefore_->Reset().Bind(1, record.word).Bind(2, record.id).Step();
    const auto same = countSameBefore_->Integer(0);
    countSameBefore_->Reset();
    return static_cast<int>(before + same);
}

int TDictTable::RecNo()
{
    RequireOpen();
    if (!hasCurrent_)
        return 0;
    if (recNo_ == 0) {
        if (counted_.id == current_.id && counted_.changes == changes_) {
            recNo_ = counted_.recNo;
        } else {
            recNo_ = CountBefore(current_) + 1;
            counted_ = {current_.id, recNo_, changes_};
        }
    }
    return recNo_;
}

void TDictTable::SetRecNo(int n)
{
    RequireOpen();
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
    const int count = RecordCount();
    SqliteStatement& statement = (n - 1 <= count - n)
                                     ? nthForward_->Reset().Bind(1, std::int64_t{n - 1})
                                     : nthBackward_->Reset().Bind(1, std::int64_t{count - n});
    const bool found = statement.Step() && byId_->Reset().Bind(1, statement.Integer(0)).Step();
    statement.Reset();
    if (!found)
        throw DictError("Record " + std::to_string(n) + " not found");
    MoveToRow(*byId_);
    byId_->Reset();
    recNo_ = n;
}

int TDictTable::RecordCount()
{
    RequireOpen();
    if (recordCount_ < 0) {
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
    bookmark.record_ = current_;
    bookmark.recNo_ = recNo_;
    return bookmark;
}

void TDictTable::GotoBookmark(const Bookmark& bookmark)
{
    RequireOpen();
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
    const Record& record = editState_ == EditState::Browse ? current_ : editBuffer_;
    if (gbk::EqualNoCase(name, "ID"))
        return (editState_ != EditState::Browse || hasCurrent_) && record.id ? std::to_string(record.id) : "";
    std::string* field = FieldOf(const_cast<Record&>(record), name);
    return (editState_ == EditState::Browse && !hasCurrent_) ? std::string() : *field;
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
    *field = gbk::CutToWidth(value, width);
}

void TDictTable::Append()
{
    RequireOpen();
    editBuffer_ = Record{};
    editState_ = EditState::Inserting;
}

void TDictTable::Edit()
{
    RequireOpen();
    if (!hasCurrent_)
        throw DictError("Cannot edit: the table has no current record");
    editBuffer_ = current_;
    editState_ = EditState::Editing;
}

void TDictTable::RunWrite(SqliteStatement& statement)
{
    StopWalk();
    ++changes_;
    statement.Step();
    statement.Reset();
    if (batchDepth_ > 0 && ++batchChanges_ >= kBatchCommitEvery) {
        Execute("COMMIT; BEGIN IMMEDIATE;");
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
    SqliteStatement& statement = state == EditState::Inserting ? *insert_ : *update_;
    statement.Reset().Bind(1, editBuffer_.word).Bind(2, editBuffer_.interpret).Bind(3, editBuffer_.remark);
    if (state == EditState::Editing)
        statement.Bind(4, editBuffer_.id);
    RunWrite(statement);
    if (state == EditState::Inserting) {
        editBuffer_.id = sqlite3_last_insert_rowid(db_);
        if (recordCount_ >= 0)
            ++recordCount_;
        recNo_ = 0;
    } else if (!gbk::EqualNoCase(editBuffer_.word, current_.word)) {
        recNo_ = 0;
    }
    current_ = editBuffer_;
    hasCurrent_ = true;
    eof_ = bof_ = false;
}

void TDictTable::Delete()
{
    RequireOpen();
    if (!hasCurrent_)
        throw DictError("Cannot delete: the table has no current record");
    editState_ = EditState::Browse;
    const Record deleted = current_;
    const int deletedRecNo = recNo_;
    RunWrite(delete_->Reset().Bind(1, deleted.id));
    if (recordCount_ >= 0)
        --recordCount_;
    // The record that followed the deleted one becomes current; after the last, the new last.
    if (WalkPast(Walk::Forward, deleted)) {
        MoveToRow(*walk_);
        recNo_ = deletedRecNo;
        eof_ = bof_ = false;
    } else {
        Last();
        eof_ = bof_ = !hasCurrent_;
    }
}

void TDictTable::BeginBatch()
{
    RequireOpen();
    if (batchDepth_++ == 0) {
        try {
            Execute(kBatchCacheSize);
            Execute("BEGIN IMMEDIATE");
        } catch (const DictError&) {
            batchDepth_ = 0;
            sqlite3_exec(db_, kNormalCacheSize, nullptr, nullptr, nullptr);
            throw;
        }
        batchChanges_ = 0;
    }
}

void TDictTable::EndBatch()
{
    if (batchDepth_ == 0 || --batchDepth_ > 0)
        return;
    StopWalk();
    try {
        ExecuteSql(db_, "COMMIT");
        sqlite3_exec(db_, kNormalCacheSize, nullptr, nullptr, nullptr);
    } catch (const DictError&) {
        // Never leave the table inside an open transaction.
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_exec(db_, kNormalCacheSize, nullptr, nullptr, nullptr);
        ++changes_;
        recordCount_ = -1;
        recNo_ = 0;
        throw;
    }
}

std::vector<std::string> TDictTable::QueryPlans() const
{
    RequireOpen();
    std::vector<std::string> plans;
    for (const auto* statement :
         {&forwardFrom_, &backwardFrom_, &forwardAll_, &backwardAll_, &nthForward_, &nthBackward_,
          &countBefore_, &countSameBefore_, &byId_, &update_, &delete_}) {
        const std::string sql = std::string("EXPLAIN QUERY PLAN ") + (*statement)->Sql();
        SqliteStatement explain(db_, sql.c_str());
        std::string plan = (*statement)->Sql() + std::string(" =>");
        while (explain.Step())
            plan += " | " + explain.Text(3);
        plans.push_back(plan);
    }
    return plans;
}
