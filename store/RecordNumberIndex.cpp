#include "store/RecordNumberIndex.h"

#include "store/DictSchema.h"
#include "store/SqliteStatement.h"
#include "text/GbkText.h"

#include <algorithm>

namespace {

// Records per run when the runs are made. A run is split when it grows past twice this, so a
// record number never counts more than that many index entries (a few microseconds).
constexpr int kRun = 512;

} // namespace

RecordNumberIndex::RecordNumberIndex(sqlite3* db)
    : countBetween_(std::make_unique<SqliteStatement>(db, "SELECT count(*) FROM DORori WHERE " DICT_WORD_ORDER
                                                          " >= ?1 AND " DICT_WORD_ORDER " < ?2")),
      countFrom_(std::make_unique<SqliteStatement>(db, "SELECT count(*) FROM DORori WHERE " DICT_WORD_ORDER
                                                       " >= ?1")),
      countSameBefore_(std::make_unique<SqliteStatement>(
          db, "SELECT count(*) FROM DORori WHERE " DICT_WORD_ORDER " = ?1 AND ID < ?2")),
      // Skipping reads the word index alone: it holds the word and the ID.
      skipFrom_(std::make_unique<SqliteStatement>(db, "SELECT ID, word FROM DORori WHERE " DICT_WORD_ORDER
                                                      " >= ?1 ORDER BY " DICT_WORD_ORDER
                                                      ", ID LIMIT 2 OFFSET ?2")),
      wordAfter_(std::make_unique<SqliteStatement>(db, "SELECT word FROM DORori WHERE " DICT_WORD_ORDER
                                                       " > ?1 ORDER BY " DICT_WORD_ORDER ", ID LIMIT 1"))
{
}

RecordNumberIndex::~RecordNumberIndex() = default;

std::vector<const SqliteStatement*> RecordNumberIndex::Statements() const
{
    return {countBetween_.get(), countFrom_.get(), countSameBefore_.get(), skipFrom_.get(), wordAfter_.get()};
}

int RecordNumberIndex::CountFrom(const std::string& from, const std::string* until)
{
    SqliteStatement& count =
        until ? countBetween_->Reset().Bind(1, from).Bind(2, *until) : countFrom_->Reset().Bind(1, from);
    count.Step();
    const auto counted = static_cast<int>(count.Integer(0));
    count.Reset();
    return counted;
}

void RecordNumberIndex::MakeRuns()
{
    // Each run ends where skipping kRun entries from its first word lands, unless equal words
    // straddle that place: the run then goes on to the next different word.
    runs_.assign(1, Run{});
    for (;;) {
        Run& run = runs_.back();
        skipFrom_->Reset().Bind(1, run.firstWord).Bind(2, std::int64_t{kRun - 1});
        const bool full = skipFrom_->Step();
        const std::string lastWord = full ? skipFrom_->Text(1) : std::string();
        const bool more = full && skipFrom_->Step();
        std::string nextWord = more ? skipFrom_->Text(1) : std::string();
        skipFrom_->Reset();
        if (!more) {
            run.count = full ? kRun : CountFrom(run.firstWord, nullptr);
            return;
        }
        if (gbk::CompareNoCase(lastWord, nextWord) != 0) {
            run.count = kRun;
        } else {
            const bool found = wordAfter_->Reset().Bind(1, nextWord).Step();
            nextWord = found ? wordAfter_->Text(0) : std::string();
            wordAfter_->Reset();
            run.count = CountFrom(run.firstWord, found ? &nextWord : nullptr);
            if (!found)
                return;
        }
        runs_.push_back(Run{std::move(nextWord), 0});
    }
}

std::size_t RecordNumberIndex::RunOf(std::string_view word) const
{
    const auto after =
        std::upper_bound(runs_.begin() + 1, runs_.end(), word, [](std::string_view w, const Run& run) {
            return gbk::CompareNoCase(w, run.firstWord) < 0;
        });
    return static_cast<std::size_t>(after - runs_.begin()) - 1;
}

int RecordNumberIndex::CountBefore(const std::string& word, std::int64_t id)
{
    if (runs_.empty())
        MakeRuns();
    const std::size_t run = RunOf(word);
    int before = 0;
    for (std::size_t i = 0; i < run; ++i)
        before += runs_[i].count;
    before += CountFrom(runs_[run].firstWord, &word);
    countSameBefore_->Reset().Bind(1, word).Bind(2, id).Step();
    before += static_cast<int>(countSameBefore_->Integer(0));
    countSameBefore_->Reset();
    return before;
}

std::int64_t RecordNumberIndex::IdAt(int before)
{
    if (runs_.empty())
        MakeRuns();
    for (const Run& run : runs_) {
        if (before < run.count) {
            const bool found = skipFrom_->Reset().Bind(1, run.firstWord).Bind(2, std::int64_t{before}).Step();
            const std::int64_t id = found ? skipFrom_->Integer(0) : 0;
            skipFrom_->Reset();
            return id;
        }
        before -= run.count;
    }
    return 0;
}

void RecordNumberIndex::Added(const std::string& word)
{
    if (runs_.empty())
        return;
    const std::size_t run = RunOf(word);
    if (++runs_[run].count > 2 * kRun)
        Split(run);
}

void RecordNumberIndex::Removed(const std::string& word)
{
    if (runs_.empty())
        return;
    const std::size_t run = RunOf(word);
    if (--runs_[run].count < 0)
        Forget(); // told of a record it never had: count again when next needed
    else if (runs_[run].count == 0 && run > 0)
        runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(run));
}

void RecordNumberIndex::Split(std::size_t run)
{
    // The new run starts at the middle record, or at the next different word when equal words
    // straddle the middle; a run of one word all through stays whole.
    const int count = runs_[run].count;
    skipFrom_->Reset().Bind(1, runs_[run].firstWord).Bind(2, std::int64_t{count / 2 - 1});
    const bool found = skipFrom_->Step();
    const std::string lastWord = found ? skipFrom_->Text(1) : std::string();
    const bool second = found && skipFrom_->Step();
    std::string middle = second ? skipFrom_->Text(1) : std::string();
    skipFrom_->Reset();
    if (!second)
        return;
    int left = count / 2;
    if (gbk::CompareNoCase(lastWord, middle) == 0) {
        const bool after = wordAfter_->Reset().Bind(1, middle).Step();
        middle = after ? wordAfter_->Text(0) : std::string();
        wordAfter_->Reset();
        if (!after || (run + 1 < runs_.size() && gbk::CompareNoCase(middle, runs_[run + 1].firstWord) >= 0))
            return;
        left = CountFrom(runs_[run].firstWord, &middle);
    }
    if (left <= 0 || left >= count)
        return;
    runs_[run].count = left;
    runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(run) + 1, Run{std::move(middle), count - left});
}
