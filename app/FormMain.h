#pragma once
// The main window: its controls, the shell's handlers, and the window side of the page logic.

#include "study/MainView.h"
#include "study/StudyPages.h"

#include <QPoint>
#include <QUrl>
#include <QWidget>

#include <functional>

class Anchors;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QSystemTrayIcon;
class QTabWidget;
class QTimer;
class QToolButton;
class TDictTable;
class TZYInfoDlg;

class TFormMain : public QWidget, public MainView {
    Q_OBJECT
public:
    TFormMain(TDictTable& table, const StudyPaths& paths);
    ~TFormMain() override;

    static constexpr int kRestoreMessage = 5120;
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
    void N5Click();
    void N6Click() { SpeedButton_ExitClick(); }
    // Runs a handler; an error it does not catch is shown by the standard error report.
    void Run(const std::function<void()>& handler);
    void ShowErrorReport(const QString& text);

    // Opens web addresses; tests replace it.
    std::function<void(const QUrl&)> openUrl;

    StudyPages pages;

    // Controls, by their names in the form.
    QLabel* fcTitleLabel1;
    QToolButton* SpeedButton_Min;
    QToolButton* SpeedButton_Max;
    QToolButton* SpeedButton_Exit;
    QWidget* Panel1;
    QToolButton* SpeedButton_Menu;
    QTabWidget* PageControl1;
    QWidget* TabSheet_query;
    QWidget* TabSheet_dictation;
    QWidget* TabSheet_Dictmaintain;
    QWidget* TabSheet_setting;
    QProgressBar* ProgressBar1;
    QLabel* Image1;
    QLabel* HintLabel;
    QLabel* Image_Drag;
    QTimer* Timer1;
    QMenu* PopupMenu1;
    QAction* N1;
    QAction* N2;
    QAction* N3;
    QAction* MenuItem_setting;
    QAction* N5;
    QAction* N6;
    QSystemTrayIcon* TrayApp1;
    TZYInfoDlg* ZYInfoDlg1;

    QLineEdit* Edit_Input;
    QToolButton* SpeedButton_Seek;
    QToolButton* SpeedButton_last;
    QToolButton* SpeedButton_next;
    QListWidget* ListBox_Preview;
    QPlainTextEdit* Memo_View;

    QLabel* Label_Interpret;
    QLabel* Label_DictationCount;
    QLabel* Image_RecycledFlag;
    QLineEdit* Edit_Dictation;

    QLabel* Label_newword;
    QLineEdit* Edit_newword;
    QLabel* Label_newInterpret;
    QPlainTextEdit* Memo_newInterpret;
    QToolButton* SpeedButton_findword;
    QToolButton* SpeedButton_SaveWord;
    QToolButton* SpeedButton5;
    QToolButton* SpeedExport;
    QToolButton* SpeedButton_import;

    QGroupBox* GroupBox_Dictation_setting;
    QCheckBox* CheckBox_DictationRecycled;
    QComboBox* ComboBox_GroupWordCount;
    QLabel* Label4;
    QLabel* Label3;
    QLineEdit* Edit_FistWordInRecycle;
    QLabel* Label_lastGroupWord;
    QToolButton* SpeedButton_applySetting;

    // MainView
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
    void AddPreview(const std::string& word) override;
    int PreviewCount() const override;
    int PreviewSelectedIndex() const override;
    std::string PreviewItem(int index) const override;
    int ActivePage() const override;
    void SelectPage(int page) override;
    bool SettingsTabVisible() const override;
    void SetSettingsTabVisible(bool visible) override;
    void SetPageCaption(int page, const std::string& caption) override;
    void ShowStatus(const std::string& message) override;
    void Beep() override;
    int MessageBox(const std::string& text, const std::string& caption, int flags) override;
    std::optional<std::string> AskFileName(const std::string& title) override;
    void ShowProgress(bool visible) override;
    void SetProgress(int percent) override;
    void ProcessEvents() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void CreateControls();
    void CreateLookupPage();
    void CreateDictationPage();
    void CreateMaintenancePage();
    void CreateSettingsPage();
    void CreateMenuAndTray();
    void AttachAnchors();
    void AttachPageAnchors();
    void WireHandlers();
    void ShowPageCommand(int page);
    void PageControl1Change();
    void TrayApp1Activated(int reason);
    bool PreviewKey(QObject* watched, QKeyEvent* event);
    void StartDrag(QMouseEvent* event);
    QWidget* WidgetOf(Control control) const;

    TDictTable& table_;
    Anchors* anchors_;
    std::string programDirectory_;
    bool selectingPage_ = false; // a page selected by the program runs no page-entry actions
    bool dragging_ = false;
    QPoint dragOffset_;
};
