#include "store/TableFill.h"

#include "store/DictError.h"
#include "store/DictSchema.h"
#include "store/RowGroup.h"
#include "store/SqliteStatement.h"
#include "store/WorkWhileWaiting.h"

#include <algorithm>
#include <sqlite3.h>
#include <thread>

namespace {

// One helper for each core beside the one that sorts, up to three: more gain nothing measurable.
unsigned SortHelperThreads()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 1 ? std::min(cores - 1, 3u) : 0;
}

} // namespace

TableFill::TableFill(sqlite3* db)
    : db_(db), words_(std::make_unique<WordIdSet>()), nextId_(NextRecordId(db)),
      held_(std::make_unique<RowGroup>(db, GroupFailure::GroupOnly))
{
    ExecuteSql(db_, kDropIndexesSql);
}

TableFill::~TableFill() = default;

std::int64_t TableFill::Add(std::string_view word, std::string_view interpret, std::string_view remark)
{
    const std::int64_t id = nextId_++;
    const bool full = held_->Hold(id, word, interpret, remark);
    words_->Add(word, id);
    if (full)
        Write();
    return id;
}

void TableFill::Write()
{
    if (held_) // given up once the indexes are being made
        held_->Write();
}

std::int64_t TableFill::Find(std::string_view word, const std::function<bool(std::int64_t id)>& isWord) const
{
    return words_->Find(word, isWord);
}

void TableFill::Finish(const std::function<void()>& whileWaiting)
{
    Write();
    words_.reset();
    held_.reset();
    // The engine's sort takes helper threads when it is allowed them: on a machine of several
    // cores the indexes are made in about two thirds of the time.
    const std::string threads = "PRAGMA threads = " + std::to_string(SortHelperThreads());
    ExecuteSql(db_, threads.c_str());
    RunWhileWaiting([db = db_] { ExecuteSql(db, kCreateIndexesSql); }, whileWaiting);
    ExecuteSql(db_, "PRAGMA threads = 0");
}
