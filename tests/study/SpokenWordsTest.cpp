#include "platform/Registry.h"
#include "support/Gbk.h"
#include "support/StudySession.h"

#include <string>
#include <vector>

namespace {

using Words = std::vector<std::string>;

class SpokenWordsTest : public StudySession {
protected:
    void SetUp() override
    {
        AddPlain({"ant", "bee", "cat", "dog", "eel", "fox"});
        Show();
    }
    FormState& state() { return pages->state; }
    // A key as the window delivers it: the window's handler first, then the focused control's.
    void Key(int key, bool ctrl = false)
    {
        pages->keys.FormKeyDown(key, ctrl);
        if (view.page == PageDictation)
            pages->dictation.Edit_DictationKeyDown(key);
    }
    void Answer(const std::string& text)
    {
        view.Type(Control::Edit_Dictation, text);
        Key(VK_RETURN);
    }
    // The settings page applied from the dictation page.
    void Apply(bool speak, bool recycled, const std::string& count, const std::string& firstWord)
    {
        view.SelectPage(PageDictation);
        pages->PageControl1Change();
        pages->settings.MenuItem_settingClick();
        view.SetChecked(Control::CheckBox_DictationSpeak, speak);
        view.SetChecked(Control::CheckBox_DictationRecycled, recycled);
        view.Type(Control::ComboBox_GroupWordCount, count);
        view.Type(Control::Edit_FistWordInRecycle, firstWord);
        ASSERT_TRUE(pages->settings.SpeedButton_applySettingClick());
        pages->PageControl1Change();
    }
    std::optional<int> StoredSpeak()
    {
        Registry registry;
        EXPECT_TRUE(registry.OpenKey("\\SOFTWARE\\ZYSOFT\\DoRori", true));
        return registry.ReadInteger("D_Speak");
    }
};

TEST_F(SpokenWordsTest, TheDrillSaysEachAskedWordOnceAndNothingWhileTheSwitchIsOff)
{
    Apply(false, false, "20", "bee");
    Answer("bee");
    Key(VK_F2);
    EXPECT_EQ(speaker.said, Words{});

    Apply(true, false, "20", "bee");
    EXPECT_EQ(speaker.said, Words{"bee"}); // entering the page asks it
    Answer("be");
    Answer("");
    Key(VK_LEFT);
    EXPECT_EQ(speaker.said, Words{"bee"});
    Answer(" BEE ");
    EXPECT_EQ(speaker.said, (Words{"bee", "cat"}));
    Key(VK_F2);
    Key(VK_F2, true); // Ctrl+F2 is no command
    EXPECT_EQ(speaker.said, (Words{"bee", "cat", "cat"}));
    Key(VK_RIGHT, true);
    Key(VK_LEFT, true);
    EXPECT_EQ(speaker.said, (Words{"bee", "cat", "cat", "dog", "cat"}));
    // Another page and back asks the word again.
    view.SelectPage(PageQuery);
    pages->PageControl1Change();
    view.SelectPage(PageDictation);
    pages->PageControl1Change();
    EXPECT_EQ(speaker.said.back(), "cat");
    EXPECT_EQ(speaker.said.size(), 6u);
}

TEST_F(SpokenWordsTest, AGroupSaysOnlyTheWordItFinallyAsks)
{
    Apply(true, true, "2", "bee");
    speaker.said.clear();
    Answer("bee");
    EXPECT_EQ(speaker.said, Words{"cat"});
    // The right answer on the group's last word steps past it and returns: one word is asked.
    Answer("cat");
    EXPECT_EQ(speaker.said, (Words{"cat", "bee"}));
    Key(VK_NEXT, true);
    EXPECT_EQ(state().DictationWord, "dog");
    EXPECT_EQ(speaker.said, (Words{"cat", "bee", "dog"}));
    Key(VK_PRIOR, true);
    EXPECT_EQ(speaker.said, (Words{"cat", "bee", "dog", "bee"}));
    // A key that finds the position outside the group brings back its first word, and says it.
    table.Last();
    Key(16); // Shift alone
    EXPECT_EQ(speaker.said.back(), "bee");
    EXPECT_EQ(speaker.said.size(), 5u);
}

TEST_F(SpokenWordsTest, F2OnTheLookupPageSaysTheShownWordWhateverTheSwitch)
{
    view.Type(Control::Edit_Input, "ca");
    Key(VK_F2);
    EXPECT_EQ(speaker.said, Words{"cat"});
    // Without a word in the definition view, the typed word.
    view.Type(Control::Edit_Input, "cow");
    pages->lookup.SpeedButton_SeekClick(); // "not find it"; the question is answered No
    Key(VK_F2);
    EXPECT_EQ(speaker.said, (Words{"cat", "cow"}));
    // Past the last word the last one is shown, and said.
    view.Type(Control::Edit_Input, "zz");
    Key(VK_F2);
    EXPECT_EQ(speaker.said, (Words{"cat", "cow", "fox"}));
    // The other pages and Ctrl+F2 say nothing.
    Key(VK_F2, true);
    for (const int page : {PageMaintain, PageSetting}) {
        view.SelectPage(page);
        Key(VK_F2);
    }
    EXPECT_EQ(speaker.said.size(), 3u);
}

TEST_F(SpokenWordsTest, TheSwitchIsKeptInTheRegistryAndAnUnappliedEditIsDiscarded)
{
    EXPECT_FALSE(state().DictationSpeak);
    EXPECT_FALSE(view.Checked(Control::CheckBox_DictationSpeak));
    EXPECT_EQ(StoredSpeak(), std::nullopt);

    Apply(true, false, "20", "a");
    EXPECT_EQ(StoredSpeak(), 1);
    Restart();
    EXPECT_TRUE(state().DictationSpeak);
    EXPECT_TRUE(view.Checked(Control::CheckBox_DictationSpeak));

    // Cleared on the page but never applied: reopening shows the applied switch again.
    pages->settings.MenuItem_settingClick();
    view.SetChecked(Control::CheckBox_DictationSpeak, false);
    view.SelectPage(PageQuery);
    pages->PageControl1Change();
    pages->settings.MenuItem_settingClick();
    EXPECT_TRUE(view.Checked(Control::CheckBox_DictationSpeak));
    EXPECT_TRUE(state().DictationSpeak);

    Apply(false, false, "20", "a");
    EXPECT_EQ(StoredSpeak(), 0);
    // Only the number 1 is on.
    {
        Registry registry;
        ASSERT_TRUE(registry.OpenKey("\\SOFTWARE\\ZYSOFT\\DoRori", true));
        registry.WriteInteger("D_Speak", 2);
    }
    Restart();
    EXPECT_FALSE(state().DictationSpeak);
}

} // namespace
