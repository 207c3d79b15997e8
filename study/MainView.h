#pragma once
// What the page logic needs of the main window. The window implements it with real widgets;
// tests implement it with a fake that records what was shown.
//
// All text is GBK bytes; line breaks are CR LF on this side of the interface.

#include "study/Control.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The shapes of question and notice the page logic asks; the window turns each into its buttons,
// icon and first focus.
enum class Question {
    Notice,        // "确定", error icon
    WarningNotice, // "确定", warning icon
    InfoNotice,    // "确定", information icon: what an import or export did
    AskYesNo,      // "是" / "否", question icon, the focus on "否"
    AskOverwrite,  // "确定" / "取消", warning icon, the focus on "取消"
    AskYesNoCancel // "是" / "否" / "取消", no icon, the focus on "是"
};

// The button pressed; a box closed without a button answers Cancel.
enum class Answer { Ok, Cancel, Yes, No };

class MainView {
public:
    virtual ~MainView() = default;

    // The control's text. Characters GBK cannot hold come back as '?'.
    virtual std::string Text(Control control) const = 0;
    // False while the control holds a character GBK cannot hold.
    virtual bool TextFitsGbk(Control control) const = 0;
    // Writes the control's text. When the text changes, the control's change handler runs just as
    // when the user types; writing the same text does nothing.
    virtual void SetText(Control control, const std::string& text) = 0;
    virtual void SetCaretToEnd(Control control) = 0;
    virtual void SelectAll(Control control) = 0;
    virtual void ScrollToTop(Control control) = 0;
    virtual void SetFocus(Control control) = 0;
    virtual void SetVisible(Control control, bool visible) = 0;
    virtual bool Checked(Control control) const = 0;
    virtual void SetChecked(Control control, bool checked) = 0;

    // The preview list of the lookup page. ClearPreview repaints it at once; AddPreview appends the
    // words in their order.
    virtual void ClearPreview() = 0;
    virtual void AddPreview(const std::vector<std::string>& words) = 0;
    virtual int PreviewCount() const = 0;
    virtual int PreviewSelectedIndex() const = 0; // -1 when no entry is selected
    virtual std::string PreviewItem(int index) const = 0;
    // How many entries the list shows at once, at its size now.
    virtual int PreviewRows() const = 0;

    // The list that drops below the lookup box: a heading above its entries, the best first. It
    // closes by Hide, by Escape and by a pick, which comes back as StudyPages::SuggestionPicked.
    virtual void ShowSuggestions(const std::string& heading, const std::vector<std::string>& entries) = 0;
    virtual void HideSuggestions() = 0;

    // Selecting a page here runs no page-entry actions.
    virtual int ActivePage() const = 0;
    virtual void SelectPage(int page) = 0;
    virtual bool SettingsTabVisible() const = 0;
    virtual void SetSettingsTabVisible(bool visible) = 0;
    virtual void SetPageCaption(int page, const std::string& caption) = 0;

    // The status line: shows the message and lets it give way to "完成" at the timer's tick.
    virtual void ShowStatus(const std::string& message) = 0;
    virtual void Beep() = 0;
    virtual Answer MessageBox(const std::string& text, const std::string& caption, Question question) = 0;

    // The save-style file dialog of the word-list commands; nothing when cancelled. The path is
    // in the file system's own encoding.
    virtual std::optional<std::string> AskFileName(const std::string& title) = 0;
    // A choice among entries, each a name and a detail, in a dialog of the window's own look, its
    // button captioned `chooseCaption`; the chosen entry's index, nothing when closed without one.
    virtual std::optional<std::size_t>
    ChooseEntry(const std::string& title, const std::vector<std::pair<std::string, std::string>>& entries,
                const std::string& chooseCaption) = 0;
    virtual void ShowProgress(bool visible) = 0;
    virtual void SetProgress(int percent) = 0;
    // Lets the window repaint and take input while a long command runs.
    virtual void ProcessEvents() = 0;
};
