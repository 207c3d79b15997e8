#include "store/ReviewStore.h"

#include "store/DictSchema.h"
#include "store/DictTable.h"
#include "store/SqliteStatement.h"

#include <algorithm>
#include <array>
#include <sqlite3.h>
#include <string>

namespace {

struct SchemaEntry {
    const char* type;
    const char* name;
    const char* sql;
};

// The review's tables and indexes as this program writes them: anything else of these names (a
// foreign or an older file) is not ours to change. The due index keeps the next step and the cards
// falling due an index range; the time index answers the statistics and the day's new words from
// the index alone; the word index lets a deleted word's answers go without a scan.
constexpr std::array<SchemaEntry, 5> kSchema{{
    {"table", "ReviewCard",
     "CREATE TABLE ReviewCard (word TEXT COLLATE " DICT_COLLATION " PRIMARY KEY NOT NULL,"
     " state INTEGER NOT NULL, learning_steps INTEGER NOT NULL, due INTEGER NOT NULL,"
     " stability REAL NOT NULL, difficulty REAL NOT NULL, scheduled_days INTEGER NOT NULL,"
     " reps INTEGER NOT NULL, lapses INTEGER NOT NULL, last_review INTEGER NOT NULL)"},
    {"index", "ReviewCardDue", "CREATE INDEX ReviewCardDue ON ReviewCard(state, due)"},
    {"table", "ReviewLog",
     "CREATE TABLE ReviewLog (word TEXT COLLATE " DICT_COLLATION " NOT NULL, review INTEGER NOT NULL,"
     " rating INTEGER NOT NULL, state INTEGER NOT NULL, due INTEGER NOT NULL, stability REAL NOT NULL,"
     " difficulty REAL NOT NULL, scheduled_days INTEGER NOT NULL)"},
    {"index", "ReviewLogTime", "CREATE INDEX ReviewLogTime ON ReviewLog(review, rating, state)"},
    {"index", "ReviewLogWord", "CREATE INDEX ReviewLogWord ON ReviewLog(word)"},
}};

constexpr const char* kCardColumns =
    "word, state, learning_steps, due, stability, difficulty, scheduled_days, reps, lapses, last_review";

// The card in columns first..first+8 of a row of kCardColumns.
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

// Runs `work` in one transaction, rolled back when it throws.
template <class Work> void InTransaction(sqlite3* db, Work&& work)
{
    ExecuteSql(db, "BEGIN IMMEDIATE");
    try {
        work();
        ExecuteSql(db, "COMMIT");
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

} // namespace

sqlite3* ReviewStore::Connection()
{
    sqlite3* db = table_.Connection();
    if (db != checked_) {
        checked_ = db;
        shape_ = Shape::Unknown;
    }
    if (db && shape_ == Shape::Unknown) {
        // Anything of these names (a view, a name spelt in another case) counts.
        SqliteStatement found(db, "SELECT type, name, sql FROM sqlite_schema WHERE name COLLATE NOCASE IN"
                                  " ('ReviewCard', 'ReviewCardDue', 'ReviewLog', 'ReviewLogTime',"
                                  " 'ReviewLogWord')");
        std::size_t ours = 0;
        bool foreign = false;
        while (found.Step()) {
            const bool known = std::any_of(kSchema.begin(), kSchema.end(), [&](const SchemaEntry& entry) {
                return found.TextView(0) == entry.type && found.TextView(1) == entry.name &&
                       found.TextView(2) == entry.sql;
            });
            ours += known;
            foreign = foreign || !known;
        }
        shape_ = foreign || (ours > 0 && ours < kSchema.size()) ? Shape::Foreign
                 : ours == 0                                    ? Shape::Absent
                                                                : Shape::Ours;
    }
    return db;
}

bool ReviewStore::Usable()
{
    return Connection() && shape_ != Shape::Foreign;
}

bool ReviewStore::Ready(bool create)
{
    sqlite3* db = Connection();
    if (!db || shape_ == Shape::Foreign)
        return false;
    if (shape_ == Shape::Absent) {
        if (!create)
            return false;
        InTransaction(db, [db] {
            for (const SchemaEntry& entry : kSchema)
                ExecuteSql(db, entry.sql);
        });
        shape_ = Shape::Ours;
    }
    return true;
}

std::optional<ReviewCard> ReviewStore::Card(std::string_view word)
{
    if (!Ready(false))
        return std::nullopt;
    SqliteStatement card(Connection(), "SELECT state, learning_steps, due, stability, difficulty,"
                                       " scheduled_days, reps, lapses, last_review"
                                       " FROM ReviewCard WHERE word = ?1");
    if (!card.Bind(1, word).Step())
        return std::nullopt;
    return CardAt(card, 0);
}

void ReviewStore::Record(std::string_view word, const ReviewCard& before, ReviewRating rating,
                         const ReviewCard& after)
{
    if (!Ready(true))
        return;
    sqlite3* db = Connection();
    InTransaction(db, [&] {
        // The card keeps the spelling of its first answer; a renamed word finds it by the fold.
        SqliteStatement card(db, "INSERT INTO ReviewCard (word, state, learning_steps, due, stability,"
                                 " difficulty, scheduled_days, reps, lapses, last_review)"
                                 " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)"
                                 " ON CONFLICT(word) DO UPDATE SET state = ?2, learning_steps = ?3,"
                                 " due = ?4, stability = ?5, difficulty = ?6, scheduled_days = ?7,"
                                 " reps = ?8, lapses = ?9, last_review = ?10");
        card.Bind(1, word)
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
        SqliteStatement log(db, "INSERT INTO ReviewLog (word, review, rating, state, due, stability,"
                                " difficulty, scheduled_days) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
        log.Bind(1, word)
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
    sqlite3* db = Connection();
    InTransaction(db, [&] {
        SqliteStatement card(db, "DELETE FROM ReviewCard WHERE word = ?1");
        card.Bind(1, word).Step();
        SqliteStatement log(db, "DELETE FROM ReviewLog WHERE word = ?1");
        log.Bind(1, word).Step();
    });
}

std::vector<StoredCard> ReviewStore::Steps()
{
    std::vector<StoredCard> steps;
    if (!Ready(false))
        return steps;
    // Two ranges of the due index, merged; steps are few.
    SqliteStatement step(Connection(), (std::string("SELECT ") + kCardColumns +
                                        " FROM ReviewCard WHERE state IN (1, 3) ORDER BY due, word")
                                           .c_str());
    while (step.Step())
        steps.push_back({step.Text(0), CardAt(step, 1)});
    return steps;
}

void ReviewStore::VisitDueReviews(std::int64_t after, std::int64_t upTo,
                                  const std::function<void(StoredCard&&)>& visit)
{
    if (!Ready(false))
        return;
    SqliteStatement due(Connection(), (std::string("SELECT ") + kCardColumns +
                                       " FROM ReviewCard WHERE state = 2 AND due > ?1 AND due <= ?2")
                                          .c_str());
    due.Bind(1, after).Bind(2, upTo);
    while (due.Step())
        visit({due.Text(0), CardAt(due, 1)});
}

std::optional<std::string> ReviewStore::FirstNewWord(std::string_view from)
{
    if (!table_.Connection())
        return std::nullopt;
    // Every word is new while nothing was reviewed.
    const bool anyCard = Ready(false);
    SqliteStatement first(table_.Connection(),
                          anyCard ? "SELECT word FROM DORori WHERE " DICT_WORD_ORDER " >= ?1 AND NOT EXISTS"
                                    " (SELECT 1 FROM ReviewCard WHERE ReviewCard.word = DORori.word)"
                                    " ORDER BY " DICT_WORD_ORDER ", ID LIMIT 1"
                                  : "SELECT word FROM DORori WHERE " DICT_WORD_ORDER " >= ?1"
                                    " ORDER BY " DICT_WORD_ORDER ", ID LIMIT 1");
    // An empty text, not a null one, which would compare with nothing.
    for (const std::string_view start : {from, std::string_view("")}) {
        if (first.Reset().Bind(1, start).Step())
            return first.Text(0);
    }
    return std::nullopt;
}

int ReviewStore::CardCount()
{
    if (!Ready(false))
        return 0;
    SqliteStatement count(Connection(), "SELECT count(*) FROM ReviewCard");
    count.Step();
    return static_cast<int>(count.Integer(0));
}

int ReviewStore::CountNewSince(std::int64_t since)
{
    if (!Ready(false))
        return 0;
    SqliteStatement count(Connection(), "SELECT count(*) FROM ReviewLog WHERE review >= ?1 AND state = 0");
    count.Bind(1, since).Step();
    return static_cast<int>(count.Integer(0));
}

bool ReviewStore::HasAnswers()
{
    if (!Ready(false))
        return false;
    SqliteStatement any(Connection(), "SELECT 1 FROM ReviewLog LIMIT 1");
    return any.Step();
}

void ReviewStore::VisitAnswersSince(std::int64_t since, const std::function<void(const LoggedAnswer&)>& visit)
{
    if (!Ready(false))
        return;
    SqliteStatement answers(Connection(), "SELECT review, rating, state FROM ReviewLog WHERE review >= ?1");
    answers.Bind(1, since);
    while (answers.Step())
        visit({answers.Integer(0), static_cast<ReviewRating>(answers.Integer(1)),
               static_cast<ReviewState>(answers.Integer(2))});
}

void ReviewStore::VisitCards(const std::function<void(ReviewState state, std::int64_t due)>& visit)
{
    if (!Ready(false))
        return;
    // The due index holds both columns: the cards themselves are not read.
    SqliteStatement cards(Connection(), "SELECT state, due FROM ReviewCard INDEXED BY ReviewCardDue");
    while (cards.Step())
        visit(static_cast<ReviewState>(cards.Integer(0)), cards.Integer(1));
}
