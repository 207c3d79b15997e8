#include "store/ErrorBook.h"

#include "store/DictSchema.h"
#include "store/DictTable.h"
#include "store/TableFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

namespace {

bool HoldsErrorBook(TDictTable& table)
{
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(table.Connection(), "SELECT 1 FROM sqlite_schema WHERE name = 'ErrorBook'", -1,
                       &statement, nullptr);
    const bool found = sqlite3_step(statement) == SQLITE_ROW;
    sqlite3_finalize(statement);
    return found;
}

class ErrorBookTest : public ::testing::Test {
protected:
    ErrorBookTest()
    {
        CreateTableFile(path);
        table.Open(path);
    }
    TempDir dir;
    std::string path = (dir / "DORori.db").string();
    TDictTable table;
    ErrorBook book{table};
};

TEST_F(ErrorBookTest, MissesOrderTheBookAndTwoRightAnswersInARowRetireAWord)
{
    // Reading, retiring and forgetting in an empty file make no table; the first miss does.
    EXPECT_EQ(book.NextWord(), std::nullopt);
    EXPECT_FALSE(book.RecordRight("cat"));
    book.Forget("cat");
    EXPECT_EQ(book.Count(), 0);
    EXPECT_FALSE(HoldsErrorBook(table));

    book.RecordMiss("cat", 300);
    book.RecordMiss("dog", 100);
    book.RecordMiss("eel", 200);
    EXPECT_TRUE(HoldsErrorBook(table));
    EXPECT_EQ(LookAtTableFile(path).state, TableFileState::Table) << "the start-up check accepts it";
    EXPECT_EQ(book.Count(), 3);
    EXPECT_EQ(book.NextWord(), "dog") << "one miss each: the oldest first";
    book.RecordMiss("CAT", 400); // the word as an import may have renamed it
    EXPECT_EQ(book.Count(), 3);
    EXPECT_EQ(book.NextWord(), "cat") << "most misses first";

    EXPECT_FALSE(book.RecordRight("cat"));
    book.RecordMiss("cat", 500); // a miss between right answers starts the run again
    EXPECT_FALSE(book.RecordRight("cat"));
    EXPECT_EQ(book.NextWord(), "cat");
    EXPECT_TRUE(book.RecordRight("Cat"));
    EXPECT_EQ(book.Count(), 2);
    EXPECT_EQ(book.NextWord(), "dog");

    book.Forget("dog");
    EXPECT_EQ(book.NextWord(), "eel");

    // Kept on disk by each call: a new connection sees what was recorded.
    table.Close();
    table.Open(path);
    EXPECT_EQ(book.Count(), 1);
    EXPECT_EQ(book.NextWord(), "eel");
}

} // namespace
