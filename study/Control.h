#pragma once
// The main window's controls that the page logic reads and writes, by the window's own names.

#include <array>

enum class Control {
    // window
    fcTitleLabel1,
    // lookup page
    Edit_Input,
    Memo_View,
    ListBox_Preview,
    // dictation page
    Label_Interpret,
    Label_DictationCount,
    Image_RecycledFlag,
    Edit_Dictation,
    // maintenance page
    Edit_newword,
    Memo_newInterpret,
    // settings page
    CheckBox_DictationRecycled,
    ComboBox_GroupWordCount,
    Edit_FistWordInRecycle,
    Label_lastGroupWord,
    CheckBox_DictationSpeak,
    CheckBox_DictationReview,
    CheckBox_DictationSchedule,
    Edit_NewWordsPerDay,
};

// Every control, for code that must handle each one.
inline constexpr std::array kAllControls{
    Control::fcTitleLabel1,
    Control::Edit_Input,
    Control::Memo_View,
    Control::ListBox_Preview,
    Control::Label_Interpret,
    Control::Label_DictationCount,
    Control::Image_RecycledFlag,
    Control::Edit_Dictation,
    Control::Edit_newword,
    Control::Memo_newInterpret,
    Control::CheckBox_DictationRecycled,
    Control::ComboBox_GroupWordCount,
    Control::Edit_FistWordInRecycle,
    Control::Label_lastGroupWord,
    Control::CheckBox_DictationSpeak,
    Control::CheckBox_DictationReview,
    Control::CheckBox_DictationSchedule,
    Control::Edit_NewWordsPerDay,
};
static_assert(kAllControls.size() == static_cast<std::size_t>(Control::Edit_NewWordsPerDay) + 1);

// The pages' command buttons, by the window's own names.
enum class PageButton {
    SpeedButton_Seek,
    SpeedButton_last,
    SpeedButton_next,
    SpeedButton_findword,
    SpeedButton_SaveWord,
    SpeedButton5,
    SpeedExport,
    SpeedButton_import,
    SpeedButton_applySetting,
};

// Page indices of the page control; they do not change while the settings tab is hidden.
enum Page : int {
    PageQuery = 0,
    PageDictation = 1,
    PageMaintain = 2,
    PageSetting = 3,
};

// Key codes the handlers compare with.
enum KeyCode : int {
    VK_RETURN = 13,
    VK_PRIOR = 33,
    VK_NEXT = 34,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_S = 83,
    VK_F1 = 112,
    VK_F2 = 113,
    VK_OEM_PERIOD = 190,
    VK_OEM_3 = 192,
};
