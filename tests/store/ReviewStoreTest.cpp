// The review tables: made at the first answer in the program's own shape, keyed by the word's fold,
// read through their indexes, and left alone where the file holds anything else of their names.
#include "store/ReviewStore.h"

#include "store/DictTable.h"
#include "store/TableFile.h"
#include "support/SqlText.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::string FileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class ReviewStoreTest : public ::testing::Test {
protected:
    ReviewStoreTest()
    {
        CreateTableFile(path);
        table.Open(path);
        for (const char* word : {"ant", "Bee", "cat", "dog"}) {
            table.Append();
            table.SetFieldByName("word", word);
            table.Post();
        }
    }
    std::vector<std::string> Tables()
    {
        return SqlColumn(table.Connection(), "SELECT name FROM sqlite_schema ORDER BY name");
    }

    TempDir dir;
    std::string path = (dir / "DORori.db").string();
    TDictTable table;
    ReviewStore store{table};
};

TEST_F(ReviewStoreTest, TheFirstAnswerMakesTheTablesWhichKeepCardsByTheFoldAndEveryAnswer)
{
    // Reading and forgetting make nothing; every word is new.
    const std::vector<std::string> before = Tables();
    EXPECT_TRUE(store.Usable());
    EXPECT_EQ(store.Card("ant"), std::nullopt);
    EXPECT_EQ(store.FirstDueStep(2000), std::nullopt);
    EXPECT_FALSE(store.HasAnswers());
    EXPECT_EQ(store.FirstNewWord("b"), "Bee");
    store.Forget("ant");
    EXPECT_EQ(Tables(), before);

    const ReviewCard learning{ReviewState::Learning, 1, 1000 + 600, 2.3065, 2.11810397, 0, 1, 0, 1000};
    store.Record("bee", ReviewCard{}, ReviewRating::Good, learning);
    EXPECT_EQ(LookAtTableFile(path).state, TableFileState::Table) << "the start-up check accepts it";
    // An import that renamed the word in letter case finds the same card.
    const auto kept = store.Card("BEE");
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->stability, learning.stability);
    EXPECT_EQ(kept->difficulty, learning.difficulty);
    EXPECT_EQ(kept->due, 1600);
    const ReviewCard review{ReviewState::Review, 0, 1700 + 2 * 86400, 2.3065, 2.11810397, 2, 2, 0, 1700};
    store.Record("Bee", *kept, ReviewRating::Good, review);
    store.Record("cat", ReviewCard{}, ReviewRating::Again,
                 {ReviewState::Learning, 0, 1860, 0.212, 6.4133, 0, 1, 0, 1800});
    // The log's times never go back: it keeps its answers in time order without an index of them.
    EXPECT_THROW(store.Record("dog", ReviewCard{}, ReviewRating::Good, learning), std::invalid_argument);
    EXPECT_EQ(store.LatestAnswer(), 1800);
    EXPECT_EQ(SqlColumn(table.Connection(),
                        "SELECT word || ' ' || state || ' ' || reps FROM ReviewCard ORDER BY word"),
              (std::vector<std::string>{"bee 2 2", "cat 1 1"}))
        << "the card keeps its first spelling";
    // The log keeps the card as it was before each answer.
    EXPECT_EQ(SqlColumn(table.Connection(),
                        "SELECT review || ' ' || rating || ' ' || state || ' ' || due FROM ReviewLog"
                        " WHERE word = 'bee' ORDER BY review"),
              (std::vector<std::string>{"1000 3 0 0", "1700 3 1 1600"}));

    EXPECT_EQ(store.CardCount(), 2);
    EXPECT_EQ(store.CountSteps(), 1);
    EXPECT_EQ(store.FirstDueStep(1859), std::nullopt);
    EXPECT_EQ(store.FirstDueStep(1860)->word, "cat");
    EXPECT_EQ(store.StepsAfter(1859).size(), 1u);
    EXPECT_TRUE(store.StepsAfter(1860).empty());
    EXPECT_EQ(store.CountNewSince(0), 2);
    EXPECT_EQ(store.CountNewSince(1001), 1);
    EXPECT_EQ(store.CountNewSince(1801), 0);
    EXPECT_EQ(store.FirstNewWord("b"), "dog") << "bee and cat have cards";
    EXPECT_EQ(store.FirstNewWord("e"), "ant") << "past the last word the first ones follow";
    std::vector<std::string> due;
    store.VisitDueReviews(0, 1700 + 2 * 86400, [&](StoredCard&& card) { due.push_back(card.word); });
    EXPECT_EQ(due, std::vector<std::string>{"bee"});
    store.VisitDueReviews(1700 + 2 * 86400, 10'000'000'000,
                          [&](StoredCard&& card) { due.push_back(card.word); });
    EXPECT_EQ(due.size(), 1u) << "a card falls due once";

    store.Forget("BEE");
    EXPECT_EQ(store.Forgotten(), 1);
    EXPECT_EQ(store.Card("bee"), std::nullopt);
    EXPECT_EQ(SqlColumn(table.Connection(), "SELECT count(*) FROM ReviewLog WHERE word = 'bee'"),
              std::vector<std::string>{"0"});
    // Each call is durable: another connection sees it.
    table.Close();
    table.Open(path);
    EXPECT_EQ(store.CardCount(), 1);
    EXPECT_TRUE(store.HasAnswers());
}

TEST_F(ReviewStoreTest, WhatTheDrillAsksOfTheTablesIsFoundThroughTheirIndexes)
{
    store.Record("ant", ReviewCard{}, ReviewRating::Good,
                 {ReviewState::Learning, 1, 600, 2.3, 2.1, 0, 1, 0, 0});
    // The statements the store runs, with their values, as the engine saw them.
    std::vector<std::string> run;
    sqlite3_trace_v2(
        table.Connection(), SQLITE_TRACE_STMT,
        [](unsigned, void* context, void* statement, void*) {
            char* sql = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(statement));
            static_cast<std::vector<std::string>*>(context)->push_back(sql);
            sqlite3_free(sql);
            return 0;
        },
        &run);
    store.Card("ant");
    store.FirstDueStep(5);
    store.StepsAfter(5);
    store.VisitDueReviews(5, 9, [](StoredCard&&) {});
    store.CountNewSince(5);
    store.LatestAnswer();
    store.HasAnswers();
    store.CountAnswers(5, 9);
    store.CountCards(ReviewState::Review, 5, 9);
    store.FirstNewWord("b");
    store.Forget("ant");
    sqlite3_trace_v2(table.Connection(), 0, nullptr, nullptr);
    int checked = 0;
    for (const std::string& sql : run) {
        if (sql.rfind("SELECT", 0) != 0 && sql.rfind("DELETE", 0) != 0)
            continue;
        ++checked;
        // A sort of the few words in a step is no matter; a scan of a table or an index is.
        for (const std::string& step : SqlColumn(table.Connection(), "EXPLAIN QUERY PLAN " + sql, 3))
            EXPECT_EQ(step.find("SCAN"), std::string::npos) << sql << "\n" << step;
    }
    EXPECT_GE(checked, 9);
}

TEST_F(ReviewStoreTest, AFileWhoseReviewNamesThisProgramDidNotMakeIsLeftAlone)
{
    const struct {
        const char* what;
        const char* sql;
    } rows[] = {
        {"a card table of another shape", "CREATE TABLE ReviewCard (word TEXT PRIMARY KEY, due INTEGER)"},
        {"a log of ours beside no card table",
         "CREATE TABLE ReviewLog (word TEXT COLLATE GBK_NOCASE NOT NULL, review INTEGER NOT NULL,"
         " rating INTEGER NOT NULL, state INTEGER NOT NULL, due INTEGER NOT NULL, stability REAL NOT NULL,"
         " difficulty REAL NOT NULL, scheduled_days INTEGER NOT NULL)"},
        {"a view spelt in another case", "CREATE VIEW reviewcard AS SELECT word FROM DORori"},
        {"an index of the name on another table", "CREATE INDEX ReviewLogWord ON DORori(remark)"},
    };
    for (const auto& row : rows) {
        const auto file = dir / (std::string("foreign-") + std::to_string(&row - rows) + ".db");
        CreateTableFile(file.string());
        {
            TDictTable foreign;
            foreign.Open(file.string());
            ASSERT_EQ(sqlite3_exec(foreign.Connection(), row.sql, nullptr, nullptr, nullptr), SQLITE_OK)
                << row.what;
        }
        const std::string bytes = FileBytes(file);
        TDictTable foreign;
        foreign.Open(file.string());
        ReviewStore review(foreign);
        EXPECT_FALSE(review.Usable()) << row.what;
        review.Record("ant", ReviewCard{}, ReviewRating::Good,
                      {ReviewState::Learning, 1, 600, 2.3, 2.1, 0, 1, 0, 0});
        review.Forget("ant");
        EXPECT_EQ(review.Card("ant"), std::nullopt) << row.what;
        foreign.Close();
        EXPECT_EQ(FileBytes(file), bytes) << row.what;
    }
}

} // namespace
