// The main window as the page logic sees it: controls by name, GBK text with CR LF line breaks.

#include "app/FormMain.h"
#include "app/KeyCodes.h"
#include "ui/QtGbk.h"
#include "ui/skin/ZYInfoDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <stdexcept>

namespace {

QString ToWidget(const std::string& gbk)
{
    QString text = FromGbk(gbk);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

QString FromWidget(QString text)
{
    return text.replace(QChar('\n'), QStringLiteral("\r\n"));
}

QString RawText(const QWidget* widget)
{
    if (auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (auto* memo = qobject_cast<const QPlainTextEdit*>(widget))
        return FromWidget(memo->toPlainText());
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return FromWidget(label->text());
    if (auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->currentText();
    return QString();
}

} // namespace

QWidget* TFormMain::WidgetOf(Control control) const
{
    switch (control) {
    case Control::fcTitleLabel1:
        return fcTitleLabel1;
    case Control::Edit_Input:
        return Edit_Input;
    case Control::Memo_View:
        return Memo_View;
    case Control::ListBox_Preview:
        return ListBox_Preview;
    case Control::Label_Interpret:
        return Label_Interpret;
    case Control::Label_DictationCount:
        return Label_DictationCount;
    case Control::Image_RecycledFlag:
        return Image_RecycledFlag;
    case Control::Edit_Dictation:
        return Edit_Dictation;
    case Control::Edit_newword:
        return Edit_newword;
    case Control::Memo_newInterpret:
        return Memo_newInterpret;
    case Control::CheckBox_DictationRecycled:
        return CheckBox_DictationRecycled;
    case Control::ComboBox_GroupWordCount:
        return ComboBox_GroupWordCount;
    case Control::Edit_FistWordInRecycle:
        return Edit_FistWordInRecycle;
    case Control::Label_lastGroupWord:
        return Label_lastGroupWord;
    }
    return nullptr;
}

std::string TFormMain::Text(Control control) const
{
    return ToGbkLossy(RawText(WidgetOf(control)));
}

bool TFormMain::TextFitsGbk(Control control) const
{
    return ToGbk(RawText(WidgetOf(control))).has_value();
}

void TFormMain::SetText(Control control, const std::string& text)
{
    QWidget* widget = WidgetOf(control);
    const QString shown = ToWidget(text);
    if (RawText(widget) == FromWidget(shown))
        return;
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(shown);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
        memo->setPlainText(shown);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setEditText(shown);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(shown);
        if (control == Control::fcTitleLabel1)
            setWindowTitle(shown);
        else if (control != Control::Label_Interpret)
            label->adjustSize();
        if (control == Control::Label_DictationCount) // right-aligned at its right edge
            label->move(label->parentWidget()->width() - (TabSheet_dictation->width() - 293) - label->width(),
                        0);
    }
}

void TFormMain::SetCaretToEnd(Control control)
{
    if (auto* edit = qobject_cast<QLineEdit*>(WidgetOf(control)))
        edit->end(false);
}

void TFormMain::SelectAll(Control control)
{
    if (auto* edit = qobject_cast<QLineEdit*>(WidgetOf(control)))
        edit->selectAll();
}

void TFormMain::ScrollToTop(Control control)
{
    if (auto* memo = qobject_cast<QPlainTextEdit*>(WidgetOf(control))) {
        memo->moveCursor(QTextCursor::Start);
        memo->verticalScrollBar()->setValue(0);
    }
}

void TFormMain::SetFocus(Control control)
{
    WidgetOf(control)->setFocus();
}

void TFormMain::SetVisible(Control control, bool visible)
{
    WidgetOf(control)->setVisible(visible);
}

bool TFormMain::Checked(Control control) const
{
    auto* box = qobject_cast<QCheckBox*>(WidgetOf(control));
    return box && box->isChecked();
}

void TFormMain::SetChecked(Control control, bool checked)
{
    if (auto* box = qobject_cast<QCheckBox*>(WidgetOf(control)))
        box->setChecked(checked);
}

void TFormMain::ClearPreview()
{
    ListBox_Preview->clear();
    ListBox_Preview->repaint();
}

void TFormMain::AddPreview(const std::string& word)
{
    ListBox_Preview->addItem(FromGbk(word));
}

int TFormMain::PreviewCount() const
{
    return ListBox_Preview->count();
}

int TFormMain::PreviewSelectedIndex() const
{
    const QListWidgetItem* item = ListBox_Preview->currentItem();
    return item && item->isSelected() ? ListBox_Preview->row(item) : -1;
}

std::string TFormMain::PreviewItem(int index) const
{
    if (index < 0 || index >= ListBox_Preview->count())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return ToGbkLossy(ListBox_Preview->item(index)->text());
}

int TFormMain::ActivePage() const
{
    return PageControl1->currentIndex();
}

void TFormMain::SelectPage(int page)
{
    selectingPage_ = true;
    PageControl1->setCurrentIndex(page);
    selectingPage_ = false;
}

bool TFormMain::SettingsTabVisible() const
{
    return PageControl1->isTabVisible(PageSetting);
}

void TFormMain::SetSettingsTabVisible(bool visible)
{
    // Hiding the current tab makes the tab bar pick another one: that is no page change of the user's.
    selectingPage_ = true;
    PageControl1->setTabVisible(PageSetting, visible);
    selectingPage_ = false;
}

void TFormMain::SetPageCaption(int page, const std::string& caption)
{
    PageControl1->setTabText(page, FromGbk(caption));
}

void TFormMain::ShowStatus(const std::string& message)
{
    HintLabel->setText(ToWidget(message));
    HintLabel->adjustSize();
    HintLabel->repaint();
    // A timer already running is not restarted: the message gives way at the earlier tick.
    if (!Timer1->isActive())
        Timer1->start();
}

void TFormMain::Beep()
{
    QApplication::beep();
}

int TFormMain::MessageBox(const std::string& text, const std::string& caption, int flags)
{
    return ZYInfoDlg1->MessageBox(FromGbk(text), FromGbk(caption), flags);
}

std::optional<std::string> TFormMain::AskFileName(const std::string& title)
{
    const QString name = QFileDialog::getSaveFileName(
        this, FromGbk(title), QString::fromStdString(programDirectory_), QStringLiteral("文本 (*.txt)"),
        nullptr, QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty())
        return std::nullopt;
    return QFile::encodeName(name).toStdString();
}

void TFormMain::ShowProgress(bool visible)
{
    ProgressBar1->setValue(0);
    ProgressBar1->setVisible(visible);
    // While the bar shows, pages and the menu cannot be changed.
    PageControl1->tabBar()->setEnabled(!visible);
    SpeedButton_Menu->setEnabled(!visible);
}

void TFormMain::SetProgress(int percent)
{
    ProgressBar1->setValue(percent);
}

void TFormMain::ProcessEvents()
{
    QCoreApplication::processEvents();
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress)
        return PreviewKey(watched, static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::MouseButtonDblClick && !pages.Busy()) {
        if (watched == ListBox_Preview->viewport())
            Run([this] { pages.lookup.ListBox_PreviewDblClick(); });
        else if (watched == Memo_View->viewport())
            Run([this] { pages.lookup.Memo_ViewDblClick(); });
        else if (watched == Label_Interpret)
            Run([this] { pages.dictation.Label_InterpretDblClick(); });
    }
    if (event->type() == QEvent::MouseButtonPress && watched == fcTitleLabel1)
        StartDrag(static_cast<QMouseEvent*>(event));
    return false;
}

bool TFormMain::PreviewKey(QObject* watched, QKeyEvent* event)
{
    // Keys reach the focused control once; keys inside dialogs are not this window's.
    auto* target = qobject_cast<QWidget*>(watched);
    if (!target || target != QApplication::focusWidget() || target->window() != this || pages.Busy())
        return false;
    const int key = VirtualKeyOf(*event);
    Run([&] {
        pages.keys.FormKeyDown(key, event->modifiers() & Qt::ControlModifier);
        if (target == Edit_Input)
            pages.lookup.Edit_InputKeyDown(key);
        else if (target == Edit_newword)
            pages.maintenance.Edit_newwordKeyDown(key);
        else if (target == Edit_Dictation)
            pages.dictation.Edit_DictationKeyDown(key);
    });
    return false; // never consumed: the control handles the key as usual
}
