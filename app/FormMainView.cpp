#include "app/FormMainView.h"

#include "app/FormMainControls.h"
#include "app/MessageBoxQuestion.h"
#include "app/NamedChild.h"
#include "app/StatusLine.h"
#include "ui/DropDownList.h"
#include "ui/QtGbk.h"
#include "ui/skin/ZYInfoDlg.h"
#include "ui/skin/ZYListDlg.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <stdexcept>

namespace {

QString ToWidget(const std::string& gbk)
{
    QString text = FromGbk(gbk);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

template <class Operation>
const Operation& Require(const Operation& operation, Control control, const char* what)
{
    if (!operation)
        throw std::logic_error(std::string("The control ") + ControlName(control) + " cannot " + what);
    return operation;
}

} // namespace

FormMainView::FormMainView(QWidget& form, TZYInfoDlg& messageBox, std::string programDirectory)
    : form_(form), messageBox_(messageBox), programDirectory_(std::move(programDirectory)),
      preview_(NamedChild<QListWidget>(form, ControlName(Control::ListBox_Preview))),
      pages_(NamedChild<QTabWidget>(form, "PageControl1")),
      progress_(NamedChild<QProgressBar>(form, "ProgressBar1")),
      menuButton_(NamedChild<QToolButton>(form, "SpeedButton_Menu")),
      suggestions_(NamedChild<TDropDownList>(form, "DropDownList_Suggestions")),
      status_(std::make_unique<StatusLine>(NamedChild<QLabel>(form, "HintLabel"),
                                           NamedChild<QTimer>(form, "Timer1")))
{
    BindNewControls();
}

FormMainView::~FormMainView() = default;

void FormMainView::Bind(Control control, ControlBinding binding)
{
    bindings_[static_cast<std::size_t>(control)] = std::move(binding);
}

void FormMainView::BindNewControls()
{
    for (auto& [control, binding] : BindControls(form_))
        if (!bindings_.at(static_cast<std::size_t>(control)).widget)
            Bind(control, std::move(binding));
}

const ControlBinding& FormMainView::Binding(Control control) const
{
    const ControlBinding& binding = bindings_.at(static_cast<std::size_t>(control));
    if (!binding.widget && makeControls)
        makeControls();
    if (!binding.widget)
        throw std::logic_error(std::string("The control ") + ControlName(control) + " has no binding");
    return binding;
}

QString FormMainView::RawText(Control control) const
{
    return Require(Binding(control).text, control, "be read")();
}

std::string FormMainView::Text(Control control) const
{
    return ToGbkLossy(RawText(control));
}

bool FormMainView::TextFitsGbk(Control control) const
{
    return ToGbk(RawText(control)).has_value();
}

void FormMainView::SetText(Control control, const std::string& text)
{
    const ControlBinding& binding = Binding(control);
    const QString shown = ToWidget(text);
    // Writing the same text again changes nothing, so no change handler runs.
    if (binding.text && binding.text() == WithCrLf(shown))
        return;
    Require(binding.setText, control, "be written")(shown);
}

void FormMainView::SetCaretToEnd(Control control)
{
    Require(Binding(control).caretToEnd, control, "move its caret")();
}

void FormMainView::SelectAll(Control control)
{
    Require(Binding(control).selectAll, control, "select its text")();
}

void FormMainView::ScrollToTop(Control control)
{
    Require(Binding(control).scrollToTop, control, "scroll")();
}

void FormMainView::SetFocus(Control control)
{
    Binding(control).widget->setFocus();
}

void FormMainView::SetVisible(Control control, bool visible)
{
    Binding(control).widget->setVisible(visible);
}

bool FormMainView::Checked(Control control) const
{
    return Require(Binding(control).checked, control, "be checked")();
}

void FormMainView::SetChecked(Control control, bool checked)
{
    Require(Binding(control).setChecked, control, "be checked")(checked);
}

void FormMainView::ClearPreview()
{
    preview_.clear();
    preview_.repaint();
}

void FormMainView::AddPreview(const std::vector<std::string>& words)
{
    QStringList items;
    items.reserve(static_cast<qsizetype>(words.size()));
    for (const std::string& word : words)
        items.append(FromGbk(word));
    preview_.addItems(items);
    // Laid out here, not by the list's own timer: that runs after the window has painted the list
    // unlaid, and the scroll bars it then shows would cost the window a second paint.
    preview_.doItemsLayout();
}

int FormMainView::PreviewRows() const
{
    const int row = preview_.count() > 0 ? preview_.sizeHintForRow(0) : preview_.fontMetrics().height();
    return std::max(1, preview_.viewport()->height() / std::max(1, row) + 1);
}

int FormMainView::PreviewCount() const
{
    return preview_.count();
}

int FormMainView::PreviewSelectedIndex() const
{
    const QListWidgetItem* item = preview_.currentItem();
    return item && item->isSelected() ? preview_.row(item) : -1;
}

std::string FormMainView::PreviewItem(int index) const
{
    if (index < 0 || index >= preview_.count())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return ToGbkLossy(preview_.item(index)->text());
}

int FormMainView::ActivePage() const
{
    return pages_.currentIndex();
}

void FormMainView::SelectPage(int page)
{
    selectingPage_ = true;
    pages_.setCurrentIndex(page);
    selectingPage_ = false;
}

bool FormMainView::SettingsTabVisible() const
{
    return pages_.isTabVisible(PageSetting);
}

void FormMainView::SetSettingsTabVisible(bool visible)
{
    // Hiding the current tab makes the tab bar pick another one: that is no page change of the user's.
    selectingPage_ = true;
    pages_.setTabVisible(PageSetting, visible);
    selectingPage_ = false;
}

void FormMainView::SetPageCaption(int page, const std::string& caption)
{
    pages_.setTabText(page, FromGbk(caption));
}

void FormMainView::ShowStatus(const std::string& message)
{
    status_->Show(ToWidget(message));
}

void FormMainView::Beep()
{
    QApplication::beep();
}

Answer FormMainView::MessageBox(const std::string& text, const std::string& caption, Question question)
{
    return AnswerOf(messageBox_.MessageBox(FromGbk(text), FromGbk(caption), MessageBoxFlags(question)));
}

std::optional<std::string> FormMainView::AskFileName(const std::string& title)
{
    const QString name = QFileDialog::getSaveFileName(
        &form_, FromGbk(title), QString::fromStdString(programDirectory_),
        QStringLiteral("文本 (*.txt);;单词表 (*.tsv *.csv *.json);;所有文件 (*)"), nullptr,
        QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty())
        return std::nullopt;
    return QFile::encodeName(name).toStdString();
}

void FormMainView::ShowSuggestions(const std::string& heading, const std::vector<std::string>& entries)
{
    QStringList shown;
    for (const std::string& entry : entries)
        shown.push_back(FromGbk(entry));
    suggestions_.ShowEntries(FromGbk(heading), shown);
}

void FormMainView::HideSuggestions()
{
    suggestions_.hide();
}

std::optional<std::size_t>
FormMainView::ChooseEntry(const std::string& title,
                          const std::vector<std::pair<std::string, std::string>>& entries,
                          const std::string& chooseCaption)
{
    std::vector<TZYListDlg::Entry> shown;
    for (const auto& [name, detail] : entries)
        shown.emplace_back(FromGbk(name), FromGbk(detail));
    TZYListDlg dialog(&form_, FromGbk(title), shown, FromGbk(chooseCaption));
    const std::optional<int> chosen = dialog.Choose();
    if (!chosen)
        return std::nullopt;
    return static_cast<std::size_t>(*chosen);
}

void FormMainView::ShowProgress(bool visible)
{
    progress_.setValue(0);
    progress_.setVisible(visible);
    // While the bar shows, pages and the menu cannot be changed.
    pages_.tabBar()->setEnabled(!visible);
    menuButton_.setEnabled(!visible);
}

void FormMainView::SetProgress(int percent)
{
    progress_.setValue(percent);
}

void FormMainView::ProcessEvents()
{
    QCoreApplication::processEvents();
}
