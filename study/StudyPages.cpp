#include "study/StudyPages.h"

#include "store/DictTable.h"
#include "store/WordSeek.h"
#include "study/MainView.h"

#include <utility>

StudyPages::StudyPages(TDictTable& table, MainView& view, const StudyPaths& paths, Speaker& speaker,
                       Speller& speller)
    : table_(table), view_(view), errorBook(table), reviews(table), schedule(table, reviews),
      lookup({table, state, view}, speaker, speller), maintenance({table, state, view}, errorBook, reviews),
      settings({table, state, view}, lookup, paths.iniFile),
      dictation({table, state, view}, settings, speaker, errorBook, reviews, schedule, clock),
      keys({table, state, view}, lookup, maintenance, dictation),
      transfer({table, state, view}, paths.gradedListsFolder), statistics(table, reviews, errorBook)
{
}

void StudyPages::PageControl1Change()
{
    switch (view_.ActivePage()) {
    case PageQuery:
        view_.SetFocus(Control::Edit_Input);
        break;
    case PageDictation:
        dictation.EnterDictationPage();
        break;
    case PageMaintain:
        view_.SetFocus(Control::Edit_newword);
        break;
    default:
        break;
    }
    // Leaving the settings page by any page change discards its unapplied edits.
    if (view_.SettingsTabVisible())
        view_.SetSettingsTabVisible(false);
}

void StudyPages::FirstShowWork()
{
    if (!state.FirstShow)
        return;
    // Once, whatever fails: restoring the window never runs it again.
    state.FirstShow = false;
    view_.SelectPage(PageQuery);
    view_.SetSettingsTabVisible(false);
    view_.SetFocus(Control::Edit_Input);
    settings.LoadLastWords();
    startPending_ = true;
}

void StudyPages::FirstPaintedWork()
{
    if (!std::exchange(startPending_, false))
        return;
    // The dictation settings fill the controls of pages not shown yet.
    const bool findGroup = settings.LoadDictationSettings();
    if (state.DictationRecycled)
        state.DictationWord = state.FirstWordInRecycle;
    // A table that could not be opened was reported once at start; what needs it is left until the
    // user asks for it.
    if (!table_.Active())
        return;
    if (findGroup)
        settings.FindStartedGroup();
    state.DictationStartRecNo = RecNoOfWord(table_, state.DictationWord);
}

void StudyPages::TextChanged(Control control)
{
    switch (control) {
    case Control::Edit_Input:
        lookup.Edit_InputChange();
        break;
    case Control::ComboBox_GroupWordCount:
    case Control::Edit_FistWordInRecycle:
        settings.ComboBox_GroupWordCountChange();
        break;
    default:
        break;
    }
}

void StudyPages::Clicked(PageButton button)
{
    if (Busy())
        return;
    switch (button) {
    case PageButton::SpeedButton_Seek:
        lookup.SpeedButton_SeekClick();
        break;
    case PageButton::SpeedButton_last:
        lookup.SpeedButton_lastClick();
        break;
    case PageButton::SpeedButton_next:
        lookup.SpeedButton_nextClick();
        break;
    case PageButton::SpeedButton_findword:
        maintenance.SpeedButton_findwordClick();
        break;
    case PageButton::SpeedButton_SaveWord:
        maintenance.SpeedButton_SaveWordClick();
        break;
    case PageButton::SpeedButton5:
        maintenance.SpeedButton5Click();
        break;
    case PageButton::SpeedExport:
        transfer.SpeedExportClick();
        break;
    case PageButton::SpeedButton_import:
        transfer.SpeedImportClick();
        break;
    case PageButton::SpeedButton_applySetting:
        if (settings.SpeedButton_applySettingClick()) {
            dictation.SettingsApplied();
            PageControl1Change();
        }
        break;
    }
}

void StudyPages::KeyDown(std::optional<Control> focused, int key, bool ctrl)
{
    if (Busy())
        return;
    keys.FormKeyDown(key, ctrl);
    if (focused == Control::Edit_Input)
        lookup.Edit_InputKeyDown(key);
    else if (focused == Control::Edit_newword)
        maintenance.Edit_newwordKeyDown(key);
    else if (focused == Control::Edit_Dictation)
        dictation.Edit_DictationKeyDown(key);
}

void StudyPages::DoubleClicked(Control control)
{
    if (Busy())
        return;
    if (control == Control::ListBox_Preview)
        lookup.ListBox_PreviewDblClick();
    else if (control == Control::Memo_View)
        lookup.Memo_ViewDblClick();
    else if (control == Control::Label_Interpret)
        dictation.Label_InterpretDblClick();
}

void StudyPages::PreviewScrolledToEnd()
{
    if (!Busy())
        lookup.MorePreview();
}

void StudyPages::SpellingsArrived(const std::string& word, const std::vector<std::string>& spellings)
{
    if (!Busy())
        lookup.suggestions.SpellingsArrived(word, spellings);
}

void StudyPages::SuggestionPicked(int index)
{
    if (!Busy())
        lookup.SuggestionPicked(index);
}
