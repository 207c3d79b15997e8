// A word table from elsewhere runs nothing it holds: the start's verdict refuses a file with a
// trigger or a view, and a connection given one anyway fires no trigger and reads no view.

#include "store/DictSchema.h"
#include "store/DictTable.h"
#include "store/ErrorBook.h"
#include "store/SqliteStatement.h"
#include "store/TableConnection.h"
#include "store/TableFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

namespace {

class UntrustedTableTest : public ::testing::Test {
protected:
    // The program's table of five words with an empty error book.
    UntrustedTableTest()
    {
        CreateTableFile(path);
        table.Open(path);
        for (const char* word : {"ant", "bee", "cat", "dog", "eel"}) {
            table.Append();
            table.SetFieldByName("word", word);
            table.Post();
        }
        book.RecordMiss("ant", 1);
        book.Forget("ant");
    }
    // What a file from elsewhere brings; the table is closed then.
    void Plant(const std::string& sql)
    {
        ExecuteSql(table.Connection(), sql.c_str());
        table.Close();
    }
    TempDir dir;
    std::string path = (dir / "DORori.db").string();
    TDictTable table;
    ErrorBook book{table};
};

const std::string kWipe = "CREATE TRIGGER wipe AFTER INSERT ON ErrorBook BEGIN DELETE FROM DORori; END;"
                          "CREATE TRIGGER wipeRest AFTER DELETE ON DORori BEGIN DELETE FROM DORori; END;";
const std::string kPeek = "CREATE VIEW peek AS SELECT word FROM DORori;";

TEST_F(UntrustedTableTest, TheVerdictNamesTheTriggerOrViewThatMakesAFileNotTheProgramsTable)
{
    for (const auto& [sql, detail] :
         {std::pair{kWipe, "holds a trigger: wipe"},
          std::pair{"DROP TRIGGER wipe; DROP TRIGGER wipeRest;" + kPeek, "holds a view: peek"}}) {
        Plant(sql);
        const TableFileLook check = LookAtTableFile(path);
        EXPECT_EQ(check.state, TableFileState::Foreign) << detail;
        EXPECT_EQ(check.detail, detail);
        table.Open(path);
    }
}

TEST_F(UntrustedTableTest, AConnectionGivenSuchAFileFiresNoTriggerAndReadsNoView)
{
    Plant(kWipe + kPeek);
    table.Open(path); // as a start that did not look first would
    book.RecordMiss("bee", 2);
    ASSERT_TRUE(table.SeekExact("cat")) << "the miss ran nothing";
    table.Delete();
    table.Close();
    table.Open(path);
    EXPECT_EQ(table.RecordCount(), 4) << "only the deleted word is gone";
    EXPECT_EQ(book.Count(), 1);
    for (const TableAccess access : {TableAccess::ReadWrite, TableAccess::ReadOnly, TableAccess::Immutable}) {
        sqlite3_stmt* statement = nullptr;
        EXPECT_NE(sqlite3_prepare_v2(OpenTableConnection(path, access).get(), "SELECT word FROM peek", -1,
                                     &statement, nullptr),
                  SQLITE_OK);
        sqlite3_finalize(statement);
    }
}

} // namespace
