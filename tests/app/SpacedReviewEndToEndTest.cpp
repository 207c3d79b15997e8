// The spaced review through the real program on a desktop of its own, its clock fixed by libfaketime
// on three days in turn: the words typed into the drill on each day, the cards and answers then
// stored equal what the scheduler makes of the same answers at the same times, and the drill asks
// what is due before new words, up to the day's limit.

#include "DesktopFixture.h"
#include "store/DictTable.h"
#include "store/TableConnection.h"
#include "store/TableFile.h"
#include "study/FsrsScheduler.h"
#include "support/SqlText.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kFakeTime = "/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1";

struct Typed {
    const char* text;
    const char* rated; // the word whose answer this is, or nullptr for a second try
    ReviewRating rating;
};

struct Day {
    const char* clock; // UTC, fixed for the whole start
    std::int64_t at;
    std::vector<Typed> typed;
};

class SpacedReviewEndToEndTest : public DesktopFixture {
protected:
    void SetUp() override
    {
        if (!QFile::exists(kFakeTime))
            GTEST_SKIP() << "libfaketime is not installed";
        StartDesktop({"trayer",
                      {"--edge", "bottom", "--align", "right", "--widthtype", "request", "--height", "24",
                       "--SetDockType", "true"},
                      "^trayer$"});
        table = (dir / "program/data/DORori.db").string();
        fs::create_directories(dir / "program/data");
        CreateTableFile(table);
        TDictTable words;
        words.Open(table);
        for (const char* word : {"ant", "bee", "cat", "dog", "eel", "fox", "gnu"}) {
            words.Append();
            words.SetFieldByName("word", word);
            words.SetFieldByName("interpret", std::string("meaning of ") + word);
            words.Post();
        }
        fs::create_directories(dir / "config/ZYSOFT");
        std::ofstream(dir / "config/ZYSOFT/DoRori.reg") << "integer D_Schedule=1\ninteger D_NewPerDay=2\n";
    }

    // The program started with its clock fixed at `clock`; the sanitizers' runtime need not come
    // first where libfaketime does.
    QProcess& StartAt(const char* clock)
    {
        return desktop->Spawn("env",
                              {QStringLiteral("LD_PRELOAD=") + kFakeTime, QStringLiteral("FAKETIME=") + clock,
                               "FAKETIME_DONT_FAKE_MONOTONIC=1", "TZ=UTC",
                               "ASAN_OPTIONS=verify_asan_link_order=0",
                               QString::fromStdString((dir / "program/DoRori").string())},
                              QString::fromStdString((dir / "program").string()));
    }

    int Answers() const
    {
        const TableConnection db = OpenTableConnection(table, TableAccess::ReadOnly);
        const std::string count = SqlText(db.get(), "SELECT count(*) FROM ReviewLog");
        return count.empty() ? 0 : std::stoi(count);
    }

    std::map<std::string, ReviewCard> StoredCards() const
    {
        const TableConnection db = OpenTableConnection(table, TableAccess::ReadOnly);
        sqlite3_stmt* statement = nullptr;
        std::map<std::string, ReviewCard> cards;
        EXPECT_EQ(sqlite3_prepare_v2(
                      db.get(),
                      "SELECT word, state, learning_steps, due, stability, difficulty, scheduled_days,"
                      " reps, lapses, last_review FROM ReviewCard",
                      -1, &statement, nullptr),
                  SQLITE_OK);
        while (sqlite3_step(statement) == SQLITE_ROW)
            cards[reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))] = {
                static_cast<ReviewState>(sqlite3_column_int(statement, 1)),
                sqlite3_column_int(statement, 2),
                sqlite3_column_int64(statement, 3),
                sqlite3_column_double(statement, 4),
                sqlite3_column_double(statement, 5),
                sqlite3_column_int(statement, 6),
                sqlite3_column_int(statement, 7),
                sqlite3_column_int(statement, 8),
                sqlite3_column_int64(statement, 9)};
        sqlite3_finalize(statement);
        return cards;
    }

    std::string table;
};

TEST_F(SpacedReviewEndToEndTest, WordsAnsweredOnThreeDaysAreScheduledAsTheModelHasIt)
{
    const std::vector<Day> days = {
        // Two new words a day; a miss is Again, and the second try is no answer of its own.
        {"2026-12-09 10:00:00",
         1796810400,
         {{"ant", "ant", ReviewRating::Good}, {"bxx", "bee", ReviewRating::Again}, {"bee", nullptr, {}}}},
        // The steps left yesterday first, bee's due first, then two new words.
        {"2026-12-10 10:00:00",
         1796896800,
         {{"bee", "bee", ReviewRating::Good},
          {"ant", "ant", ReviewRating::Good},
          {"cat", "cat", ReviewRating::Good},
          {"dog", "dog", ReviewRating::Good}}},
        // A week on: the steps, a miss among them; ant, in review and due now; the day's new words.
        {"2026-12-17 10:00:00",
         1797501600,
         {{"bee", "bee", ReviewRating::Good},
          {"cta", "cat", ReviewRating::Again},
          {"cat", nullptr, {}},
          {"dog", "dog", ReviewRating::Good},
          {"ant", "ant", ReviewRating::Good},
          {"eel", "eel", ReviewRating::Good},
          {"fox", "fox", ReviewRating::Good}}},
    };
    std::map<std::string, ReviewCard> expected;
    int answers = 0;
    for (const Day& day : days) {
        QProcess& program = StartAt(day.clock);
        QString window;
        ASSERT_TRUE(AwaitWhileRunning(program, [&] { return !(window = MainWindow()).isEmpty(); }))
            << day.clock << ": no window";
        desktop->Tool("xdotool", {"windowactivate", "--sync", window, "key", "ctrl+Tab"});
        for (const Typed& typed : day.typed) {
            // A wrong answer stays in the box for the learner to correct: the next one replaces it.
            desktop->Tool("xdotool", {"key", "ctrl+a"});
            desktop->Tool("xdotool", {"type", "--delay", "20", typed.text});
            desktop->Tool("xdotool", {"key", "Return"});
            if (!typed.rated)
                continue;
            ++answers;
            ASSERT_TRUE(Eventually([&] { return Answers() == answers; }))
                << day.clock << ": the answer " << typed.text << " was not recorded";
            expected[typed.rated] = FsrsScheduler::Next(expected[typed.rated], day.at, typed.rating);
            const ReviewCard& want = expected[typed.rated];
            const auto cards = StoredCards();
            ASSERT_TRUE(cards.count(typed.rated))
                << day.clock << ": " << typed.text << " answered another word";
            const ReviewCard& got = cards.at(typed.rated);
            EXPECT_TRUE(got.state == want.state && got.step == want.step && got.due == want.due &&
                        got.stability == want.stability && got.difficulty == want.difficulty &&
                        got.scheduledDays == want.scheduledDays && got.reps == want.reps &&
                        got.lapses == want.lapses && got.lastReview == want.lastReview)
                << day.clock << " " << typed.rated << ": stored state " << static_cast<int>(got.state)
                << " step " << got.step << " due " << got.due << " S " << got.stability << " D "
                << got.difficulty << ", want state " << static_cast<int>(want.state) << " step " << want.step
                << " due " << want.due << " S " << want.stability << " D " << want.difficulty;
        }
        program.terminate();
        ASSERT_TRUE(program.waitForFinished(kPatienceMs)) << day.clock;
        EXPECT_EQ(program.exitCode(), 0) << day.clock;
    }
    EXPECT_EQ(StoredCards().size(), 6u) << "gnu was never new: two a day";
    EXPECT_EQ(expected["ant"].state, ReviewState::Review);
    EXPECT_EQ(expected["cat"].state, ReviewState::Learning);
}

} // namespace
