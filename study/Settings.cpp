#include "study/Settings.h"

#include "platform/IniFile.h"
#include "platform/Registry.h"
#include "store/DictTable.h"
#include "store/WordSeek.h"
#include "study/CommonTexts.h"
#include "study/DictationRange.h"
#include "study/Lookup.h"
#include "study/MainView.h"
#include "text/GbkCodec.h"
#include "text/GbkText.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace {

constexpr const char* kSection = "AppProperty";
// Group counts up to this many are walked record by record (about a microsecond a step); larger
// ones jump by record number, which costs two index scans of at most the whole table instead.
constexpr int kLabelStepLimit = 10000;
constexpr int kNewWordsPerDayDefault = 20;
constexpr int kNewWordsPerDayMost = 9999;

// The page's own texts as GBK, converted once.
struct Texts {
    std::string mainTitle = "RIdavave";
    std::string queryTab = gbk::FromUtf8("检索").value();
    std::string dictationTab = gbk::FromUtf8("听写").value();
    std::string maintainTab = gbk::FromUtf8("维护").value();
    std::string to = gbk::FromUtf8("到 ").value();
    std::string notDecimal = gbk::FromUtf8("不是一个有效地十进制数").value();
    std::string badNewWords = gbk::FromUtf8("每天新词应是 0 到 9999 之间的整数").value();
};

const Texts& Say()
{
    static const Texts texts;
    return texts;
}

// The group count a text stands for: digits only once trimmed, within a signed 32-bit number.
std::optional<int> GroupCountOf(std::string_view text)
{
    if (!IsDigitString(text))
        return std::nullopt;
    const std::string digits = gbk::Trim(text);
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

std::optional<int> NewWordsPerDayOf(std::string_view text)
{
    const auto count = GroupCountOf(text);
    if (!count || *count > kNewWordsPerDayMost)
        return std::nullopt;
    return count;
}

} // namespace

bool IsDigitString(std::string_view text)
{
    const std::string trimmed = gbk::Trim(text);
    return !trimmed.empty() &&
           std::all_of(trimmed.begin(), trimmed.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void Settings::LoadTitles()
{
    const IniFile ini(iniPath_);
    c_.view.SetText(Control::fcTitleLabel1, ini.ReadString(kSection, "MainTitle", Say().mainTitle));
    c_.view.SetPageCaption(PageQuery, ini.ReadString(kSection, "TabTitle1", Say().queryTab));
    c_.view.SetPageCaption(PageDictation, ini.ReadString(kSection, "TabTitle2", Say().dictationTab));
    c_.view.SetPageCaption(PageMaintain, ini.ReadString(kSection, "TabTitle3", Say().maintainTab));
}

void Settings::LoadLastWords()
{
    Registry registry;
    if (!registry.OpenKey(kSettingsKeyPath, true))
        return;
    if (const auto word = registry.ReadString("DictationWord"))
        c_.state.DictationWord = *word;
    if (const auto word = registry.ReadString("QueryWord")) {
        c_.state.QueryWord = *word;
        lookup_.SetInputWord(c_.state.QueryWord);
        // Without a table (reported once at start) the word waits in the box for the user.
        if (c_.table.Active()) {
            Seek_Word_Record(c_.table, c_.state.QueryWord);
            lookup_.ShowWordView();
        }
    }
}

bool Settings::LoadDictationSettings()
{
    FormState& state = c_.state;
    MainView& view = c_.view;
    Registry registry;
    if (!registry.OpenKey(kSettingsKeyPath, true))
        return false;
    if (const auto recycled = registry.ReadInteger("D_Recycled"))
        state.DictationRecycled = *recycled == 1;
    if (const auto speak = registry.ReadInteger("D_Speak"))
        state.DictationSpeak = *speak == 1;
    if (const auto review = registry.ReadInteger("D_Review"))
        state.DictationReview = *review == 1;
    state.GroupWordCount = registry.ReadInteger("D_R_W_C").value_or(20);
    state.FirstWordInRecycle = registry.ReadString("D_R_F_W").value_or("a");
    if (const auto schedule = registry.ReadInteger("D_Schedule"))
        state.DictationSchedule = *schedule == 1;
    state.NewWordsPerDay = std::clamp(registry.ReadInteger("D_NewPerDay").value_or(kNewWordsPerDayDefault), 0,
                                      kNewWordsPerDayMost);

    view.SetChecked(Control::CheckBox_DictationRecycled, state.DictationRecycled);
    view.SetChecked(Control::CheckBox_DictationSpeak, state.DictationSpeak);
    view.SetChecked(Control::CheckBox_DictationReview, state.DictationReview);
    view.SetChecked(Control::CheckBox_DictationSchedule, state.DictationSchedule);
    view.SetVisible(Control::Image_RecycledFlag, state.DictationRecycled);
    view.SetText(Control::ComboBox_GroupWordCount, std::to_string(state.GroupWordCount));
    view.SetText(Control::Edit_FistWordInRecycle, state.FirstWordInRecycle);
    view.SetText(Control::Edit_NewWordsPerDay, std::to_string(state.NewWordsPerDay));
    return true;
}

void Settings::FindStartedGroup()
{
    FormState& state = c_.state;
    // A started group holds one word more than an applied one.
    state.DictationStartRecNo = RecNoOfWord(c_.table, state.FirstWordInRecycle);
    state.DictationEndRecNo = ClampRecNo(1LL * state.DictationStartRecNo + state.GroupWordCount);
}

void Settings::SaveLastWords()
{
    Registry registry;
    if (!registry.OpenKey(kSettingsKeyPath, true))
        return;
    registry.WriteString("QueryWord", c_.state.QueryWord);
    registry.WriteString("DictationWord", c_.state.DictationWord);
}

void Settings::SaveDictationSettings()
{
    Registry registry;
    if (!registry.OpenKey(kSettingsKeyPath, true))
        return;
    // The applied state, which equals the check box when applying; after an abandoned visit to the
    // settings page the box may still show an edit that was never applied.
    registry.WriteInteger("D_Recycled", c_.state.DictationRecycled ? 1 : 0);
    registry.WriteInteger("D_R_W_C", c_.state.GroupWordCount);
    registry.WriteString("D_R_F_W", c_.state.FirstWordInRecycle);
    registry.WriteInteger("D_Speak", c_.state.DictationSpeak ? 1 : 0);
    registry.WriteInteger("D_Review", c_.state.DictationReview ? 1 : 0);
    // A learner who never used the spaced review keeps the key exactly as it was.
    if (c_.state.DictationSchedule || registry.ValueExists("D_Schedule"))
        registry.WriteInteger("D_Schedule", c_.state.DictationSchedule ? 1 : 0);
    if (c_.state.NewWordsPerDay != kNewWordsPerDayDefault || registry.ValueExists("D_NewPerDay"))
        registry.WriteInteger("D_NewPerDay", c_.state.NewWordsPerDay);
}

void Settings::MenuItem_settingClick()
{
    MainView& view = c_.view;
    if (view.SettingsTabVisible())
        return;
    c_.state.SettingReturnPage = view.ActivePage();
    view.SetSettingsTabVisible(true);
    view.SelectPage(PageSetting);
    // Edits left from an earlier visit that was not applied give way to the applied values.
    view.SetChecked(Control::CheckBox_DictationRecycled, c_.state.DictationRecycled);
    view.SetChecked(Control::CheckBox_DictationSpeak, c_.state.DictationSpeak);
    view.SetChecked(Control::CheckBox_DictationReview, c_.state.DictationReview);
    view.SetChecked(Control::CheckBox_DictationSchedule, c_.state.DictationSchedule);
    view.SetText(Control::ComboBox_GroupWordCount, std::to_string(c_.state.GroupWordCount));
    view.SetText(Control::Edit_FistWordInRecycle, c_.state.FirstWordInRecycle);
    view.SetText(Control::Edit_NewWordsPerDay, std::to_string(c_.state.NewWordsPerDay));
}

void Settings::ComboBox_GroupWordCountChange()
{
    MainView& view = c_.view;
    TDictTable& table = c_.table;
    const auto count = GroupCountOf(view.Text(Control::ComboBox_GroupWordCount));
    // The label follows the table; without one it waits rather than report at every keystroke
    // (applying still reports it).
    if (!count || !table.Active())
        return;
    table.SeekNearest(view.Text(Control::Edit_FistWordInRecycle));
    if (*count <= kLabelStepLimit) {
        for (int i = 0; i < *count && !table.Eof(); ++i)
            table.Next();
    } else if (table.RecordCount() > 0) {
        table.SetRecNo(ClampRecNo(std::min<long long>(1LL * table.RecNo() + *count, table.RecordCount())));
    }
    view.SetText(Control::Label_lastGroupWord, Say().to + table.FieldByName("word"));
}

bool Settings::SpeedButton_applySettingClick()
{
    MainView& view = c_.view;
    FormState& state = c_.state;
    const std::string countText = view.Text(Control::ComboBox_GroupWordCount);
    const auto count = GroupCountOf(countText);
    if (!count) {
        view.MessageBox(countText + Say().notDecimal, Common().warning, Question::Notice);
        return false;
    }
    const auto newWords = NewWordsPerDayOf(view.Text(Control::Edit_NewWordsPerDay));
    if (!newWords) {
        view.MessageBox(Say().badNewWords, Common().warning, Question::Notice);
        view.SetFocus(Control::Edit_NewWordsPerDay);
        return false;
    }
    state.DictationRecycled = view.Checked(Control::CheckBox_DictationRecycled);
    state.DictationSpeak = view.Checked(Control::CheckBox_DictationSpeak);
    state.DictationReview = view.Checked(Control::CheckBox_DictationReview);
    state.DictationSchedule = view.Checked(Control::CheckBox_DictationSchedule);
    state.NewWordsPerDay = *newWords;
    state.GroupWordCount = *count;
    state.FirstWordInRecycle = view.Text(Control::Edit_FistWordInRecycle);
    view.SetVisible(Control::Image_RecycledFlag, state.DictationRecycled);
    SaveDictationSettings();
    state.DictationStartRecNo = RecNoOfWord(c_.table, state.FirstWordInRecycle);
    state.DictationEndRecNo = ClampRecNo(1LL * state.DictationStartRecNo + state.GroupWordCount - 1);
    // Applying always restarts the drill at the first word, with or without recycling.
    state.DictationWord = state.FirstWordInRecycle;
    view.SetSettingsTabVisible(false);
    view.SelectPage(state.SettingReturnPage);
    return true;
}
