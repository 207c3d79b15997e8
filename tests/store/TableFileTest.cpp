#include "store/TableFile.h"

#include "store/DictTable.h"
#include "study/ErrorReport.h"
#include "support/TempDir.h"
#include "text/GbkCodec.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sqlite3.h>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(TableFile, FirstStartCreatesTheTableAndTheNextOpensItWithoutRecreating)
{
    // No file, or one of zero bytes that holds no words: the table is made in its place.
    for (const bool zeroLength : {false, true}) {
        TempDir dir;
        if (zeroLength) {
            fs::create_directory(dir / "data");
            std::ofstream(dir / "data/DORori.db").close();
        }
        {
            TDictTable table;
            ASSERT_EQ(OpenOrCreateTable(dir.path(), table).outcome, OpenOutcome::Opened);
            EXPECT_TRUE(fs::exists(dir / "data/DORori.db"));
            table.Append();
            table.SetFieldByName("word", "kept");
            table.Post();
        }
        TDictTable table;
        ASSERT_EQ(OpenOrCreateTable(dir.path(), table).outcome, OpenOutcome::Opened);
        EXPECT_EQ(table.RecordCount(), 1);
        EXPECT_EQ(table.FieldByName("word"), "kept");
    }
}

TEST(TableFile, AFileThatIsNotATableIsReportedAndLeftAsItIs)
{
    TempDir dir;
    fs::create_directory(dir / "data");
    const std::string junk(5000, 'j');
    std::ofstream(dir / "data/DORori.db", std::ios::binary) << junk;
    TDictTable table;
    const OpenResult result = OpenOrCreateTable(dir.path(), table);
    EXPECT_EQ(result.outcome, OpenOutcome::Failed);
    EXPECT_NE(StartRefusalText(result).find("not a database"), std::string::npos) << result.detail;
    EXPECT_FALSE(table.Active());
    EXPECT_EQ(ReadFile(dir / "data/DORori.db"), junk);
}

TEST(TableFile, AForeignDatabaseStaysByteForByteAndTheMessageSaysWhichFileAndWhatToDo)
{
    TempDir dir;
    fs::create_directory(dir / "data");
    const fs::path file = dir / "data/DORori.db";
    for (const char* mode : {"DELETE", "WAL"}) {
        fs::remove(file);
        sqlite3* other = nullptr;
        ASSERT_EQ(sqlite3_open(file.c_str(), &other), SQLITE_OK);
        const std::string sql = std::string("PRAGMA journal_mode=") + mode +
                                "; CREATE TABLE notes (text); INSERT INTO notes VALUES ('mine');";
        ASSERT_EQ(sqlite3_exec(other, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(other);
        const std::string before = ReadFile(file);

        TDictTable table;
        const OpenResult result = OpenOrCreateTable(dir.path(), table);
        EXPECT_EQ(result.outcome, OpenOutcome::Failed);
        EXPECT_FALSE(table.Active());
        EXPECT_EQ(ReadFile(file), before) << mode;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir / "data"), {}), 1) << mode;
        const std::string text = gbk::ToUtf8(StartRefusalText(result));
        EXPECT_NE(text.find("不是本程序的词库：\r\n" + file.string() + "\r\n"), std::string::npos) << text;
        EXPECT_NE(text.find("请把它移到别处"), std::string::npos) << text;
        EXPECT_EQ(text.substr(text.size() - 23), "(no such table: DORori)") << text;
    }
}

TEST(TableFile, ALockedTableIsReportedWithTheEngineText)
{
    TempDir dir;
    {
        TDictTable table;
        ASSERT_EQ(OpenOrCreateTable(dir.path(), table).outcome, OpenOutcome::Opened);
    }
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open((dir / "data/DORori.db").c_str(), &other), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(other, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE;", nullptr, nullptr, nullptr),
        SQLITE_OK);
    TDictTable table;
    const OpenResult result = OpenOrCreateTable(dir.path(), table);
    EXPECT_EQ(result.outcome, OpenOutcome::Failed);
    const std::string text = gbk::ToUtf8(StartRefusalText(result));
    EXPECT_NE(text.find("locked"), std::string::npos) << text;
    EXPECT_NE(text.find("解除锁定"), std::string::npos) << text;
    sqlite3_close(other);
}

TEST(TableFile, AnUnwritableProgramDirectoryLeavesNothingBehind)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    TempDir dir;
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    TDictTable table;
    const OpenResult result = OpenOrCreateTable(dir.path(), table);
    EXPECT_EQ(result.outcome, OpenOutcome::Failed);
    EXPECT_EQ(result.trouble, DictTrouble::FolderNotMade);
    EXPECT_FALSE(fs::exists(dir / "data"));
}

TEST(TableFile, AnUnwritableDataDirectoryLeavesNoHalfMadeTable)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    TempDir dir;
    fs::create_directory(dir / "data");
    fs::permissions(dir / "data", fs::perms::owner_read | fs::perms::owner_exec);
    TDictTable table;
    EXPECT_EQ(OpenOrCreateTable(dir.path(), table).outcome, OpenOutcome::Failed);
    EXPECT_TRUE(fs::is_empty(dir / "data"));
    fs::permissions(dir / "data", fs::perms::owner_all);
}

} // namespace
