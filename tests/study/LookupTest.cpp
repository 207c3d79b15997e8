#include "store/WordSeek.h"
#include "support/Gbk.h"
#include "support/StudyFixture.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Words = std::vector<std::string>;

TEST(IsWordPrefixTest, TrimsFoldsSingleByteLettersOnlyAndRefusesEmptyOrLongerPrefixes)
{
    EXPECT_TRUE(IsWordPrefix(" Apex\t", "ap "));
    EXPECT_TRUE(IsWordPrefix("ape", "APE"));
    EXPECT_TRUE(IsWordPrefix(G("苹果派"), G("苹果")));
    EXPECT_FALSE(IsWordPrefix("apple", "ape"));
    EXPECT_FALSE(IsWordPrefix("ap", "ape"));
    EXPECT_FALSE(IsWordPrefix("ape", "  "));
    EXPECT_FALSE(IsWordPrefix("", "a"));
    // The second byte of a two-byte character is not a letter, even where it looks like one.
    EXPECT_FALSE(IsWordPrefix("\x81\x41x", "\x81\x61"));
}

class LookupTest : public StudyFixture {
protected:
    Lookup& lookup() { return pages->lookup; }
    std::string Memo() const { return view.Text(Control::Memo_View); }
    std::string Input() const { return view.Text(Control::Edit_Input); }
    void AddPlain(const Words& words)
    {
        std::vector<std::pair<std::string, std::string>> entries;
        for (const auto& word : words)
            entries.emplace_back(word, G("释义") + word);
        AddWords(entries);
    }
    static std::string Shown(const std::string& word, const std::string& interpret)
    {
        return G("【") + word + G("】") + "\r\n " + interpret;
    }
};

TEST_F(LookupTest, TypingShowsTheNearestWordAndOnlyTheWordsBeginningWithIt)
{
    AddPlain({"ant", "ape", "apex", "apple", "bee"});
    view.Type(Control::Edit_Input, "ap");
    EXPECT_EQ(Memo(), Shown("ape", G("释义") + "ape"));
    EXPECT_EQ(view.preview, (Words{"ape", "apex"}));
    EXPECT_EQ(CurrentWord(), "ape");
    EXPECT_GT(view.scrolledToTop, 0);
    EXPECT_EQ(pages->state.QueryWord, "");

    // Other letter case and blanks find the stored word, shown in its own case.
    view.Type(Control::Edit_Input, "  APEX ");
    EXPECT_EQ(view.preview, (Words{"apex"}));
    EXPECT_EQ(CurrentWord(), "apex");
    // Past every word the last one is shown.
    view.Type(Control::Edit_Input, "zzz");
    EXPECT_EQ(view.preview, (Words{"bee"}));
    EXPECT_EQ(CurrentWord(), "bee");
}

TEST_F(LookupTest, ShowWordViewLeavesTheTableWhereItStarted)
{
    AddPlain({"ape", "apex", "apple"});
    Seek_Word_Record(table, "ape");
    lookup().ShowWordView();
    EXPECT_EQ(CurrentWord(), "ape");
    table.Next();
    EXPECT_EQ(CurrentWord(), "apex");
    EXPECT_EQ(table.RecNo(), 2);
}

TEST_F(LookupTest, SeveralLineExplanationIsShownBelowTheWord)
{
    AddWords({{"bank", G("n. 银行") + "\r\n" + G("河岸")}});
    view.Type(Control::Edit_Input, "bank");
    EXPECT_EQ(Memo(), Shown("bank", G("n. 银行") + "\r\n" + G("河岸")));
}

TEST_F(LookupTest, PreviewGrowsAsItIsScrolledAndStopsAt255Words)
{
    std::vector<std::pair<std::string, std::string>> words{{"ab", "x"}};
    for (int i = 0; i < 300; ++i)
        words.emplace_back("ab" + std::to_string(1000 + i), "x");
    words.emplace_back("ac", "x");
    AddWords(words);
    view.Type(Control::Edit_Input, "ab");
    // At first only what the list shows at once, and one more for its scroll bar.
    EXPECT_EQ(view.preview.size(), static_cast<size_t>(view.previewRows + 1));
    for (int scrolled = 0; scrolled < 20; ++scrolled)
        lookup().MorePreview();
    ASSERT_EQ(view.preview.size(), 255u);
    EXPECT_EQ(view.preview.front(), "ab");
    EXPECT_EQ(view.preview.back(), "ab1253");
    EXPECT_EQ(CurrentWord(), "ab");
}

TEST_F(LookupTest, EmptyTableShowsNothingAndBothEndsAreReported)
{
    view.Type(Control::Edit_Input, "apple");
    EXPECT_EQ(Memo(), "");
    EXPECT_TRUE(view.preview.empty());
    lookup().SpeedButton_nextClick();
    EXPECT_EQ(view.LastStatus(), G("已经是词库中最后一个单词了"));
    lookup().SpeedButton_lastClick();
    EXPECT_EQ(view.LastStatus(), G("已经是词库中第一个单词了"));
    EXPECT_EQ(view.beeps, 2);
    EXPECT_EQ(Memo(), "");
    EXPECT_TRUE(view.preview.empty());
}

TEST_F(LookupTest, SetInputWordWritesTheBoxWithoutSearching)
{
    AddPlain({"ape", "apple"});
    const int clears = view.previewClears;
    lookup().SetInputWord("apple");
    EXPECT_EQ(Input(), "apple");
    EXPECT_EQ(view.caretAtEnd, Control::Edit_Input);
    EXPECT_EQ(pages->state.QueryWord, "apple");
    EXPECT_FALSE(pages->state.SettingInput);
    EXPECT_EQ(view.previewClears, clears);
    EXPECT_EQ(CurrentWord(), "ape");
    // Typing afterwards searches again.
    view.Type(Control::Edit_Input, "app");
    EXPECT_EQ(CurrentWord(), "apple");
}

TEST_F(LookupTest, SeekButtonShowsAStoredWordAndRemembersIt)
{
    AddPlain({"ape", "apex"});
    view.Type(Control::Edit_Input, " APE ");
    lookup().Edit_InputKeyDown(VK_RETURN);
    EXPECT_EQ(pages->state.QueryWord, "APE");
    EXPECT_EQ(Input(), " APE ");
    EXPECT_EQ(view.preview, (Words{"ape", "apex"}));
    EXPECT_TRUE(view.boxes.empty());

    // Other keys do nothing; a blank box does nothing.
    view.Type(Control::Edit_Input, "apex");
    lookup().Edit_InputKeyDown(VK_DOWN);
    EXPECT_EQ(pages->state.QueryWord, "APE");
    view.Type(Control::Edit_Input, "  ");
    lookup().SpeedButton_SeekClick();
    EXPECT_EQ(pages->state.QueryWord, "APE");
    EXPECT_TRUE(view.boxes.empty());
}

TEST_F(LookupTest, SeekButtonFindsA30ByteWordByItsStoredStart)
{
    const std::string longWord(30, 'q');
    AddPlain({longWord});
    EXPECT_EQ(CurrentWord(), std::string(25, 'q'));
    view.Type(Control::Edit_Input, longWord);
    lookup().SpeedButton_SeekClick();
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_EQ(Memo(), Shown(std::string(25, 'q'), G("释义") + longWord));
}

TEST_F(LookupTest, SeekButtonOffersToAddAMissingWord)
{
    AddPlain({"ape", "apex"});
    view.Type(Control::Edit_Input, "ap ");
    view.answers = {Answer::No};
    lookup().SpeedButton_SeekClick();
    EXPECT_EQ(Memo(), "not find it");
    EXPECT_TRUE(view.preview.empty());
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, G("词库中没有这个单词，是否追加?"));
    EXPECT_EQ(view.boxes[0].caption, G("提示"));
    EXPECT_EQ(view.boxes[0].question, Question::AskYesNo);
    EXPECT_EQ(view.page, PageQuery);
    EXPECT_EQ(CurrentWord(), "ape");

    view.Type(Control::Memo_newInterpret, "old");
    view.answers = {Answer::Yes};
    lookup().SpeedButton_SeekClick();
    EXPECT_EQ(view.page, PageMaintain);
    EXPECT_EQ(view.Text(Control::Edit_newword), "ap");
    EXPECT_EQ(view.Text(Control::Memo_newInterpret), "");
    EXPECT_EQ(view.focus, Control::Memo_newInterpret);
}

TEST_F(LookupTest, TextGbkCannotHoldShowsTheNearestWordAndIsNeverOfferedForAdding)
{
    AddPlain({"ape", "apple"});
    pages->state.QueryWord = "ape";
    view.TypeUnencodable(Control::Edit_Input, "app?");
    EXPECT_EQ(CurrentWord(), "apple");
    lookup().SpeedButton_SeekClick();
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_EQ(pages->state.QueryWord, "ape");
    EXPECT_EQ(Memo(), Shown("apple", G("释义") + "apple"));
}

TEST_F(LookupTest, NextAndPreviousWalkTheListAndStopAtItsEnds)
{
    AddPlain({"ape", "apex", "bee"});
    view.Type(Control::Edit_Input, "ape");
    int clears = view.previewClears;
    lookup().SpeedButton_nextClick();
    EXPECT_EQ(Input(), "apex");
    EXPECT_EQ(pages->state.QueryWord, "apex");
    EXPECT_EQ(view.preview, (Words{"apex"}));
    // The programmatic write of the input box did not search and show a second time.
    EXPECT_EQ(view.previewClears, clears + 1);

    lookup().SpeedButton_nextClick();
    EXPECT_EQ(Input(), "bee");
    EXPECT_TRUE(view.statuses.empty());
    lookup().SpeedButton_nextClick();
    EXPECT_EQ(view.LastStatus(), G("已经是词库中最后一个单词了"));
    EXPECT_EQ(view.beeps, 1);
    EXPECT_EQ(Input(), "bee");
    EXPECT_EQ(Memo(), Shown("bee", G("释义") + "bee"));
    EXPECT_TRUE(view.preview.empty());
    lookup().SpeedButton_nextClick();
    EXPECT_EQ(view.statuses.size(), 2u);
    EXPECT_EQ(view.beeps, 2);

    lookup().SpeedButton_lastClick();
    EXPECT_EQ(Input(), "apex");
    lookup().SpeedButton_lastClick();
    EXPECT_EQ(Input(), "ape");
    lookup().SpeedButton_lastClick();
    EXPECT_EQ(view.LastStatus(), G("已经是词库中第一个单词了"));
    EXPECT_EQ(view.beeps, 3);
    EXPECT_EQ(Input(), "ape");
    EXPECT_EQ(view.preview, (Words{"ape", "apex"}));
}

TEST_F(LookupTest, NextStartsFromTheTypedWordWhenAnotherPageMovedTheTable)
{
    AddPlain({"ape", "apex", "apple", "bee"});
    view.Type(Control::Edit_Input, " APEX");
    table.Last();
    lookup().SpeedButton_nextClick();
    EXPECT_EQ(Input(), "apple");
    // A typed word that is not stored steps from its nearest following word.
    view.Type(Control::Edit_Input, "apf");
    table.First();
    lookup().SpeedButton_lastClick();
    EXPECT_EQ(Input(), "apex");
}

TEST_F(LookupTest, DoubleClickOnThePreviewShowsTheChosenWord)
{
    AddPlain({"ape", "apex", "apple"});
    view.Type(Control::Edit_Input, "ap");
    const int clears = view.previewClears;
    view.SelectPreview(1);
    lookup().ListBox_PreviewDblClick();
    EXPECT_EQ(Input(), "apex");
    EXPECT_EQ(pages->state.QueryWord, "apex");
    EXPECT_EQ(CurrentWord(), "apex");
    EXPECT_EQ(view.preview, (Words{"apex"}));
    EXPECT_EQ(view.previewClears, clears + 1);
}

TEST_F(LookupTest, DoubleClickOnAnEmptyPreviewReportsTheIndexErrorAndChangesNothing)
{
    AddPlain({"ape", "apple"});
    view.Type(Control::Edit_Input, "zz");
    lookup().SpeedButton_SeekClick(); // not found: the list is cleared
    ASSERT_TRUE(view.preview.empty());
    const std::string memo = Memo();
    try {
        lookup().ListBox_PreviewDblClick();
        FAIL() << "no error reported";
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(), "List index out of bounds (-1)");
    }
    EXPECT_EQ(Input(), "zz");
    EXPECT_EQ(Memo(), memo);
    EXPECT_EQ(pages->state.QueryWord, "zz");
    EXPECT_FALSE(pages->state.SettingInput);
    EXPECT_EQ(CurrentWord(), "apple");
}

TEST_F(LookupTest, DoubleClickOnTheDefinitionCopiesTheWordToMaintenance)
{
    AddWords({{"Ape", G("猿")}, {"apple", G("苹果") + "\r\n" + G("苹果树")}});
    view.Type(Control::Edit_Input, "ape");
    lookup().Memo_ViewDblClick();
    EXPECT_EQ(view.page, PageMaintain);
    EXPECT_EQ(view.Text(Control::Edit_newword), "Ape");
    EXPECT_EQ(view.Text(Control::Memo_newInterpret), G("猿"));

    // A word that is not stored copies the nearest following one.
    view.Type(Control::Edit_Input, "apf");
    table.First();
    lookup().Memo_ViewDblClick();
    EXPECT_EQ(view.Text(Control::Edit_newword), "apple");
    EXPECT_EQ(view.Text(Control::Memo_newInterpret), G("苹果") + "\r\n" + G("苹果树"));
}

} // namespace
