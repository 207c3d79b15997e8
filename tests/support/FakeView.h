#pragma once
// A main window without widgets: it keeps every control's text and records what the page logic
// showed and asked, so handlers can be tested without a display.

#include "study/MainView.h"

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

struct AskedBox {
    std::string text;
    std::string caption;
    Question question;
};

class FakeView : public MainView {
public:
    // Called after a control's text changed, like the real window's change signals.
    std::function<void(Control)> onChange;

    // What the user does.
    void Type(Control control, const std::string& text)
    {
        unencodable.erase(control);
        SetText(control, text);
    }
    void TypeUnencodable(Control control, const std::string& textShown);
    void SelectPreview(int index) { selected = index; }
    // Answers for the next message boxes and file dialogs, in order; an unanswered box answers
    // Cancel, as a box closed without a button does.
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> fileAnswers;
    // Answers for the next choices among entries; an unanswered one is closed without a choice.
    std::deque<std::optional<std::size_t>> choiceAnswers;

    // What the logic did.
    std::map<Control, std::string> texts;
    std::set<Control> unencodable;
    std::map<Control, bool> checks;
    std::map<Control, bool> visible;
    std::vector<std::string> preview;
    int selected = -1;
    int previewRows = 6; // the design's list shows six entries
    int previewClears = 0;
    std::string suggestionHeading;
    std::vector<std::string> suggestions; // the list below the lookup box; empty while closed
    int page = 0;
    bool settingsTab = false;
    std::map<int, std::string> pageCaptions;
    std::vector<std::string> statuses;
    int beeps = 0;
    std::vector<AskedBox> boxes;
    std::vector<std::string> fileTitles;
    struct OfferedChoice {
        std::string title;
        std::vector<std::pair<std::string, std::string>> entries;
        std::string chooseCaption;
    };
    std::vector<OfferedChoice> choices;
    Control focus = Control::Edit_Input;
    Control caretAtEnd = Control::fcTitleLabel1;
    Control selectedAll = Control::fcTitleLabel1;
    int scrolledToTop = 0;
    bool progressVisible = false;
    std::vector<int> progress;
    int processedEvents = 0;

    std::string LastStatus() const { return statuses.empty() ? std::string() : statuses.back(); }

    std::string Text(Control control) const override;
    bool TextFitsGbk(Control control) const override { return !unencodable.count(control); }
    void SetText(Control control, const std::string& text) override;
    void SetCaretToEnd(Control control) override { caretAtEnd = control; }
    void SelectAll(Control control) override { selectedAll = control; }
    void ScrollToTop(Control) override { ++scrolledToTop; }
    void SetFocus(Control control) override { focus = control; }
    void SetVisible(Control control, bool shown) override { visible[control] = shown; }
    bool Checked(Control control) const override;
    void SetChecked(Control control, bool checked) override { checks[control] = checked; }

    void ClearPreview() override;
    void AddPreview(const std::vector<std::string>& words) override
    {
        preview.insert(preview.end(), words.begin(), words.end());
    }
    int PreviewCount() const override { return static_cast<int>(preview.size()); }
    int PreviewSelectedIndex() const override { return selected; }
    std::string PreviewItem(int index) const override;
    int PreviewRows() const override { return previewRows; }
    void ShowSuggestions(const std::string& heading, const std::vector<std::string>& entries) override
    {
        suggestionHeading = heading;
        suggestions = entries;
    }
    void HideSuggestions() override { suggestions.clear(); }

    int ActivePage() const override { return page; }
    void SelectPage(int index) override { page = index; }
    bool SettingsTabVisible() const override { return settingsTab; }
    void SetSettingsTabVisible(bool shown) override { settingsTab = shown; }
    void SetPageCaption(int index, const std::string& caption) override { pageCaptions[index] = caption; }

    void ShowStatus(const std::string& message) override { statuses.push_back(message); }
    void Beep() override { ++beeps; }
    Answer MessageBox(const std::string& text, const std::string& caption, Question question) override;

    std::optional<std::string> AskFileName(const std::string& title) override;
    std::optional<std::size_t> ChooseEntry(const std::string& title,
                                           const std::vector<std::pair<std::string, std::string>>& entries,
                                           const std::string& chooseCaption) override;
    void ShowProgress(bool shown) override { progressVisible = shown; }
    void SetProgress(int percent) override { progress.push_back(percent); }
    void ProcessEvents() override { ++processedEvents; }
};
