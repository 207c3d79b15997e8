#include "platform/Registry.h"
#include "support/Gbk.h"
#include "support/StudySession.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr const char* kKeyPath = "\\SOFTWARE\\ZYSOFT\\DoRori";

TEST(IsDigitStringTest, AcceptsOnlyDecimalDigitsBetweenBlanks)
{
    EXPECT_TRUE(IsDigitString("20"));
    EXPECT_TRUE(IsDigitString(" 20 "));
    EXPECT_TRUE(IsDigitString("\t007\r\n"));
    EXPECT_TRUE(IsDigitString("99999999999")); // too large for a count, still digits
    EXPECT_FALSE(IsDigitString(""));
    EXPECT_FALSE(IsDigitString("   "));
    EXPECT_FALSE(IsDigitString("2 0"));
    EXPECT_FALSE(IsDigitString("-1"));
    EXPECT_FALSE(IsDigitString("+1"));
    EXPECT_FALSE(IsDigitString("1a"));
    EXPECT_FALSE(IsDigitString(G("２０")));
}

// Words w00001, w00002, ...: record n holds the word with the number n.
std::vector<std::string> Numbered(int count)
{
    std::vector<std::string> words;
    for (int i = 1; i <= count; ++i) {
        char word[16];
        std::snprintf(word, sizeof word, "w%05d", i);
        words.emplace_back(word);
    }
    return words;
}

class SettingsTest : public StudySession {
protected:
    Settings& settings() { return pages->settings; }
    FormState& state() { return pages->state; }
    std::string Label() const { return view.Text(Control::Label_lastGroupWord); }
    void Fill(bool recycled, const std::string& count, const std::string& firstWord)
    {
        view.SetChecked(Control::CheckBox_DictationRecycled, recycled);
        view.Type(Control::ComboBox_GroupWordCount, count);
        view.Type(Control::Edit_FistWordInRecycle, firstWord);
    }
    // The settings page opened from `page`, filled and applied; false when apply refused.
    bool Apply(int page, bool recycled, const std::string& count, const std::string& firstWord)
    {
        view.SelectPage(page);
        pages->PageControl1Change();
        settings().MenuItem_settingClick();
        Fill(recycled, count, firstWord);
        if (!settings().SpeedButton_applySettingClick())
            return false;
        pages->PageControl1Change();
        return true;
    }
    void WriteIni(const std::string& text) { std::ofstream(dir / "DoRori.ini", std::ios::binary) << text; }
    Registry OpenRegistry()
    {
        Registry registry;
        EXPECT_TRUE(registry.OpenKey(kKeyPath, true));
        return registry;
    }
};

TEST_F(SettingsTest, TitlesComeFromTheIniFileOrTheirDefaults)
{
    Show();
    EXPECT_EQ(view.Text(Control::fcTitleLabel1), "RIdavave");
    EXPECT_EQ(view.pageCaptions,
              (std::map<int, std::string>{{0, G("检索")}, {1, G("听写")}, {2, G("维护")}}));

    WriteIni("[appproperty]\r\nMainTitle=\r\n TabTitle2 = \"" + G("默写") +
             "\"\r\n[Other]\r\nTabTitle3=x\r\n");
    Restart();
    EXPECT_EQ(view.Text(Control::fcTitleLabel1), "");
    EXPECT_EQ(view.pageCaptions,
              (std::map<int, std::string>{{0, G("检索")}, {1, G("默写")}, {2, G("维护")}}));
}

TEST_F(SettingsTest, AFirstStartTakesTheDefaultSettingsAndShowsTheGroupsLastWord)
{
    AddPlain(Numbered(30));
    Show();
    EXPECT_FALSE(state().DictationRecycled);
    EXPECT_EQ(state().GroupWordCount, 20);
    EXPECT_EQ(state().FirstWordInRecycle, "a");
    EXPECT_FALSE(view.Checked(Control::CheckBox_DictationRecycled));
    EXPECT_FALSE(view.visible.at(Control::Image_RecycledFlag));
    EXPECT_EQ(view.Text(Control::ComboBox_GroupWordCount), "20");
    EXPECT_EQ(view.Text(Control::Edit_FistWordInRecycle), "a");
    EXPECT_EQ(Label(), G("到 ") + "w00021");
    // The started range holds one word more than the count; the drill starts on the saved word.
    EXPECT_EQ(state().DictationStartRecNo, 1);
    EXPECT_EQ(state().DictationEndRecNo, 21);
    EXPECT_EQ(view.Text(Control::Edit_Input), "");
    EXPECT_TRUE(view.preview.empty());
}

TEST_F(SettingsTest, TheLabelFollowsEveryKeystrokeAndStopsAtTheLastWord)
{
    AddPlain(Numbered(10200));
    Show();
    settings().MenuItem_settingClick();
    view.Type(Control::ComboBox_GroupWordCount, "3");
    view.Type(Control::Edit_FistWordInRecycle, "w");
    EXPECT_EQ(Label(), G("到 ") + "w00004");
    view.Type(Control::Edit_FistWordInRecycle, "w005");
    EXPECT_EQ(Label(), G("到 ") + "w00503");
    view.Type(Control::Edit_FistWordInRecycle, "w10199");
    EXPECT_EQ(Label(), G("到 ") + "w10200");
    // The first word is sought as typed: a leading blank sorts before every word.
    view.Type(Control::Edit_FistWordInRecycle, " w10199");
    EXPECT_EQ(Label(), G("到 ") + "w00004");

    // Large counts jump instead of stepping; both end on the same record.
    view.Type(Control::Edit_FistWordInRecycle, "w00100");
    for (const auto& [count, last] :
         std::vector<std::pair<std::string, std::string>>{{" 10000 ", "w10100"},
                                                          {"10001", "w10101"},
                                                          {"10100", "w10200"},
                                                          {"50000", "w10200"},
                                                          {"2147483647", "w10200"},
                                                          {"0", "w00100"}}) {
        view.Type(Control::ComboBox_GroupWordCount, count);
        EXPECT_EQ(Label(), G("到 ") + last) << count;
    }
    // Texts that are no count leave the label as it was.
    for (const std::string count : {"1 0", "", "x", "2147483648", "99999999999"}) {
        view.Type(Control::ComboBox_GroupWordCount, count);
        EXPECT_EQ(Label(), G("到 ") + "w00100") << count;
    }
}

TEST_F(SettingsTest, ApplyRefusesATextThatIsNoCountAndChangesNothing)
{
    AddPlain(Numbered(10));
    Show();
    ASSERT_TRUE(Apply(PageDictation, true, "4", "w00002"));
    const FormState applied = state();
    for (const std::string count : {"2 0", "", "20x", "2147483648"}) {
        settings().MenuItem_settingClick();
        Fill(false, count, "w00005");
        view.boxes.clear();
        EXPECT_FALSE(settings().SpeedButton_applySettingClick()) << count;
        ASSERT_EQ(view.boxes.size(), 1u);
        EXPECT_EQ(view.boxes[0].text, count + G("不是一个有效地十进制数"));
        EXPECT_EQ(view.boxes[0].caption, G("警告"));
        EXPECT_EQ(view.boxes[0].question, Question::Notice);
        EXPECT_TRUE(view.settingsTab);
        EXPECT_EQ(view.page, PageSetting);
        EXPECT_TRUE(state().DictationRecycled);
        EXPECT_EQ(state().GroupWordCount, applied.GroupWordCount);
        EXPECT_EQ(state().FirstWordInRecycle, applied.FirstWordInRecycle);
        EXPECT_EQ(state().DictationStartRecNo, applied.DictationStartRecNo);
        EXPECT_EQ(state().DictationWord, applied.DictationWord);
    }
    EXPECT_EQ(OpenRegistry().ReadInteger("D_R_W_C"), 4);
}

TEST_F(SettingsTest, ApplyStoresTheSettingsSetsTheRangeAndReturnsToThePageItCameFrom)
{
    AddPlain(Numbered(10));
    Show();
    view.SelectPage(PageMaintain);
    settings().MenuItem_settingClick();
    EXPECT_TRUE(view.settingsTab);
    EXPECT_EQ(view.page, PageSetting);
    Fill(true, " 3 ", "w00004");
    ASSERT_TRUE(settings().SpeedButton_applySettingClick());
    EXPECT_TRUE(state().DictationRecycled);
    EXPECT_EQ(state().GroupWordCount, 3);
    EXPECT_EQ(state().FirstWordInRecycle, "w00004");
    EXPECT_TRUE(view.visible.at(Control::Image_RecycledFlag));
    EXPECT_EQ(state().DictationStartRecNo, 4);
    EXPECT_EQ(state().DictationEndRecNo, 6);
    EXPECT_EQ(state().DictationWord, "w00004");
    EXPECT_FALSE(view.settingsTab);
    EXPECT_EQ(view.page, PageMaintain);
    Registry registry = OpenRegistry();
    EXPECT_EQ(registry.ReadInteger("D_Recycled"), 1);
    EXPECT_EQ(registry.ReadInteger("D_R_W_C"), 3);
    EXPECT_EQ(registry.ReadString("D_R_F_W"), "w00004");

    // Off, with a count of 0 and a word that is not stored: the drill still restarts at that word's
    // place, the first word as typed.
    ASSERT_TRUE(Apply(PageDictation, false, "0", "w00007x"));
    EXPECT_FALSE(view.visible.at(Control::Image_RecycledFlag));
    EXPECT_EQ(state().FirstWordInRecycle, "w00007x");
    EXPECT_EQ(state().DictationStartRecNo, 8);
    EXPECT_EQ(state().DictationEndRecNo, 7);
    EXPECT_EQ(state().DictationWord, "w00008");
    EXPECT_EQ(view.Text(Control::Label_DictationCount), "0");
    EXPECT_EQ(view.focus, Control::Edit_Dictation);
    EXPECT_EQ(OpenRegistry().ReadInteger("D_Recycled"), 0);
}

TEST_F(SettingsTest, AnyPageChangeDiscardsTheSettingsPage)
{
    AddPlain(Numbered(10));
    Show();
    ASSERT_TRUE(Apply(PageQuery, true, "5", "w00003"));
    const FormState applied = state();

    settings().MenuItem_settingClick();
    Fill(false, "9", "w00008");
    // Opening again while open changes nothing, not even the page to return to.
    view.SelectPage(PageDictation);
    settings().MenuItem_settingClick();
    EXPECT_EQ(state().SettingReturnPage, PageQuery);
    EXPECT_EQ(view.Text(Control::ComboBox_GroupWordCount), "9");

    pages->PageControl1Change(); // the user clicked the dictation tab
    EXPECT_FALSE(view.settingsTab);
    EXPECT_EQ(state().DictationRecycled, applied.DictationRecycled);
    EXPECT_EQ(state().GroupWordCount, 5);
    EXPECT_EQ(state().FirstWordInRecycle, "w00003");
    EXPECT_EQ(state().DictationEndRecNo, applied.DictationEndRecNo);
    Registry registry = OpenRegistry();
    EXPECT_EQ(registry.ReadInteger("D_R_W_C"), 5);
    EXPECT_EQ(registry.ReadString("D_R_F_W"), "w00003");

    settings().MenuItem_settingClick();
    EXPECT_EQ(state().SettingReturnPage, PageDictation);
    EXPECT_TRUE(view.Checked(Control::CheckBox_DictationRecycled));
    EXPECT_EQ(view.Text(Control::ComboBox_GroupWordCount), "5");
    EXPECT_EQ(view.Text(Control::Edit_FistWordInRecycle), "w00003");
    EXPECT_EQ(Label(), G("到 ") + "w00008");
}

TEST_F(SettingsTest, LastWordsAreSavedAtCloseEvenEmptyAndRestoreTheLookupPage)
{
    AddPlain(Numbered(10));
    Show();
    Restart();
    Registry registry = OpenRegistry();
    EXPECT_EQ(registry.ReadString("QueryWord"), "");
    EXPECT_EQ(registry.ReadString("DictationWord"), "");

    view.Type(Control::Edit_Input, " W00004 ");
    pages->lookup.SpeedButton_SeekClick();
    state().DictationWord = "w00006";
    table.First();
    Restart();
    EXPECT_EQ(state().QueryWord, "W00004");
    EXPECT_EQ(view.Text(Control::Edit_Input), "W00004");
    EXPECT_EQ(view.Text(Control::Memo_View), G("【") + "w00004" + G("】") + "\r\n " + Explained("w00004"));
    // Without recycling the drill starts on the saved word.
    EXPECT_EQ(state().DictationWord, "w00006");
    EXPECT_EQ(state().DictationStartRecNo, 6);
}

TEST_F(SettingsTest, WithoutATableTheFirstShowingLoadsWhatItCanOnceAndOnlyUseReportsTheTable)
{
    Registry registry = OpenRegistry();
    registry.WriteString("QueryWord", "apple");
    registry.WriteInteger("D_R_W_C", 30);
    table.Close(); // the table could not be opened at start, which said so once
    EXPECT_NO_THROW(Show());
    EXPECT_FALSE(state().FirstShow);
    EXPECT_EQ(view.Text(Control::Edit_Input), "apple");
    EXPECT_EQ(view.Text(Control::ComboBox_GroupWordCount), "30");
    EXPECT_EQ(view.Text(Control::Edit_FistWordInRecycle), "a");
    EXPECT_TRUE(view.boxes.empty());
    // The settings page waits with its label; applying uses the table and says it is not open.
    settings().MenuItem_settingClick();
    view.Type(Control::ComboBox_GroupWordCount, "10");
    EXPECT_THROW(settings().SpeedButton_applySettingClick(), std::runtime_error);
    EXPECT_THROW(pages->lookup.SpeedButton_SeekClick(), std::runtime_error);

    // A first showing that fails midway is not run again when the window shows again.
    table.Open((dir / "DORori.db").string());
    state().FirstShow = true;
    registry.WriteInteger("D_R_W_C", 40);
    view.onChange = [](Control) { throw std::runtime_error("failed"); };
    pages->FirstShowWork();
    EXPECT_THROW(pages->FirstPaintedWork(), std::runtime_error); // the settings' change handler
    EXPECT_FALSE(state().FirstShow);
    view.page = PageDictation;
    EXPECT_NO_THROW(Show());
    EXPECT_EQ(view.page, PageDictation);
}

TEST_F(SettingsTest, AppliedSettingsOutliveAProgramThatWasKilled)
{
    AddPlain(Numbered(10));
    Show();
    ASSERT_TRUE(Apply(PageDictation, true, "2", "w00005"));
    pages.reset(); // no close: nothing more is written
    view = FakeView();
    pages = std::make_unique<StudyPages>(table, view,
                                         StudyPaths{(dir / "DoRori.ini").string(), dir.path().string()});
    view.onChange = [this](Control control) { pages->TextChanged(control); };
    Show();
    EXPECT_TRUE(state().DictationRecycled);
    EXPECT_EQ(state().GroupWordCount, 2);
    EXPECT_EQ(state().DictationWord, "w00005");
    EXPECT_TRUE(view.Checked(Control::CheckBox_DictationRecycled));
    EXPECT_TRUE(view.visible.at(Control::Image_RecycledFlag));
}

TEST_F(SettingsTest, ValuesOfAnotherTypeOrNumberReadAsMissing)
{
    AddPlain(Numbered(30));
    {
        Registry registry = OpenRegistry();
        registry.WriteInteger("D_Recycled", 2);
        registry.WriteString("D_R_W_C", "7");
        registry.WriteInteger("D_R_F_W", 5);
        registry.WriteInteger("QueryWord", 3);
        registry.WriteInteger("DictationWord", 4);
    }
    Show();
    EXPECT_FALSE(state().DictationRecycled);
    EXPECT_EQ(state().GroupWordCount, 20);
    EXPECT_EQ(state().FirstWordInRecycle, "a");
    EXPECT_EQ(state().QueryWord, "");
    EXPECT_EQ(state().DictationWord, "");
    EXPECT_EQ(view.Text(Control::Edit_Input), "");

    OpenRegistry().WriteInteger("D_Recycled", 1);
    OpenRegistry().WriteInteger("D_R_W_C", 2147483647);
    Restart();
    EXPECT_TRUE(state().DictationRecycled);
    EXPECT_EQ(state().DictationEndRecNo, 2147483647);
}

TEST_F(SettingsTest, AnUnparsableRegistryFileGivesTheDefaultsAndIsKept)
{
    AddPlain(Numbered(30));
    const auto file = dir / "config" / "ZYSOFT" / "DoRori.reg";
    std::filesystem::create_directories(file.parent_path());
    const std::string garbage = "integer D_R_W_C=7\nnot a value line\n";
    std::ofstream(file, std::ios::binary) << garbage;
    Show();
    EXPECT_FALSE(state().DictationRecycled);
    EXPECT_EQ(state().GroupWordCount, 20);
    EXPECT_EQ(state().FirstWordInRecycle, "a");

    Restart();
    std::ifstream kept(file.string() + ".unreadable", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), garbage);
}

TEST_F(SettingsTest, AKeyThatCannotBeOpenedLeavesTheInitialStateAndWritesNothing)
{
    AddPlain(Numbered(30));
    std::ofstream(dir / "blocked") << "a file where the configuration folder should be";
    setenv("XDG_CONFIG_HOME", (dir / "blocked").c_str(), 1);
    view.Type(Control::ComboBox_GroupWordCount, "50");
    Show();
    EXPECT_EQ(state().GroupWordCount, 0);
    EXPECT_EQ(state().FirstWordInRecycle, "");
    EXPECT_EQ(view.Text(Control::ComboBox_GroupWordCount), "50");
    EXPECT_EQ(view.visible.count(Control::Image_RecycledFlag), 0u);
    EXPECT_NO_THROW(Restart());
    ASSERT_TRUE(Apply(PageDictation, true, "3", "w00002"));
    EXPECT_EQ(state().DictationEndRecNo, 4);
}

} // namespace
