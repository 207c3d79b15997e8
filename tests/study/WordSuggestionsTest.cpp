// The list below the lookup box: what it offers for a misspelt word and for Chinese, and that it
// offers only stored words.

#include "support/Gbk.h"
#include "support/StudyFixture.h"

#include <string>
#include <utility>
#include <vector>

namespace {

using Words = std::vector<std::string>;

// A speller that suggests the same spellings for every word, and counts how often it is asked.
class FixedSpeller : public Speller {
public:
    std::vector<std::string> Suggest(const std::string&) override
    {
        ++asked;
        return spellings;
    }
    Words spellings;
    int asked = 0;
};

class WordSuggestionsTest : public StudyFixture {
protected:
    WordSuggestionsTest()
    {
        pages = std::make_unique<StudyPages>(
            table, view, StudyPaths{(dir / "DoRori.ini").string(), dir.path().string()}, speaker, speller);
    }
    FixedSpeller speller;
};

TEST_F(WordSuggestionsTest, StoredSpellingsOfTheSpellerComeFirstAndNothingUnstoredIsOffered)
{
    AddWords({{"deceive", "x"}, {"perceive", "x"}, {"receive", G("收到")}, {"relieve", "x"}});
    speller.spellings = {"relieve", "reprieve", "PERCEIVE", "receive"};

    view.Type(Control::Edit_Input, "rec");
    EXPECT_TRUE(view.suggestions.empty());
    EXPECT_EQ(speller.asked, 0) << "a typed start of a stored word costs nothing more";

    view.Type(Control::Edit_Input, "recieve");
    EXPECT_EQ(view.suggestionHeading, G("是不是："));
    // The speller's stored ones in its order and as stored, then the nearest of the rest.
    EXPECT_EQ(view.suggestions, (Words{"relieve", "perceive", "receive", "deceive"}));

    // A pick puts the word into the box, and the lookup shows it; the list stays for the next.
    pages->SuggestionPicked(2);
    EXPECT_EQ(view.Text(Control::Edit_Input), "receive");
    EXPECT_EQ(view.Text(Control::Memo_View), G("【receive】") + "\r\n " + G("收到"));
    EXPECT_EQ(view.suggestions.size(), 4u);
    pages->SuggestionPicked(0);
    EXPECT_EQ(view.Text(Control::Memo_View), G("【relieve】") + "\r\n x");

    // Enter seeks the typed text as it is: the list closes.
    view.Type(Control::Edit_Input, "recieve");
    ASSERT_FALSE(view.suggestions.empty());
    view.answers = {Answer::No};
    pages->KeyDown(Control::Edit_Input, VK_RETURN, false);
    EXPECT_TRUE(view.suggestions.empty());
    EXPECT_EQ(view.Text(Control::Memo_View), "not find it");

    // Nothing near, and nothing of the speller's: no list.
    speller.spellings.clear();
    view.Type(Control::Edit_Input, "xylophone");
    EXPECT_TRUE(view.suggestions.empty());
}

TEST_F(WordSuggestionsTest, ChineseFindsUpToTwentyWordsInWordOrderWithTheStartOfTheirExplanation)
{
    std::vector<std::pair<std::string, std::string>> words{
        {"apple", G("n. 苹果, 苹果树, 家伙, 很长的解释")},
        {"cider", G("苹果酒\r\n果汁")},
        {"pie", G("派, 苹果派")},
    };
    for (int i = 0; i < 30; ++i)
        words.emplace_back("z" + std::to_string(10 + i), G("苹果"));
    AddWords(words);

    view.Type(Control::Edit_Input, G("苹果"));
    ASSERT_EQ(view.suggestions.size(), 20u);
    EXPECT_EQ(view.suggestions[0], G("apple — n. 苹果, 苹果树, 家伙, 很长的…"));
    EXPECT_EQ(view.suggestions[1], G("cider — 苹果酒…"));
    EXPECT_EQ(view.suggestions[2], G("pie — 派, 苹果派"));
    EXPECT_EQ(view.suggestions[19], G("z26 — 苹果"));
    EXPECT_EQ(speller.asked, 0);

    pages->SuggestionPicked(1);
    EXPECT_EQ(view.Text(Control::Edit_Input), "cider");
    EXPECT_EQ(view.Text(Control::Memo_View), G("【cider】") + "\r\n " + G("苹果酒\r\n果汁"));

    view.Type(Control::Edit_Input, G("香蕉"));
    EXPECT_TRUE(view.suggestions.empty());
}

} // namespace
