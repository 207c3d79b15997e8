// The fill's word set: every word is found again through several growths, without letter case,
// the first of equal words wins, and a candidate the caller rejects is not taken.

#include "store/WordIdSet.h"

#include "text/GbkText.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

TEST(WordIdSet, FindsEveryWordThroughGrowthsAndTheFirstOfEqualWords)
{
    WordIdSet set;
    std::map<std::int64_t, std::string> stored;
    const auto isWord = [&](const std::string& word) {
        return [&stored, word](std::int64_t id) { return gbk::EqualNoCase(stored.at(id), word); };
    };
    EXPECT_EQ(set.Find("a", isWord("a")), 0);
    for (std::int64_t id = 100; id < 20100; ++id) {
        const std::string word = "word" + std::to_string(id % 15000);
        stored[id] = id >= 15100 ? "WORD" + std::to_string(id % 15000) : word;
        set.Add(stored[id], id);
        if (id % 997 == 0) { // also while the slots move to a larger table
            ASSERT_EQ(set.Find(word, isWord(word)), id >= 15100 ? id - 15000 : id) << id;
        }
    }
    for (std::int64_t id = 100; id < 15100; ++id) {
        const std::string word = "Word" + std::to_string(id % 15000);
        ASSERT_EQ(set.Find(word, isWord(word)), id) << word;
    }
    EXPECT_EQ(set.Find("word15000", isWord("word15000")), 0);
    EXPECT_EQ(set.Find("word7", [](std::int64_t) { return false; }), 0);
}

TEST(WordIdSet, IdsWithGapsAreFoundThroughGrowths)
{
    WordIdSet set;
    // Steps of 7 cross blocks of entries, and a jump midway leaves whole blocks unused when the
    // set grows after it.
    std::vector<std::int64_t> ids;
    for (std::int64_t id = 5; ids.size() < 3000; id += ids.size() == 1500 ? 1000000 : 7)
        ids.push_back(id);
    for (const std::int64_t id : ids)
        set.Add("w" + std::to_string(id), id);
    for (const std::int64_t id : ids)
        ASSERT_EQ(
            set.Find("W" + std::to_string(id), [id](std::int64_t candidate) { return candidate == id; }), id)
            << id;
}
