// The list below the lookup box: what it offers for a misspelt word and for Chinese, and that it
// offers only stored words.

#include "support/Gbk.h"
#include "support/StudyFixture.h"

#include <string>
#include <utility>
#include <vector>

namespace {

using Words = std::vector<std::string>;

// A speller that only notes what it is asked; the test hands its answers over.
class NotingSpeller : public Speller {
public:
    void Ask(const std::string& word) override { asked.push_back(word); }
    Words asked;
};

class WordSuggestionsTest : public StudyFixture {
protected:
    WordSuggestionsTest()
    {
        pages = std::make_unique<StudyPages>(
            table, view, StudyPaths{(dir / "DoRori.ini").string(), dir.path().string()}, speaker, speller);
    }
    NotingSpeller speller;
};

TEST_F(WordSuggestionsTest, StoredSpellingsOfTheSpellerComeFirstAndNothingUnstoredIsOffered)
{
    AddWords({{"deceive", "x"}, {"perceive", "x"}, {"receive", G("收到")}, {"relieve", "x"}});
    const Words spellings{"relieve", "reprieve", "PERCEIVE", "receive"};

    view.Type(Control::Edit_Input, "rec");
    EXPECT_TRUE(view.suggestions.empty());
    EXPECT_TRUE(speller.asked.empty()) << "a typed start of a stored word costs nothing more";

    // The near words at once, the speller's stored ones ahead of them once it answers.
    view.Type(Control::Edit_Input, "recieve");
    EXPECT_EQ(view.suggestionHeading, G("是不是："));
    EXPECT_EQ(view.suggestions, (Words{"receive", "relieve", "deceive"}));
    EXPECT_EQ(speller.asked, Words{"recieve"});
    pages->SpellingsArrived("recieve", spellings);
    EXPECT_EQ(view.suggestions, (Words{"relieve", "perceive", "receive", "deceive"}));

    // A pick puts the word into the box, and the lookup shows it; the list stays for the next,
    // and a late answer no longer reorders it.
    pages->SuggestionPicked(2);
    EXPECT_EQ(view.Text(Control::Edit_Input), "receive");
    EXPECT_EQ(view.Text(Control::Memo_View), G("【receive】") + "\r\n " + G("收到"));
    pages->SpellingsArrived("recieve", {"deceive"});
    pages->SuggestionPicked(0);
    EXPECT_EQ(view.Text(Control::Memo_View), G("【relieve】") + "\r\n x");

    // An answer for a text typed before counts no more.
    view.Type(Control::Edit_Input, "recieve");
    view.Type(Control::Edit_Input, "recievd");
    pages->SpellingsArrived("recieve", spellings);
    EXPECT_EQ(view.suggestions, (Words{"receive", "relieve"}));

    // Enter seeks the typed text as it is: the list closes, and stays closed.
    view.answers = {Answer::No};
    pages->KeyDown(Control::Edit_Input, VK_RETURN, false);
    EXPECT_TRUE(view.suggestions.empty());
    EXPECT_EQ(view.Text(Control::Memo_View), "not find it");
    pages->SpellingsArrived("recievd", spellings);
    EXPECT_TRUE(view.suggestions.empty());

    // Nothing near: the speller alone may bring a list.
    view.Type(Control::Edit_Input, "xylophone");
    EXPECT_TRUE(view.suggestions.empty());
    pages->SpellingsArrived("xylophone", {"xylophones"});
    EXPECT_TRUE(view.suggestions.empty());
    view.Type(Control::Edit_Input, "pursive");
    EXPECT_TRUE(view.suggestions.empty());
    pages->SpellingsArrived("pursive", {"perceive"});
    EXPECT_EQ(view.suggestions, (Words{"perceive"}));
}

TEST_F(WordSuggestionsTest, ChineseFindsUpToTwentyWordsInWordOrderWithTheStartOfTheirExplanation)
{
    std::vector<std::pair<std::string, std::string>> words{
        {"apple", G("n. 苹果, 苹果树, 家伙, 很长的解释")},
        {"cake", "made of flour, eggs and sugar, " + G("苹果")},
        {"cider", G("苹果酒\r\n果汁")},
        {"pie", G("派, 苹果派")},
    };
    for (int i = 0; i < 30; ++i)
        words.emplace_back("z" + std::to_string(10 + i), G("苹果"));
    AddWords(words);

    view.Type(Control::Edit_Input, G("苹果"));
    ASSERT_EQ(view.suggestions.size(), 20u);
    EXPECT_EQ(view.suggestions[0], G("apple — n. 苹果, 苹果树, 家伙, 很长的…"));
    EXPECT_EQ(view.suggestions[1], G("cake — made of flour, eggs and sugar…"));
    EXPECT_EQ(view.suggestions[2], G("cider — 苹果酒…"));
    EXPECT_EQ(view.suggestions[3], G("pie — 派, 苹果派"));
    EXPECT_EQ(view.suggestions[19], G("z25 — 苹果"));
    EXPECT_TRUE(speller.asked.empty());

    pages->SuggestionPicked(2);
    EXPECT_EQ(view.Text(Control::Edit_Input), "cider");
    EXPECT_EQ(view.Text(Control::Memo_View), G("【cider】") + "\r\n " + G("苹果酒\r\n果汁"));

    view.Type(Control::Edit_Input, G("香蕉"));
    EXPECT_TRUE(view.suggestions.empty());
}

} // namespace
