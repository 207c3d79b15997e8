// The digest of what the table holds answers "unchanged" only where an exact seek would find a
// record with that very explanation: never for a word stored twice, never after it was forgotten,
// and never when its reading was stopped.

#include "store/StoredWordDigest.h"

#include "store/DictTable.h"
#include "store/TableFile.h"
#include "support/AppendWord.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

class StoredWordDigestTest : public ::testing::Test {
protected:
    StoredWordDigestTest()
    {
        const std::string path = (dir / "DORori.db").string();
        CreateTableFile(path);
        table.Open(path);
        const std::vector<std::pair<std::string, std::string>> words = {
            {"apple", "a fruit"},   {"Pear", "p"},        {"twice", "first"},
            {"TWICE", "second"},    {"\xb0\xa1z", "gbk"}, {std::string(25, 'l'), "long"},
            {"mixed", "\xd6\xd0x"}, {"empty", ""},
        };
        for (const auto& [word, interpret] : words)
            AppendWord(table, word, interpret);
        table.SeekExact("mixed");
    }

    // What an exact seek says about the entry, to compare the digest's answers with.
    bool SeekFindsUnchanged(const std::string& word, const std::string& interpret)
    {
        return table.SeekExact(word) && table.FieldByName("interpret") == interpret;
    }

    TempDir dir;
    TDictTable table;
};

TEST_F(StoredWordDigestTest, AnswersUnchangedOnlyWhereAnExactSeekFindsTheSameExplanation)
{
    StoredWordDigest digest(
        table, [] { return true; }, [] {});
    EXPECT_EQ(table.FieldByName("word"), "mixed"); // reading it moved nothing

    const std::vector<std::pair<std::string, std::string>> probes = {
        {"apple", "a fruit"},
        {"APPLE", "a fruit"},
        {"apple", "A fruit"},
        {"apple", "a fruit "},
        {"pear", "p"},
        {"twice", "first"},
        {"twice", "second"},
        {"\xb0\xa1Z", "gbk"},
        {"\xb0\xc1z", "gbk"},
        {"mixed", "\xd6\xd0x"},
        {"mixed", "\xd6\xd0X"},
        {"empty", ""},
        {std::string(30, 'L'), "long"},
        {"absent", ""},
        {"", ""},
    };
    for (const auto& [word, interpret] : probes) {
        const bool expected = SeekFindsUnchanged(word, interpret) && word.substr(0, 5) != "twice";
        EXPECT_EQ(digest.HoldsUnchanged(word, interpret), expected) << word << "|" << interpret;
    }
    // A word stored twice is never answered for, whichever record the seek finds.
    EXPECT_TRUE(SeekFindsUnchanged("twice", "first"));
    EXPECT_FALSE(digest.HoldsUnchanged("twice", "first"));

    // Once forgotten, a word goes through a seek again, in any letter case.
    digest.Forget("APPLE");
    EXPECT_FALSE(digest.HoldsUnchanged("apple", "a fruit"));
    EXPECT_TRUE(digest.HoldsUnchanged("Pear", "p"));
}

TEST_F(StoredWordDigestTest, AStoppedReadingKnowsNoWord)
{
    int asked = 0;
    StoredWordDigest digest(
        table, [&] { return ++asked < 3; }, [] {});
    EXPECT_EQ(asked, 3);
    EXPECT_FALSE(digest.HoldsUnchanged("apple", "a fruit"));
    EXPECT_FALSE(digest.HoldsUnchanged("Pear", "p"));
}

TEST(StoredWordDigest, IsReadOnlyForLargeTablesAndFilesOfAboutTheirSize)
{
    EXPECT_FALSE(StoredWordDigest::WorthReading(600000000, 1000));  // a small table: seeks are cheap
    EXPECT_TRUE(StoredWordDigest::WorthReading(60000000, 1000000)); // a re-import of the whole list
    EXPECT_FALSE(StoredWordDigest::WorthReading(600000, 1000000));  // a few lines into a large table
    EXPECT_FALSE(StoredWordDigest::WorthReading(60000000, 0));      // an empty table is filled instead
}

} // namespace
