#pragma once
// The main window as the page logic sees it: controls by name through one binding each, GBK text
// with CR LF line breaks on the logic's side.

#include "app/ControlBinding.h"
#include "study/MainView.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

class QListWidget;
class QProgressBar;
class QTabWidget;
class QToolButton;
class QWidget;
class StatusLine;
class TDropDownList;
class TZYInfoDlg;

class FormMainView : public MainView {
public:
    FormMainView(QWidget& form, TZYInfoDlg& messageBox, std::string programDirectory);
    ~FormMainView() override;

    // True while the program itself selects a page or hides a tab: that is no page change of the
    // user's, and runs no page-entry actions.
    bool SelectingPage() const { return selectingPage_; }
    // The binding of the control; a control without one is a fault, reported with its name. A
    // control not made yet has `makeControls` make the rest of the window's controls first.
    const ControlBinding& Binding(Control control) const;
    // Binds the controls made since; `makeControls` makes those the window has not made yet.
    void BindNewControls();
    std::function<void()> makeControls;

    std::string Text(Control control) const override;
    bool TextFitsGbk(Control control) const override;
    void SetText(Control control, const std::string& text) override;
    void SetCaretToEnd(Control control) override;
    void SelectAll(Control control) override;
    void ScrollToTop(Control control) override;
    void SetFocus(Control control) override;
    void SetVisible(Control control, bool visible) override;
    bool Checked(Control control) const override;
    void SetChecked(Control control, bool checked) override;
    void ClearPreview() override;
    void AddPreview(const std::vector<std::string>& words) override;
    int PreviewCount() const override;
    int PreviewSelectedIndex() const override;
    std::string PreviewItem(int index) const override;
    int PreviewRows() const override;
    void ShowSuggestions(const std::string& heading, const std::vector<std::string>& entries) override;
    void HideSuggestions() override;
    int ActivePage() const override;
    void SelectPage(int page) override;
    bool SettingsTabVisible() const override;
    void SetSettingsTabVisible(bool visible) override;
    void SetPageCaption(int page, const std::string& caption) override;
    void ShowStatus(const std::string& message) override;
    void Beep() override;
    Answer MessageBox(const std::string& text, const std::string& caption, Question question) override;
    std::optional<std::string> AskFileName(const std::string& title) override;
    std::optional<std::size_t> ChooseEntry(const std::string& title,
                                           const std::vector<std::pair<std::string, std::string>>& entries,
                                           const std::string& chooseCaption) override;
    void ShowProgress(bool visible) override;
    void SetProgress(int percent) override;
    void ProcessEvents() override;

private:
    void Bind(Control control, ControlBinding binding);
    QString RawText(Control control) const;

    QWidget& form_;
    TZYInfoDlg& messageBox_;
    std::string programDirectory_;
    std::array<ControlBinding, kAllControls.size()> bindings_;
    QListWidget& preview_;
    QTabWidget& pages_;
    QProgressBar& progress_;
    QToolButton& menuButton_;
    TDropDownList& suggestions_;
    std::unique_ptr<StatusLine> status_;
    bool selectingPage_ = false;
};
