#pragma once
// The main window: its state and handlers, wired to the page logic; page switching, the command
// menu, the tray icon, the about box and the close sequence.

#include "study/StudyPages.h"
#include "ui/skin/NotifyArea.h"

#include <QPoint>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>
#include <span>
#include <utility>
#include <vector>

class FormMainControls;
class FormMainView;
class QKeyEvent;
class TDictTable;
class TTrayApp;
struct TTrayMessage;
class TZYInfoDlg;

class TFormMain : public QWidget {
    Q_OBJECT
public:
    // The tray icon goes into `trayArea`, or into the desktop's notification area when there is none.
    TFormMain(TDictTable& table, const StudyPaths& paths, std::unique_ptr<TNotifyArea> trayArea = nullptr);
    ~TFormMain() override;

    // The product's web page, opened by "访问网站" in the about box.
    static constexpr const char* kHomePage = "https://dorori.example.org/";

    // Window-level commands.
    void WMRestoreApp();
    void SpeedButton_MinClick();
    void SpeedButton_MaxClick();
    void SpeedButton_ExitClick();
    void SpeedButton_MenuClick();
    void N1Click() { ShowPageCommand(PageQuery); }
    void N2Click() { ShowPageCommand(PageDictation); }
    void N3Click() { ShowPageCommand(PageMaintain); }
    // "导入词表…": a graded list merged into the table, with the window back from the tray first.
    void MenuItem_wordlistsClick();
    void N5Click();
    // 学习统计: the statistics window, over the window brought back from the tray.
    void MenuItem_statisticsClick();
    void N6Click() { SpeedButton_ExitClick(); }
    void TrayApp1Message(TTrayApp& sender, TTrayMessage& message, QPoint menuPopupPoint);
    // Runs a handler; an error it does not catch is shown by the standard error report.
    void Run(const std::function<void()>& handler);
    void ShowErrorReport(const QString& text);

    // The window as the page logic sees it.
    FormMainView& View() { return *view_; }

    // Opens web addresses; tests replace it.
    std::function<void(const QUrl&)> openUrl;
    // The start's work that waits until the window is on the screen (what writes to disk): it runs
    // once, right after the first paint, before the page logic's own part of that moment.
    std::function<void()> afterFirstPaint;
    // True once that work has run.
    bool Started() const { return started_; }
    // Runs first when the window closes.
    std::function<void()> beforeClose;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // At the designed position, moved inside the screen where it would not fit there.
    void PlaceOnScreen();
    void WireWindowCommands();
    void WirePageHandlers();
    // The controls of the pages not shown first, made, bound and wired; once.
    void MakeOtherPages();
    void WireButtons(std::span<const std::pair<PageButton, const char*>> buttons);
    // Hands a change of the control's text to the pages.
    std::function<void()> Changed(Control control);
    // Restores the window when it is minimised into the tray.
    void ShowFromTray();
    void ShowPageCommand(int page);
    void PageControl1Change();
    void PopupMenu1At(QPoint topRight);
    bool PreviewKey(QObject* watched, QKeyEvent* event);
    void FirstPainted();

    TDictTable& table_;
    std::unique_ptr<FormMainControls> controls_;
    TZYInfoDlg* ZYInfoDlg1;
    TTrayApp* TrayApp1;
    std::unique_ptr<FormMainView> view_;
    // The controls whose double-clicks the pages handle, with the widget that receives them.
    std::vector<std::pair<Control, QObject*>> doubleClickable_;
    std::unique_ptr<Speaker> speaker_;
    std::unique_ptr<Speller> speller_;
    bool paintSeen_ = false;
    bool started_ = false;

public:
    StudyPages pages;
};
