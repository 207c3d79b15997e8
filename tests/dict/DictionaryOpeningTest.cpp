#include "dict/DictionaryOpening.h"

#include "dict/DictTable.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sqlite3.h>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(DictionaryOpening, FirstStartCreatesTheTableAndTheNextOpensItWithoutRecreating)
{
    TempDir dir;
    {
        TDictTable table;
        ASSERT_EQ(OpenDictionary(dir.path(), table).outcome, OpenOutcome::Opened);
        EXPECT_TRUE(fs::exists(dir / "data/DORori.db"));
        table.Append();
        table.SetFieldByName("word", "kept");
        table.Post();
    }
    TDictTable table;
    ASSERT_EQ(OpenDictionary(dir.path(), table).outcome, OpenOutcome::Opened);
    EXPECT_EQ(table.RecordCount(), 1);
    EXPECT_EQ(table.FieldByName("word"), "kept");
}

TEST(DictionaryOpening, AFileThatIsNotATableIsReportedAndLeftAsItIs)
{
    TempDir dir;
    fs::create_directory(dir / "data");
    const std::string junk(5000, 'j');
    std::ofstream(dir / "data/DORori.db", std::ios::binary) << junk;
    TDictTable table;
    const OpenResult result = OpenDictionary(dir.path(), table);
    EXPECT_EQ(result.outcome, OpenOutcome::Failed);
    EXPECT_NE(result.error.find("not a database"), std::string::npos) << result.error;
    EXPECT_FALSE(table.Active());
    EXPECT_EQ(ReadFile(dir / "data/DORori.db"), junk);
}

TEST(DictionaryOpening, ALockedTableIsReportedWithTheEngineText)
{
    TempDir dir;
    {
        TDictTable table;
        ASSERT_EQ(OpenDictionary(dir.path(), table).outcome, OpenOutcome::Opened);
    }
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open((dir / "data/DORori.db").c_str(), &other), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(other, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE;", nullptr, nullptr, nullptr),
        SQLITE_OK);
    TDictTable table;
    const OpenResult result = OpenDictionary(dir.path(), table);
    EXPECT_EQ(result.outcome, OpenOutcome::Failed);
    EXPECT_NE(result.error.find("locked"), std::string::npos) << result.error;
    sqlite3_close(other);
}

TEST(DictionaryOpening, AnUnwritableProgramDirectoryLeavesNothingBehind)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    TempDir dir;
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    TDictTable table;
    const OpenResult result = OpenDictionary(dir.path(), table);
    EXPECT_EQ(result.outcome, OpenOutcome::Failed);
    EXPECT_FALSE(result.error.empty());
    EXPECT_FALSE(fs::exists(dir / "data"));
}

TEST(DictionaryOpening, AnUnwritableDataDirectoryLeavesNoHalfMadeTable)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    TempDir dir;
    fs::create_directory(dir / "data");
    fs::permissions(dir / "data", fs::perms::owner_read | fs::perms::owner_exec);
    TDictTable table;
    EXPECT_EQ(OpenDictionary(dir.path(), table).outcome, OpenOutcome::Failed);
    EXPECT_TRUE(fs::is_empty(dir / "data"));
    fs::permissions(dir / "data", fs::perms::owner_all);
}

} // namespace
