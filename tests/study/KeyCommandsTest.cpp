#include "support/Gbk.h"
#include "support/StudySession.h"

#include <string>
#include <vector>

namespace {

const std::vector<std::string> kFive = {"ant", "bee", "cat", "dog", "eel"};

class KeyCommandsTest : public StudySession {
protected:
    void SetUp() override
    {
        AddPlain(kFive);
        Show();
    }
    // A key as the window delivers it: the window's handler first, then the focused control's.
    void Chord(int key, bool ctrl = true)
    {
        pages->keys.FormKeyDown(key, ctrl);
        if (view.page == PageDictation)
            pages->dictation.Edit_DictationKeyDown(key);
    }
    void Enter(int page)
    {
        view.SelectPage(page);
        pages->PageControl1Change();
    }
    std::string Fields() const
    {
        return view.Text(Control::Edit_newword) + "|" + view.Text(Control::Memo_newInterpret);
    }
};

TEST_F(KeyCommandsTest, LookupPageStepsWithCtrlWhateverShiftAndAltDo)
{
    Enter(PageQuery);
    view.Type(Control::Edit_Input, "bee");
    // The window passes only Ctrl's state: Ctrl+Shift+Right arrives as Ctrl+Right.
    Chord(VK_RIGHT);
    EXPECT_EQ(view.Text(Control::Edit_Input), "cat");
    Chord(VK_DOWN);
    Chord(VK_NEXT);
    EXPECT_EQ(view.Text(Control::Edit_Input), "eel");
    Chord(VK_LEFT);
    Chord(VK_UP);
    Chord(VK_PRIOR);
    EXPECT_EQ(view.Text(Control::Edit_Input), "bee");

    Chord(VK_RIGHT, false);
    Chord(VK_S);
    Chord(VK_F1);
    EXPECT_EQ(view.Text(Control::Edit_Input), "bee");
    EXPECT_EQ(CurrentWord(), "bee");
    EXPECT_TRUE(view.boxes.empty());
}

TEST_F(KeyCommandsTest, CtrlSSavesOnlyOnTheMaintenancePage)
{
    for (int page : {PageQuery, PageDictation, PageSetting}) {
        view.SelectPage(page);
        view.Type(Control::Edit_newword, "fox");
        view.Type(Control::Memo_newInterpret, Explained("fox"));
        Chord(VK_S);
        EXPECT_EQ(table.RecordCount(), 5) << page;
        EXPECT_TRUE(view.boxes.empty()) << page;
    }
    Enter(PageMaintain);
    Chord(VK_S);
    EXPECT_EQ(table.RecordCount(), 6);
    EXPECT_TRUE(table.SeekExact("fox"));
}

TEST_F(KeyCommandsTest, MaintenanceStepsFromTheTypedWordIntoTheFieldsWithoutWrapping)
{
    Enter(PageMaintain);
    view.Type(Control::Edit_newword, "bz"); // not stored: the nearest is cat
    Chord(VK_RIGHT);
    EXPECT_EQ(Fields(), "dog|" + Explained("dog"));
    Chord(VK_DOWN);
    Chord(VK_NEXT);
    EXPECT_EQ(Fields(), "eel|" + Explained("eel"));
    Chord(VK_LEFT);
    EXPECT_EQ(Fields(), "dog|" + Explained("dog"));
    view.Type(Control::Edit_newword, "ant");
    Chord(VK_UP);
    Chord(VK_PRIOR);
    EXPECT_EQ(Fields(), "ant|" + Explained("ant"));
}

TEST_F(KeyCommandsTest, MaintenanceAppendsTheEllipsisAndTheFullWidthTilde)
{
    Enter(PageMaintain);
    view.Type(Control::Memo_newInterpret, G("蚂蚁"));
    Chord(VK_OEM_PERIOD);
    Chord(VK_OEM_3);
    EXPECT_EQ(view.Text(Control::Memo_newInterpret), G("蚂蚁 … ～"));
    EXPECT_EQ(view.Text(Control::Memo_newInterpret), G("蚂蚁") + " \xA1\xAD \xA1\xAB");
    // Only on the maintenance page, and only with Ctrl.
    Chord(VK_OEM_PERIOD, false);
    view.SelectPage(PageQuery);
    Chord(VK_OEM_3);
    EXPECT_EQ(view.Text(Control::Memo_newInterpret), G("蚂蚁 … ～"));
}

TEST_F(KeyCommandsTest, DictationChordsStepRevealAndMoveGroupsWithTheAnswerBoxFollowing)
{
    Enter(PageDictation);
    pages->settings.MenuItem_settingClick();
    view.SetChecked(Control::CheckBox_DictationRecycled, true);
    view.Type(Control::ComboBox_GroupWordCount, "2");
    view.Type(Control::Edit_FistWordInRecycle, "bee");
    ASSERT_TRUE(pages->settings.SpeedButton_applySettingClick());
    pages->PageControl1Change();
    const FormState& state = pages->state;

    Chord(VK_RIGHT);
    EXPECT_EQ(state.DictationWord, "cat");
    EXPECT_EQ(view.Text(Control::Label_DictationCount), "1");
    // Past the range's end the box's own handler returns to its first word.
    Chord(VK_DOWN);
    EXPECT_EQ(state.DictationWord, "bee");
    EXPECT_EQ(view.Text(Control::Label_DictationCount), "0");
    Chord(VK_LEFT);
    EXPECT_EQ(state.DictationWord, "bee");

    Chord(VK_NEXT);
    EXPECT_EQ(state.DictationWord, "dog");
    EXPECT_EQ(state.DictationStartRecNo, 4);
    EXPECT_EQ(view.Text(Control::Label_DictationCount), "0");
    Chord(VK_PRIOR);
    EXPECT_EQ(state.DictationWord, "bee");

    Chord(VK_F1);
    EXPECT_EQ(view.Text(Control::Edit_Dictation), "bee");
    Chord(VK_RETURN, false);
    EXPECT_EQ(view.LastStatus(), "Quite Right!");
    EXPECT_EQ(state.DictationWord, "cat");

    // Without Ctrl the arrows are the box's own.
    Chord(VK_RIGHT, false);
    EXPECT_EQ(state.DictationWord, "cat");
}

TEST_F(KeyCommandsTest, TheSettingsPageHasNoChords)
{
    pages->settings.MenuItem_settingClick();
    const FormState before = pages->state;
    for (int key : {VK_PRIOR, VK_NEXT, VK_LEFT, VK_RIGHT, VK_S, VK_F1, VK_OEM_PERIOD, VK_OEM_3})
        Chord(key);
    EXPECT_EQ(pages->state.DictationWord, before.DictationWord);
    EXPECT_EQ(pages->state.DictationStartRecNo, before.DictationStartRecNo);
    EXPECT_EQ(view.Text(Control::Edit_Input), "");
    EXPECT_EQ(view.Text(Control::Memo_newInterpret), "");
    EXPECT_EQ(view.page, PageSetting);
}

} // namespace
