#include "app/FormMain.h"

#include "app/FormMainControls.h"
#include "app/FormMainView.h"
#include "app/FormStatistics.h"
#include "app/KeyCodes.h"
#include "app/MessageBoxQuestion.h"
#include "app/NamedChild.h"
#include "platform/KeyFileWriter.h"
#include "speech/AlsaOutput.h"
#include "speech/EspeakSpeaker.h"
#include "spelling/HunspellSpeller.h"
#include "store/DictTable.h"
#include "study/ErrorReport.h"
#include "ui/DropDownList.h"
#include "ui/Memo.h"
#include "ui/QtGbk.h"
#include "ui/ScreenPlacement.h"
#include "ui/skin/SkinResources.h"
#include "ui/skin/TrayApp.h"
#include "ui/skin/ZYInfoDlg.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>

#include <utility>

namespace {

// Screen readers take a plain widget for a filler; the main window is a frame named by its title.
QAccessibleInterface* AccessibleFormMain(const QString& className, QObject* object)
{
    if (className == QLatin1String("TFormMain") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

TFormMain::TFormMain(TDictTable& table, const StudyPaths& paths, std::unique_ptr<TNotifyArea> trayArea)
    : table_(table), controls_(std::make_unique<FormMainControls>(*this, std::move(trayArea))),
      ZYInfoDlg1(new TZYInfoDlg(this)), TrayApp1(&NamedChild<TTrayApp>(*this, "TrayApp1")),
      view_(std::make_unique<FormMainView>(*this, *ZYInfoDlg1, paths.programDirectory)),
      doubleClickable_{
          {Control::ListBox_Preview,
           NamedChild<QListWidget>(*this, ControlName(Control::ListBox_Preview)).viewport()},
          {Control::Memo_View, NamedChild<TMemo>(*this, ControlName(Control::Memo_View)).viewport()}},
      // The speaking thread's notes reach the status line on the window's thread.
      speaker_(std::make_unique<EspeakSpeaker>(std::make_unique<AlsaOutput>(),
                                               [this](const std::string& note) {
                                                   QMetaObject::invokeMethod(
                                                       this, [this, note] { view_->ShowStatus(note); },
                                                       Qt::QueuedConnection);
                                               })),
      // The speller's answers reach the pages on the window's thread.
      speller_(std::make_unique<HunspellSpeller>(
          [this](const std::string& word, std::vector<std::string> spellings) {
              QMetaObject::invokeMethod(
                  this,
                  [this, word, spellings = std::move(spellings)] {
                      Run([&] { pages.SpellingsArrived(word, spellings); });
                  },
                  Qt::QueuedConnection);
          })),
      pages(table, *view_, paths, *speaker_, *speller_)
{
    setObjectName(QStringLiteral("FormMain"));
    [[maybe_unused]] static const bool accessible = [] {
        QAccessible::installFactory(AccessibleFormMain);
        return true;
    }();
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    PlaceOnScreen();
    openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    WireWindowCommands();
    WirePageHandlers();
    view_->makeControls = [this] { MakeOtherPages(); };
    // Key preview: the window sees every key before the focused control.
    qApp->installEventFilter(this);
    Run([this] { pages.settings.LoadTitles(); }); // FormCreate
}

TFormMain::~TFormMain() = default;

void TFormMain::PlaceOnScreen()
{
    const QPoint designed(386, 215);
    const QScreen* screen = QGuiApplication::screenAt(designed);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    move(screen ? PlacedInside(QRect(designed, size()), screen->availableGeometry()) : designed);
}

void TFormMain::Run(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        ShowErrorReport(FromGbk(ErrorReportText(error)));
    }
}

void TFormMain::ShowErrorReport(const QString& text)
{
    ZYInfoDlg1->MessageBox(text, windowTitle(), MessageBoxFlags(Question::Notice));
}

void TFormMain::WireWindowCommands()
{
    auto click = [this](const char* name, auto handler) {
        connect(&NamedChild<QToolButton>(*this, name), &QToolButton::clicked, this, handler);
    };
    click("SpeedButton_Min", [this] { SpeedButton_MinClick(); });
    click("SpeedButton_Max", [this] { SpeedButton_MaxClick(); });
    click("SpeedButton_Exit", [this] { SpeedButton_ExitClick(); });
    click("SpeedButton_Menu", [this] { SpeedButton_MenuClick(); });

    // While an export or import runs, nothing that moves the table may start.
    auto item = [this](const char* name, std::function<void()> handler, bool movesTable = true) {
        connect(&NamedChild<QAction>(*this, name), &QAction::triggered, this, [this, handler, movesTable] {
            if (!movesTable || !pages.Busy())
                Run(handler);
        });
    };
    item("N1", [this] { N1Click(); });
    item("N2", [this] { N2Click(); });
    item("N3", [this] { N3Click(); });
    item("MenuItem_wordlists", [this] { MenuItem_wordlistsClick(); });
    item("MenuItem_setting", [this] { pages.settings.MenuItem_settingClick(); });
    item("MenuItem_statistics", [this] { MenuItem_statisticsClick(); });
    item("N5", [this] { N5Click(); });
    item(
        "N6", [this] { N6Click(); }, false);

    TrayApp1->OnMessage = [this](TTrayApp& sender, TTrayMessage& message, QPoint menuPopupPoint) {
        TrayApp1Message(sender, message, menuPopupPoint);
    };
    connect(&NamedChild<QTabWidget>(*this, "PageControl1"), &QTabWidget::currentChanged, this, [this] {
        if (!view_->SelectingPage())
            PageControl1Change();
    });
}

void TFormMain::WirePageHandlers()
{
    static constexpr std::pair<PageButton, const char*> kButtons[] = {
        {PageButton::SpeedButton_Seek, "SpeedButton_Seek"},
        {PageButton::SpeedButton_last, "SpeedButton_last"},
        {PageButton::SpeedButton_next, "SpeedButton_next"},
    };
    WireButtons(kButtons);

    // The preview list reads its entries as it is scrolled to its end, or grows past them.
    auto& preview = NamedChild<QListWidget>(*this, ControlName(Control::ListBox_Preview));
    const auto scrolled = [this, bar = preview.verticalScrollBar()] {
        if (bar->value() >= bar->maximum())
            Run([this] { pages.PreviewScrolledToEnd(); });
    };
    connect(preview.verticalScrollBar(), &QScrollBar::valueChanged, this, scrolled);
    connect(preview.verticalScrollBar(), &QScrollBar::rangeChanged, this, scrolled);

    connect(&NamedChild<TDropDownList>(*this, "DropDownList_Suggestions"), &TDropDownList::Picked, this,
            [this](int index) { Run([&] { pages.SuggestionPicked(index); }); });

    connect(&NamedChild<QLineEdit>(*this, ControlName(Control::Edit_Input)), &QLineEdit::textChanged, this,
            Changed(Control::Edit_Input));
}

void TFormMain::MakeOtherPages()
{
    if (!controls_->MakeOtherPages())
        return;
    view_->BindNewControls();
    doubleClickable_.emplace_back(Control::Label_Interpret,
                                  &NamedChild<QLabel>(*this, ControlName(Control::Label_Interpret)));
    static constexpr std::pair<PageButton, const char*> kButtons[] = {
        {PageButton::SpeedButton_findword, "SpeedButton_findword"},
        {PageButton::SpeedButton_SaveWord, "SpeedButton_SaveWord"},
        {PageButton::SpeedButton5, "SpeedButton5"},
        {PageButton::SpeedExport, "SpeedExport"},
        {PageButton::SpeedButton_import, "SpeedButton_import"},
        {PageButton::SpeedButton_applySetting, "SpeedButton_applySetting"},
    };
    WireButtons(kButtons);
    connect(&NamedChild<QComboBox>(*this, ControlName(Control::ComboBox_GroupWordCount)),
            &QComboBox::editTextChanged, this, Changed(Control::ComboBox_GroupWordCount));
    connect(&NamedChild<QLineEdit>(*this, ControlName(Control::Edit_FistWordInRecycle)),
            &QLineEdit::textChanged, this, Changed(Control::Edit_FistWordInRecycle));
}

void TFormMain::WireButtons(std::span<const std::pair<PageButton, const char*>> buttons)
{
    for (const auto& [button, name] : buttons)
        connect(&NamedChild<QToolButton>(*this, name), &QToolButton::clicked, this,
                [this, button = button] { Run([&] { pages.Clicked(button); }); });
}

std::function<void()> TFormMain::Changed(Control control)
{
    return [this, control] { Run([&] { pages.TextChanged(control); }); };
}

void TFormMain::PageControl1Change()
{
    Run([this] { pages.PageControl1Change(); });
}

void TFormMain::ShowFromTray()
{
    if (TrayApp1->AppMinimized()) {
        TrayApp1->RestoreApplication();
        show();
    }
}

void TFormMain::ShowPageCommand(int page)
{
    ShowFromTray();
    view_->SelectPage(page);
    PageControl1Change();
}

void TFormMain::MenuItem_wordlistsClick()
{
    // The choice, the questions and the bar belong to the window: it shows before they do.
    ShowFromTray();
    pages.transfer.MenuItem_wordlistsClick();
}

void TFormMain::WMRestoreApp()
{
    // Restoring goes through the tray icon, which brings back the taskbar entry and the normal icon.
    if (TrayApp1->AppMinimized()) {
        TrayApp1->RestoreApplication();
    } else {
        raise();
        activateWindow();
    }
}

void TFormMain::SpeedButton_MinClick()
{
    TrayApp1->MinimizeApplication();
}

void TFormMain::SpeedButton_MaxClick()
{
    if (windowState() == Qt::WindowNoState)
        showMaximized();
    else
        showNormal();
}

void TFormMain::SpeedButton_ExitClick()
{
    close();
}

void TFormMain::SpeedButton_MenuClick()
{
    const auto& button = NamedChild<QToolButton>(*this, "SpeedButton_Menu");
    PopupMenu1At(button.mapToGlobal(QPoint(button.width(), button.height())));
}

void TFormMain::TrayApp1Message(TTrayApp&, TTrayMessage& message, QPoint menuPopupPoint)
{
    // The icon's double-click is the component's own; only the right button opens the menu.
    if (message.Msg == tray::kCallbackMessage && message.LParam == tray::kRightButtonUp)
        PopupMenu1At(menuPopupPoint);
}

void TFormMain::PopupMenu1At(QPoint topRight)
{
    // The menu is right-aligned: it opens to the left of the point.
    auto& menu = NamedChild<QMenu>(*this, "PopupMenu1");
    menu.popup(topRight - QPoint(menu.sizeHint().width(), 0));
}

void TFormMain::N5Click()
{
    Run([this] {
        ZYInfoDlg1->SetButtonCaptions(QString(), QString(), QStringLiteral("访问网站"),
                                      QStringLiteral("确定"));
        // The table's name comes from the file system: its bytes are the system's UTF-8.
        const QString text =
            QStringLiteral("DUredivive (Beta版)\r\n\r\n     词汇量:%1\r\n\r\n     作者: DoRori "
                           "开发小组\r\n\r\n     词库: %2")
                .arg(table_.RecordCount())
                .arg(QString::fromStdString(table_.FileName()));
        // Custom captions answer the button's number from the right less one: "访问网站" answers 1.
        constexpr int kVisitWebsite = 1;
        if (ZYInfoDlg1->MessageBox(text, QStringLiteral("关于..."), kMbOk) == kVisitWebsite)
            openUrl(QUrl(QString::fromLatin1(kHomePage)));
    });
}

void TFormMain::MenuItem_statisticsClick()
{
    if (TrayApp1->AppMinimized()) {
        TrayApp1->RestoreApplication();
        show();
    }
    const LearningFigures figures = pages.statistics.Gather(pages.clock.Now());
    auto* window = new TFormStatistics(this, figures, [this](const std::string& word) {
        bool removed = false;
        Run([&] {
            pages.statistics.RemoveFromErrorBook(word);
            removed = true;
        });
        return removed;
    });
    window->setAttribute(Qt::WA_DeleteOnClose);
    // Over the main window, which takes no input meanwhile: nothing changes the figures shown.
    window->open();
}

void TFormMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!pages.state.FirstShow)
        return;
    controls_->AttachPageAnchors();
    Run([this] { pages.FirstShowWork(); });
}

void TFormMain::closeEvent(QCloseEvent* event)
{
    if (beforeClose)
        beforeClose();
    // An export or import in progress stops at its next record, keeping what it stored.
    pages.transfer.Stop();
    // The close is never refused, whatever saving the last words met. A window closed before its
    // first showing (a signal during the start) never loaded them, and must not save empty ones.
    if (!pages.state.FirstShow)
        Run([this] { pages.settings.SaveLastWords(); });
    // Whatever was saved is on disk before the program ends, or the failure is reported.
    Run([] { KeyFileWriter::WaitForAll(); });
    event->accept();
    // Closing the main window ends the program, also when it closes hidden in the tray: the toolkit
    // ends its loop only when a visible window closes.
    QCoreApplication::quit();
}

void TFormMain::FirstPainted()
{
    // The tray icon's pictures once the window is on the screen: the icon made with them asks the
    // desktop which tray it has.
    TrayApp1->IconNormalOption().Icon = windowIcon();
    TrayApp1->IconOnMinOption().Icon = ResourceIcon(QStringLiteral("trayicon_small"));
    TrayApp1->RefreshIcon();
    if (afterFirstPaint)
        Run(afterFirstPaint);
    Run([this] { MakeOtherPages(); });
    Run([this] { pages.FirstPaintedWork(); });
    started_ = true;
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Paint:
        // Queued, so that it runs once the whole window is painted and on the screen.
        if (watched == this && !std::exchange(paintSeen_, true))
            QMetaObject::invokeMethod(this, &TFormMain::FirstPainted, Qt::QueuedConnection);
        return false;
    case QEvent::KeyPress:
        return PreviewKey(watched, static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonDblClick:
        for (const auto& [control, widget] : doubleClickable_)
            if (watched == widget)
                Run([&, control = control] { pages.DoubleClicked(control); });
        return false;
    default:
        return false;
    }
}

bool TFormMain::PreviewKey(QObject* watched, QKeyEvent* event)
{
    // Keys reach the focused control once; keys inside dialogs are not this window's. The window's
    // own focus widget decides, not the application's: without a window manager, or whenever the
    // window is not the active one, the application has none, yet typed keys still arrive.
    auto* target = qobject_cast<QWidget*>(watched);
    if (!target || target != focusWidget() || target->window() != this)
        return false;
    std::optional<Control> focused;
    for (const Control control : kAllControls)
        if (view_->Binding(control).widget == target)
            focused = control;
    Run([&] { pages.KeyDown(focused, VirtualKeyOf(*event), event->modifiers() & Qt::ControlModifier); });
    return false; // never consumed: the control handles the key as usual
}
