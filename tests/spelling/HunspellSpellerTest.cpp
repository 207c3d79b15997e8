#include "spelling/HunspellSpeller.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

bool Holds(const std::vector<std::string>& spellings, const std::string& word)
{
    return std::find(spellings.begin(), spellings.end(), word) != spellings.end();
}

TEST(HunspellSpeller, SuggestsFromTheDesktopsDictionaryAndNothingWithoutIt)
{
    HunspellSpeller speller;
    EXPECT_TRUE(Holds(speller.Suggest("recieve"), "receive"));
    // Only text both encodings spell alike is asked: "苹果" in GBK is no word of it.
    EXPECT_TRUE(speller.Suggest("\xC6\xBB\xB9\xFB").empty());
    EXPECT_TRUE(speller.Suggest(std::string(30, 'a')).empty());

    TempDir empty;
    HunspellSpeller without(empty.path().string());
    EXPECT_TRUE(without.Suggest("recieve").empty());
}

} // namespace
