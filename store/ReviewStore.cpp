#include "store/ReviewStore.h"

#include "store/DictSchema.h"
#include "store/DictTable.h"
#include "store/SqliteStatement.h"

#include <algorithm>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <tuple>

namespace {

// The review's tables and indexes as this program writes them: anything else of these names (a
// foreign or an older file) is not ours to change. The due index finds the next step and the cards
// falling due as an index range and holds what their recall needs, so that the day's first choice
// reads no card; the word index lets a deleted word's answers go without a scan. The log needs no
// index of its times: its rows are in the order given, and its times never go back (Record).
constexpr SideTable kReviewTables[] = {
    {"table", "ReviewCard",
     "CREATE TABLE ReviewCard (word TEXT COLLATE " DICT_COLLATION " PRIMARY KEY NOT NULL,"
     " state INTEGER NOT NULL, learning_steps INTEGER NOT NULL, due INTEGER NOT NULL,"
     " stability REAL NOT NULL, difficulty REAL NOT NULL, scheduled_days INTEGER NOT NULL,"
     " reps INTEGER NOT NULL, lapses INTEGER NOT NULL, last_review INTEGER NOT NULL)"},
    {"index", "ReviewCardDue",
     "CREATE INDEX ReviewCardDue ON ReviewCard(state, due, stability, last_review, word)"},
    {"table", "ReviewLog",
     "CREATE TABLE ReviewLog (word TEXT COLLATE " DICT_COLLATION " NOT NULL, review INTEGER NOT NULL,"
     " rating INTEGER NOT NULL, state INTEGER NOT NULL, due INTEGER NOT NULL, stability REAL NOT NULL,"
     " difficulty REAL NOT NULL, scheduled_days INTEGER NOT NULL)"},
    {"index", "ReviewLogWord", "CREATE INDEX ReviewLogWord ON ReviewLog(word)"},
};

#define CARD_COLUMNS                                                                                         \
    "word, state, learning_steps, due, stability, difficulty, scheduled_days, reps, lapses, last_review"

// The card in columns first..first+8 of a row of CARD_COLUMNS.
ReviewCard CardAt(const SqliteStatement& row, int first)
{
    ReviewCard card;
    card.state = static_cast<ReviewState>(row.Integer(first));
    card.step = static_cast<int>(row.Integer(first + 1));
    card.due = row.Integer(first + 2);
    card.stability = row.Real(first + 3);
    card.difficulty = row.Real(first + 4);
    card.scheduledDays = static_cast<int>(row.Integer(first + 5));
    card.reps = static_cast<int>(row.Integer(first + 6));
    card.lapses = static_cast<int>(row.Integer(first + 7));
    card.lastReview = row.Integer(first + 8);
    return card;
}

// One of the table's prepared statements, reset again when the call that runs it ends, so that no
// read stays open on the connection.
class Run {
public:
    Run(TDictTable& table, const char* sql) : statement_(table.Prepared(sql)) {}
    ~Run() { statement_.Reset(); }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;
    SqliteStatement* operator->() { return &statement_; }
    SqliteStatement& operator*() { return statement_; }

private:
    SqliteStatement& statement_;
};

} // namespace

ReviewStore::ReviewStore(TDictTable& table) : table_(table), tables_(table, kReviewTables) {}

bool ReviewStore::Usable()
{
    return tables_.Usable();
}

std::optional<ReviewCard> ReviewStore::Card(std::string_view word)
{
    if (!Ready(false))
        return std::nullopt;
    Run card(table_, "SELECT " CARD_COLUMNS " FROM ReviewCard WHERE word = ?1");
    if (!card->Bind(1, word).Step())
        return std::nullopt;
    return CardAt(*card, 1);
}

std::int64_t ReviewStore::LatestAnswer()
{
    if (!Ready(false))
        return 0;
    Run latest(table_, "SELECT review FROM ReviewLog WHERE rowid = (SELECT max(rowid) FROM ReviewLog)");
    return latest->Step() ? latest->Integer(0) : 0;
}

void ReviewStore::Record(std::string_view word, const ReviewCard& before, ReviewRating rating,
                         const ReviewCard& after)
{
    if (!Ready(true))
        return;
    // The log's rows are in time order only while no answer is dated before the last one.
    if (after.lastReview < LatestAnswer())
        throw std::invalid_argument("an answer dated before the last one logged");
    InTransaction(Connection(), [&] {
        // The card keeps the spelling of its first answer; a renamed word finds it by the fold.
        Run card(table_,
                 "INSERT INTO ReviewCard (" CARD_COLUMNS ") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)"
                 " ON CONFLICT(word) DO UPDATE SET state = ?2, learning_steps = ?3, due = ?4,"
                 " stability = ?5, difficulty = ?6, scheduled_days = ?7, reps = ?8, lapses = ?9,"
                 " last_review = ?10");
        card->Bind(1, word)
            .Bind(2, static_cast<std::int64_t>(after.state))
            .Bind(3, std::int64_t{after.step})
            .Bind(4, after.due)
            .BindReal(5, after.stability)
            .BindReal(6, after.difficulty)
            .Bind(7, std::int64_t{after.scheduledDays})
            .Bind(8, std::int64_t{after.reps})
            .Bind(9, std::int64_t{after.lapses})
            .Bind(10, after.lastReview)
            .Step();
        Run log(table_, "INSERT INTO ReviewLog (word, review, rating, state, due, stability, difficulty,"
                        " scheduled_days) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
        log->Bind(1, word)
            .Bind(2, after.lastReview)
            .Bind(3, static_cast<std::int64_t>(rating))
            .Bind(4, static_cast<std::int64_t>(before.state))
            .Bind(5, before.due)
            .BindReal(6, before.stability)
            .BindReal(7, before.difficulty)
            .Bind(8, std::int64_t{before.scheduledDays})
            .Step();
    });
}

void ReviewStore::Forget(std::string_view word)
{
    if (!Ready(false))
        return;
    InTransaction(Connection(), [&] {
        Run card(table_, "DELETE FROM ReviewCard WHERE word = ?1");
        card->Bind(1, word).Step();
        Run log(table_, "DELETE FROM ReviewLog WHERE word = ?1");
        log->Bind(1, word).Step();
    });
    ++forgotten_;
}

int ReviewStore::CardCount()
{
    if (!Ready(false))
        return 0;
    Run count(table_, "SELECT count(*) FROM ReviewCard");
    count->Step();
    return static_cast<int>(count->Integer(0));
}

std::optional<StoredCard> ReviewStore::FirstDueStep(std::int64_t now)
{
    if (!Ready(false))
        return std::nullopt;
    // One range of the due index for each state: together in one query they would be sorted whole.
    std::optional<StoredCard> first;
    for (const ReviewState state : {ReviewState::Learning, ReviewState::Relearning}) {
        Run step(table_, "SELECT " CARD_COLUMNS
                         " FROM ReviewCard WHERE state = ?1 AND due <= ?2 ORDER BY due, word LIMIT 1");
        if (!step->Bind(1, static_cast<std::int64_t>(state)).Bind(2, now).Step())
            continue;
        StoredCard found{step->Text(0), CardAt(*step, 1)};
        if (!first || std::tie(found.card.due, found.word) < std::tie(first->card.due, first->word))
            first = std::move(found);
    }
    return first;
}

std::vector<StoredCard> ReviewStore::StepsAfter(std::int64_t now)
{
    std::vector<StoredCard> steps;
    if (!Ready(false))
        return steps;
    // Steps are minutes long: only this sitting's words wait for theirs.
    Run step(table_,
             "SELECT " CARD_COLUMNS " FROM ReviewCard WHERE state IN (1, 3) AND due > ?1 ORDER BY due, word");
    step->Bind(1, now);
    while (step->Step())
        steps.push_back({step->Text(0), CardAt(*step, 1)});
    return steps;
}

int ReviewStore::CountSteps()
{
    if (!Ready(false))
        return 0;
    Run count(table_, "SELECT count(*) FROM ReviewCard WHERE state IN (1, 3)");
    count->Step();
    return static_cast<int>(count->Integer(0));
}

void ReviewStore::VisitDueReviews(std::int64_t after, std::int64_t upTo,
                                  const std::function<void(StoredCard&&)>& visit)
{
    if (!Ready(false))
        return;
    Run due(table_, "SELECT word, due, stability, last_review FROM ReviewCard WHERE state = 2 AND due > ?1"
                    " AND due <= ?2");
    due->Bind(1, after).Bind(2, upTo);
    while (due->Step()) {
        ReviewCard card;
        card.state = ReviewState::Review;
        card.due = due->Integer(1);
        card.stability = due->Real(2);
        card.lastReview = due->Integer(3);
        visit({due->Text(0), card});
    }
}

std::optional<std::string> ReviewStore::FirstNewWord(std::string_view from)
{
    if (!table_.Connection())
        return std::nullopt;
    // Every word is new while nothing was reviewed.
    const bool anyCard = Ready(false);
    Run first(table_, anyCard ? "SELECT word FROM DORori WHERE " DICT_WORD_ORDER " >= ?1 AND NOT EXISTS"
                                " (SELECT 1 FROM ReviewCard WHERE ReviewCard.word = DORori.word)"
                                " ORDER BY " DICT_WORD_ORDER ", ID LIMIT 1"
                              : "SELECT word FROM DORori WHERE " DICT_WORD_ORDER " >= ?1"
                                " ORDER BY " DICT_WORD_ORDER ", ID LIMIT 1");
    // An empty text, not a null one, which would compare with nothing.
    for (const std::string_view start : {from, std::string_view("")}) {
        if (first->Reset().Bind(1, start).Step())
            return first->Text(0);
    }
    return std::nullopt;
}

std::int64_t ReviewStore::FirstRowSince(std::int64_t since)
{
    // The log's times never go back, so its rows are in time order: a search halving the rows.
    // Each end alone is one step down the table; min() and max() in one query would scan it.
    Run first(table_, "SELECT min(rowid) FROM ReviewLog");
    Run last(table_, "SELECT max(rowid) FROM ReviewLog");
    first->Step();
    last->Step();
    std::int64_t low = first->Integer(0);
    std::int64_t high = last->Integer(0) + 1;
    Run at(table_, "SELECT rowid, review FROM ReviewLog WHERE rowid >= ?1 ORDER BY rowid LIMIT 1");
    // Every row before `low` was given before `since`, every row from `high` on at or after it.
    while (low < high) {
        const std::int64_t middle = low + (high - low) / 2;
        if (!at->Reset().Bind(1, middle).Step() || at->Integer(1) >= since)
            high = middle;
        else
            low = at->Integer(0) + 1;
    }
    return low;
}

int ReviewStore::CountNewSince(std::int64_t since)
{
    if (!Ready(false))
        return 0;
    const std::int64_t first = FirstRowSince(since);
    Run count(table_, "SELECT count(*) FROM ReviewLog WHERE rowid >= ?1 AND state = 0");
    count->Bind(1, first).Step();
    return static_cast<int>(count->Integer(0));
}

bool ReviewStore::HasAnswers()
{
    if (!Ready(false))
        return false;
    Run any(table_, "SELECT max(rowid) IS NOT NULL FROM ReviewLog");
    any->Step();
    return any->Integer(0) != 0;
}

AnswerCounts ReviewStore::CountAnswers(std::int64_t from, std::int64_t to)
{
    AnswerCounts counts;
    if (!Ready(false))
        return counts;
    // One pass inside the engine over the span's rows, which lie together in the log.
    const std::int64_t first = FirstRowSince(from);
    const std::int64_t end = FirstRowSince(to);
    Run count(table_, "SELECT total(rating = 1), total(rating = 2), total(rating = 3), total(rating = 4),"
                      " total(state = 2), total(state = 2 AND rating > 1) FROM ReviewLog"
                      " WHERE rowid >= ?1 AND rowid < ?2");
    count->Bind(1, first).Bind(2, end).Step();
    for (int rating = 0; rating < 4; ++rating)
        counts.byRating[static_cast<std::size_t>(rating)] = static_cast<int>(count->Real(rating));
    counts.toReviews = static_cast<int>(count->Real(4));
    counts.remembered = static_cast<int>(count->Real(5));
    return counts;
}

int ReviewStore::CountCards(ReviewState state, std::int64_t from, std::int64_t to)
{
    if (!Ready(false))
        return 0;
    Run count(table_, "SELECT count(*) FROM ReviewCard WHERE state = ?1 AND due >= ?2 AND due < ?3");
    count->Bind(1, static_cast<std::int64_t>(state)).Bind(2, from).Bind(3, to).Step();
    return static_cast<int>(count->Integer(0));
}
