#include "support/Gbk.h"
#include "support/StudySession.h"

#include <climits>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kTen = {"ant", "bee", "cat", "dog", "eel", "fox", "gnu", "hen", "ibis", "jay"};

class DictationTest : public StudySession {
protected:
    Dictation& drill() { return pages->dictation; }
    FormState& state() { return pages->state; }
    void Press(int key) { drill().Edit_DictationKeyDown(key); }
    void Answer(const std::string& text)
    {
        view.Type(Control::Edit_Dictation, text);
        Press(VK_RETURN);
    }
    // Answers the asked word correctly.
    void AnswerRight() { Answer(state().DictationWord); }
    std::string Counter() const { return view.Text(Control::Label_DictationCount); }
    std::string Box() const { return view.Text(Control::Edit_Dictation); }
    std::string Interpret() const { return view.Text(Control::Label_Interpret); }
    void EnterDictation()
    {
        view.SelectPage(PageDictation);
        pages->PageControl1Change();
    }
    // Applies the settings page as the user does, coming from the dictation page.
    void Apply(bool recycled, const std::string& count, const std::string& firstWord)
    {
        EnterDictation();
        pages->settings.MenuItem_settingClick();
        view.SetChecked(Control::CheckBox_DictationRecycled, recycled);
        view.Type(Control::ComboBox_GroupWordCount, count);
        view.Type(Control::Edit_FistWordInRecycle, firstWord);
        ASSERT_TRUE(pages->settings.SpeedButton_applySettingClick());
        pages->PageControl1Change();
    }
    // The words asked by `answers` correct answers in a row, the one asked first included.
    std::vector<std::string> Run(int answers)
    {
        std::vector<std::string> asked{state().DictationWord};
        for (int i = 0; i < answers; ++i) {
            AnswerRight();
            asked.push_back(state().DictationWord);
        }
        return asked;
    }
};

TEST_F(DictationTest, AnswersIgnoreBlanksAndAsciiCaseOnly)
{
    AddPlain(kTen);
    Show();
    state().DictationWord = "bee";
    EnterDictation();
    EXPECT_EQ(Interpret(), Explained("bee"));
    EXPECT_EQ(view.focus, Control::Edit_Dictation);

    Answer(" \tBeE  ");
    EXPECT_EQ(state().DictationWord, "cat");
    EXPECT_EQ(CurrentWord(), "cat");
    EXPECT_EQ(Interpret(), Explained("cat"));
    EXPECT_EQ(Box(), "");
    EXPECT_EQ(view.LastStatus(), "Quite Right!");
    EXPECT_EQ(view.beeps, 0);

    const std::string counter = Counter();
    for (const std::string& wrong : {std::string("ca"), std::string("cats"), G("ｃａｔ"), G("ＣＡＴ")}) {
        Answer(wrong);
        EXPECT_EQ(state().DictationWord, "cat") << wrong;
        EXPECT_EQ(Box(), wrong);
        EXPECT_EQ(view.LastStatus(), "Error!");
        EXPECT_EQ(Counter(), counter);
    }
    EXPECT_EQ(view.beeps, 4);
    EXPECT_EQ(CurrentWord(), "cat");

    // A character GBK cannot hold comes back as '?' and matches no stored '?'.
    state().DictationWord = "ca?";
    view.TypeUnencodable(Control::Edit_Dictation, "ca?");
    Press(VK_RETURN);
    EXPECT_EQ(view.LastStatus(), "Error!");
}

TEST_F(DictationTest, EnteringFindsTheAskedWordAgainAndKeepsTheTypedAnswer)
{
    AddPlain(kTen);
    Show();
    state().DictationWord = "dog";
    state().DictationStartRecNo = 2;
    view.Type(Control::Edit_Dictation, "half typed");
    table.SeekExact("dog");
    table.Delete();
    table.First(); // another page moved the table meanwhile
    EnterDictation();
    EXPECT_EQ(state().DictationWord, "eel");
    EXPECT_EQ(Interpret(), Explained("eel"));
    EXPECT_EQ(Box(), "half typed");
    EXPECT_EQ(Counter(), "2"); // eel is now record 4
}

TEST_F(DictationTest, StepsWrapAtBothEndsOfTheTableWithoutRecycling)
{
    AddPlain(kTen);
    Show();
    state().DictationWord = "jay";
    state().DictationStartRecNo = 3;
    EnterDictation();
    EXPECT_EQ(Counter(), "7");
    AnswerRight();
    EXPECT_EQ(state().DictationWord, "ant");
    EXPECT_EQ(Counter(), "-2");

    drill().PreviousDictationWord();
    EXPECT_EQ(state().DictationWord, "jay");
    drill().NextDictationWord();
    EXPECT_EQ(state().DictationWord, "ant");
    drill().PreviousDictationWord();
    EXPECT_EQ(state().DictationWord, "jay");
    drill().PreviousDictationWord();
    EXPECT_EQ(state().DictationWord, "ibis");
    EXPECT_EQ(Interpret(), Explained("ibis"));
    EXPECT_EQ(Box(), "");
}

TEST_F(DictationTest, AnAppliedGroupHoldsCountWordsAndAStartedOneCountPlusOne)
{
    AddPlain(kTen);
    Show();
    Apply(true, "3", "cat");
    EXPECT_EQ(state().DictationStartRecNo, 3);
    EXPECT_EQ(state().DictationEndRecNo, 5);
    EXPECT_EQ(Counter(), "0");
    EXPECT_EQ(Run(4), (std::vector<std::string>{"cat", "dog", "eel", "cat", "dog"}));
    EXPECT_EQ(Counter(), "1");

    Restart();
    EXPECT_EQ(state().DictationStartRecNo, 3);
    EXPECT_EQ(state().DictationEndRecNo, 6);
    EnterDictation();
    EXPECT_EQ(Counter(), "0");
    EXPECT_EQ(Run(5), (std::vector<std::string>{"cat", "dog", "eel", "fox", "cat", "dog"}));
}

TEST_F(DictationTest, AnyKeyOutsideTheRangeReturnsToItsFirstWord)
{
    AddPlain(kTen);
    Show();
    Apply(true, "3", "cat");
    drill().NextDictationWord();
    drill().NextDictationWord();
    drill().NextDictationWord();
    EXPECT_EQ(state().DictationWord, "fox");
    view.Type(Control::Edit_Dictation, "fo");
    Press(16); // Shift alone
    EXPECT_EQ(state().DictationWord, "cat");
    EXPECT_EQ(CurrentWord(), "cat");
    EXPECT_EQ(Interpret(), Explained("cat"));
    EXPECT_EQ(Box(), "");
    EXPECT_EQ(Counter(), "0");

    // Before the range as well, past the table's start.
    drill().PreviousDictationWord();
    drill().PreviousDictationWord();
    drill().PreviousDictationWord();
    EXPECT_EQ(state().DictationWord, "jay");
    Press('A');
    EXPECT_EQ(state().DictationWord, "cat");
    EXPECT_EQ(Counter(), "0");

    // Without recycling the same keys leave the position alone and the counter follows it.
    Apply(false, "3", "cat");
    drill().NextDictationWord();
    drill().NextDictationWord();
    drill().NextDictationWord();
    Press(16);
    EXPECT_EQ(state().DictationWord, "fox");
    EXPECT_EQ(Counter(), "3");
}

TEST_F(DictationTest, AGroupOfNoWordsAsksItsFirstWordAgainAndAgain)
{
    AddPlain(kTen);
    Show();
    Apply(true, "0", "dog");
    EXPECT_EQ(state().DictationEndRecNo, state().DictationStartRecNo - 1);
    view.Type(Control::Edit_Dictation, "do");
    Press('G');
    EXPECT_EQ(Box(), ""); // every key returns to the first word
    EXPECT_EQ(state().DictationWord, "dog");
    EXPECT_EQ(Run(2), (std::vector<std::string>{"dog", "dog", "dog"}));
    EXPECT_EQ(Counter(), "0");
}

TEST_F(DictationTest, GroupMovesStayOnStoredRecordsAndSaveTheNewRange)
{
    AddPlain(kTen);
    Show();
    Apply(true, "4", "bee");
    EXPECT_EQ(state().DictationStartRecNo, 2);
    drill().NextDictationWord();

    drill().PreviousGroup();
    EXPECT_EQ(state().DictationStartRecNo, 1);
    EXPECT_EQ(state().DictationEndRecNo, 4);
    EXPECT_EQ(state().FirstWordInRecycle, "ant");
    EXPECT_EQ(state().DictationWord, "ant");
    EXPECT_EQ(view.Text(Control::Edit_FistWordInRecycle), "ant");
    EXPECT_EQ(view.Text(Control::Label_lastGroupWord), G("到 ") + "eel");
    // The label moved the table; the drill is back on the group's first word.
    EXPECT_EQ(CurrentWord(), "ant");
    EXPECT_EQ(Interpret(), Explained("ant"));
    drill().PreviousGroup();
    EXPECT_EQ(state().DictationStartRecNo, 1);
    EXPECT_EQ(state().DictationEndRecNo, 4);

    view.Type(Control::Edit_Dictation, "an");
    drill().NextGroup();
    Press(VK_NEXT);
    EXPECT_EQ(state().DictationStartRecNo, 5);
    EXPECT_EQ(state().DictationEndRecNo, 8);
    EXPECT_EQ(state().DictationWord, "eel");
    EXPECT_EQ(Box(), "");
    EXPECT_EQ(Counter(), "0");

    // The last group reaches past the table's end; moving on keeps it and restarts it.
    drill().NextGroup();
    EXPECT_EQ(state().DictationStartRecNo, 9);
    EXPECT_EQ(state().DictationEndRecNo, 12);
    EXPECT_EQ(Run(2), (std::vector<std::string>{"ibis", "jay", "ibis"}));
    drill().NextGroup();
    EXPECT_EQ(state().DictationStartRecNo, 9);
    EXPECT_EQ(state().DictationEndRecNo, 12);
    EXPECT_EQ(state().DictationWord, "ibis");

    // The moved range is what the next start begins with (count + 1 words from there).
    Restart();
    EXPECT_EQ(state().FirstWordInRecycle, "ibis");
    EXPECT_EQ(state().DictationStartRecNo, 9);
    EXPECT_EQ(state().DictationEndRecNo, 13);
    EXPECT_TRUE(state().DictationRecycled);
}

TEST_F(DictationTest, MovingBackFromNearTheStartBeginsAtTheFirstWordHoweverLargeTheGroup)
{
    AddPlain(kTen);
    Show();
    // The largest count the settings page takes: far more words than lie before the group.
    Apply(true, "2147483647", "cat");
    EXPECT_EQ(state().DictationStartRecNo, 3);
    EXPECT_EQ(state().DictationEndRecNo, INT_MAX);

    drill().PreviousGroup();
    EXPECT_EQ(state().DictationStartRecNo, 1);
    EXPECT_EQ(state().DictationEndRecNo, INT_MAX);
    EXPECT_EQ(state().FirstWordInRecycle, "ant");
    EXPECT_EQ(state().DictationWord, "ant");
    EXPECT_EQ(CurrentWord(), "ant");
    Press(VK_PRIOR); // the chord's key reaches the answer box: the first word is inside the range
    EXPECT_EQ(Counter(), "0");
    EXPECT_EQ(Run(10).back(), "ant"); // the whole table, then round again

    // Moving on keeps a range that already reaches past the last record.
    drill().NextGroup();
    EXPECT_EQ(state().DictationStartRecNo, 1);
    EXPECT_EQ(state().DictationEndRecNo, INT_MAX);
}

TEST_F(DictationTest, GroupMovesWithoutRecyclingDoNothing)
{
    AddPlain(kTen);
    Show();
    Apply(false, "4", "bee");
    drill().NextGroup();
    drill().PreviousGroup();
    EXPECT_EQ(state().DictationStartRecNo, 2);
    EXPECT_EQ(state().DictationEndRecNo, 5);
    EXPECT_EQ(state().DictationWord, "bee");
}

TEST_F(DictationTest, AGroupMoveSavesRecyclingAsAppliedNotAsLeftOnTheAbandonedPage)
{
    AddPlain(kTen);
    Show();
    Apply(true, "4", "bee");
    pages->settings.MenuItem_settingClick();
    view.SetChecked(Control::CheckBox_DictationRecycled, false);
    EnterDictation(); // the unapplied edit is abandoned
    drill().NextGroup();
    Restart();
    EXPECT_TRUE(state().DictationRecycled);
}

TEST_F(DictationTest, RevealedAnswerCountsAsRight)
{
    AddPlain(kTen);
    Show();
    state().DictationWord = "gnu";
    EnterDictation();
    drill().RevealAnswer();
    EXPECT_EQ(Box(), "gnu");
    EXPECT_EQ(view.caretAtEnd, Control::Edit_Dictation);
    Press(VK_F1); // the chord's key reaches the box too
    EXPECT_EQ(Box(), "gnu");
    Press(VK_RETURN);
    EXPECT_EQ(view.LastStatus(), "Quite Right!");
    EXPECT_EQ(state().DictationWord, "hen");
}

TEST_F(DictationTest, DoubleClickOpensTheAskedWordForCorrection)
{
    AddPlain(kTen);
    Show();
    state().DictationWord = "fox";
    EnterDictation();
    drill().Label_InterpretDblClick();
    EXPECT_EQ(view.page, PageMaintain);
    EXPECT_EQ(view.Text(Control::Edit_newword), "fox");
    EXPECT_EQ(view.Text(Control::Memo_newInterpret), Explained("fox"));
}

TEST_F(DictationTest, AnEmptyTableAsksNothingAndTakesAnEmptyAnswer)
{
    Show();
    EnterDictation();
    EXPECT_EQ(state().DictationWord, "");
    EXPECT_EQ(Interpret(), "");
    Press(VK_RETURN);
    EXPECT_EQ(view.LastStatus(), "Quite Right!");
    drill().NextDictationWord();
    drill().PreviousDictationWord();
    drill().NextGroup();
    EXPECT_EQ(state().DictationWord, "");
}

} // namespace
