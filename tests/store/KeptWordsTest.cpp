// The stored words the table keeps in memory for suggestions: which words count as spelt nearly
// alike, which explanations hold a text, and that both follow every change of the table.

#include "store/DictTable.h"
#include "store/TableFile.h"
#include "support/AppendWord.h"
#include "support/Gbk.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class KeptWordsTest : public ::testing::Test {
protected:
    KeptWordsTest()
    {
        CreateTableFile(path);
        table.Open(path);
    }

    void Add(const std::string& word, const std::string& interpret = "x")
    {
        AppendWord(table, word, interpret);
    }

    std::vector<std::string> Similar(const std::string& text, std::size_t most = 8)
    {
        std::vector<std::string> words;
        for (const SimilarWord& similar : table.SimilarWords(text, 2, most))
            words.push_back(similar.word);
        return words;
    }

    std::vector<std::string> Explaining(const std::string& text, std::size_t most = 20)
    {
        std::vector<std::string> words;
        for (const ExplainedWord& found : table.WordsExplaining(text, most))
            words.push_back(found.word);
        return words;
    }

    TempDir dir;
    std::string path = (dir / "DORori.db").string();
    TDictTable table;
};

TEST_F(KeptWordsTest, WordsWithinTwoEditsComeNearestFirstThenInWordOrder)
{
    for (const char* word : {"receive", "Receive", "relieve", "recipe", "deceive", "perceive", "re", "ab",
                             "\xB9\xB7", "accommodate"})
        Add(word);
    struct Row {
        const char* name;
        std::string typed;
        std::size_t most;
        std::vector<std::string> found;
    };
    const Row rows[] = {
        // A swap of neighbours is one edit; a word stored twice in other case counts once.
        {"swapped letters", "recieve", 8, {"Receive", "relieve", "deceive", "recipe"}},
        {"letter case ignored", "RECIEVE", 8, {"Receive", "relieve", "deceive", "recipe"}},
        {"two letters missing", "acommodte", 8, {"accommodate"}},
        {"three edits are too many", "acomodte", 8, {}},
        {"the most asked for", "recieve", 1, {"Receive"}},
        {"short words", "rf", 8, {"re", "ab", "\xB9\xB7"}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Similar(row.typed, row.most), row.found) << row.name;
}

TEST_F(KeptWordsTest, ExplanationsHoldTheTextFromACharacterOnAndComeInWordOrder)
{
    Add("pear", G("梨"));
    Add("Apple", G("n. 苹果\r\n苹果树"));
    Add("apple", G("苹果"));
    Add("cider", G("苹果酒"));
    // "侵" is 0xC7 0xD6; 0xD6 0xC7 ("智") spans its second byte and the next character's first.
    Add("quiet", "\xC7\xD6\xC7\xD6");
    Add("abc", "say ABC");
    EXPECT_EQ(Explaining(G("苹果")), (std::vector<std::string>{"Apple", "apple", "cider"}));
    EXPECT_EQ(Explaining(G("苹果"), 2), (std::vector<std::string>{"Apple", "apple"}));
    EXPECT_EQ(Explaining("\xD6\xC7"), std::vector<std::string>{});
    EXPECT_EQ(Explaining("abc"), std::vector<std::string>{"abc"});
    EXPECT_EQ(table.WordsExplaining(G("梨"), 20).at(0).interpret, G("梨"));
}

TEST_F(KeptWordsTest, WhatIsKeptFollowsAdditionsChangesDeletionsAndAnUndoneBatch)
{
    Add("apple", G("苹果"));
    Add("pear", G("梨"));
    // Made now; every change from here on is told to them.
    ASSERT_EQ(Similar("appel"), std::vector<std::string>{"apple"});
    ASSERT_EQ(Explaining(G("梨")), std::vector<std::string>{"pear"});

    Add("apply", G("申请"));
    EXPECT_EQ(Similar("appel"), (std::vector<std::string>{"apple", "apply"}));
    EXPECT_EQ(Explaining(G("申请")), std::vector<std::string>{"apply"});

    ASSERT_TRUE(table.SeekExact("pear"));
    table.Edit();
    table.SetFieldByName("word", "Pearl");
    table.SetFieldByName("interpret", G("珍珠"));
    table.Post();
    EXPECT_EQ(Explaining(G("梨")), std::vector<std::string>{});
    EXPECT_EQ(Explaining(G("珍珠")), std::vector<std::string>{"Pearl"});
    EXPECT_EQ(Similar("perl"), std::vector<std::string>{"Pearl"});

    ASSERT_TRUE(table.SeekExact("apple"));
    table.Delete();
    EXPECT_EQ(Similar("appel"), std::vector<std::string>{"apply"});
    EXPECT_EQ(Explaining(G("苹果")), std::vector<std::string>{});

    // Many changes of one record leave its latest texts alone.
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(table.SeekExact("apply"));
        table.Edit();
        table.SetFieldByName("interpret", G("申请") + std::to_string(i));
        table.Post();
    }
    EXPECT_EQ(table.WordsExplaining(G("申请"), 20).at(0).interpret, G("申请") + "49");

    // A batch's additions are kept as it stores them.
    table.BeginBatch();
    Add("grape", G("葡萄"));
    table.EndBatch();
    EXPECT_EQ(Explaining(G("葡萄")), std::vector<std::string>{"grape"});
    EXPECT_EQ(Similar("grap"), std::vector<std::string>{"grape"});
}

} // namespace
