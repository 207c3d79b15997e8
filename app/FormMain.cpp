#include "app/FormMain.h"

#include "dict/DictTable.h"
#include "ui/Anchors.h"
#include "ui/QtGbk.h"
#include "ui/skin/ZYInfoDlg.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace {

constexpr int kDesignWidth = 318;
constexpr int kDesignHeight = 204;
constexpr int kMinWidth = 325;
constexpr int kMinHeight = 180;
constexpr int kTopBand = 28; // pressing here moves the window
const QColor kFaceColour(223, 223, 223);

QToolButton* SpeedButton(QWidget* parent, const char* name, QRect geometry, const QString& hint,
                         QStyle::StandardPixmap glyph, const QString& caption = QString())
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(hint);
    if (caption.isEmpty())
        button->setIcon(parent->style()->standardIcon(glyph));
    else
        button->setText(caption);
    return button;
}

QLabel* Label(QWidget* parent, const char* name, const QString& text, QPoint at)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->move(at);
    label->adjustSize();
    return label;
}

template <class T> T* Named(T* widget, const char* name, QRect geometry)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

// Stand-in pictures until the skin brings its own.
QPixmap Picture(QSize size, QColor colour, const QString& mark = QString())
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(QPointF(0, 0), QSizeF(size)), 3, 3);
    if (!mark.isEmpty()) {
        painter.setPen(Qt::white);
        QFont font = painter.font();
        font.setPixelSize(size.height() * 3 / 4);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(picture.rect(), Qt::AlignCenter, mark);
    }
    return picture;
}

} // namespace

TFormMain::TFormMain(TDictTable& table, const StudyPaths& paths)
    : pages(table, *this, paths), table_(table), anchors_(new Anchors(this)),
      programDirectory_(paths.programDirectory)
{
    setObjectName(QStringLiteral("FormMain"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    QFont face(QStringLiteral("宋体"));
    face.setPixelSize(12);
    setFont(face);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kFaceColour);
    setPalette(colours);
    setAutoFillBackground(true);
    openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };

    resize(kDesignWidth, kDesignHeight);
    move(386, 215);
    CreateControls();
    // The design width is below the minimum: widen first, so right-anchored controls keep the
    // distances they have in a 325-wide window.
    setMinimumSize(kMinWidth, kMinHeight);
    resize(kMinWidth, kDesignHeight);
    AttachAnchors();
    WireHandlers();
    ZYInfoDlg1 = new TZYInfoDlg(this);
    Run([this] { pages.settings.LoadTitles(); }); // FormCreate
}

TFormMain::~TFormMain() = default;

void TFormMain::CreateControls()
{
    fcTitleLabel1 = Named(new QLabel(QStringLiteral("RIdavave"), this), "fcTitleLabel1", {102, 6, 122, 20});
    fcTitleLabel1->setAlignment(Qt::AlignCenter);
    fcTitleLabel1->setCursor(Qt::PointingHandCursor);
    QFont titleFont = font();
    titleFont.setPixelSize(15);
    titleFont.setBold(true);
    fcTitleLabel1->setFont(titleFont);
    fcTitleLabel1->setStyleSheet(QStringLiteral("color: white"));

    SpeedButton_Min = SpeedButton(this, "SpeedButton_Min", {268, 8, 12, 12}, QStringLiteral("最小化"),
                                  QStyle::SP_TitleBarMinButton);
    SpeedButton_Max = SpeedButton(this, "SpeedButton_Max", {281, 8, 12, 12}, QStringLiteral("最大化"),
                                  QStyle::SP_TitleBarMaxButton);
    SpeedButton_Exit = SpeedButton(this, "SpeedButton_Exit", {295, 8, 12, 12}, QStringLiteral("关闭系统"),
                                   QStyle::SP_TitleBarCloseButton);

    PageControl1 = Named(new QTabWidget(this), "PageControl1", {6, 32, 304, 143});
    PageControl1->setFocusPolicy(Qt::NoFocus);
    CreateLookupPage();
    CreateDictationPage();
    CreateMaintenancePage();
    CreateSettingsPage();

    Panel1 = Named(new QWidget(this), "Panel1", {282, 29, 22, 22});
    Panel1->setAutoFillBackground(true);
    SpeedButton_Menu = SpeedButton(Panel1, "SpeedButton_Menu", {0, 0, 22, 22}, QString(),
                                   QStyle::SP_ToolBarVerticalExtensionButton);
    Panel1->raise();

    ProgressBar1 = Named(new QProgressBar(this), "ProgressBar1", {10, 166, 298, 7});
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();
    Image1 = Named(new QLabel(this), "Image1", {12, 180, 16, 16});
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(Picture({14, 14}, QColor(40, 110, 200), QStringLiteral("i")));
    HintLabel = Label(this, "HintLabel", QStringLiteral("完成"), {37, 183});
    Image_Drag = Named(new QLabel(this), "Image_Drag", {299, 187, 13, 12});
    Image_Drag->setEnabled(false);
    Image_Drag->setPixmap(Picture({13, 12}, QColor(160, 160, 160)));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(5000);
    CreateMenuAndTray();
}

void TFormMain::CreateLookupPage()
{
    TabSheet_query = new QWidget;
    TabSheet_query->setObjectName(QStringLiteral("TabSheet_query"));
    PageControl1->addTab(TabSheet_query, QStringLiteral("检索"));
    Edit_Input = Named(new QLineEdit(TabSheet_query), "Edit_Input", {4, 4, 206, 20});
    SpeedButton_Seek = SpeedButton(TabSheet_query, "SpeedButton_Seek", {214, 3, 24, 22},
                                   QStringLiteral("查找单词"), QStyle::SP_FileDialogContentsView);
    SpeedButton_last = SpeedButton(TabSheet_query, "SpeedButton_last", {240, 3, 24, 22},
                                   QStringLiteral("前一个"), QStyle::SP_ArrowLeft);
    SpeedButton_next = SpeedButton(TabSheet_query, "SpeedButton_next", {266, 3, 24, 22},
                                   QStringLiteral("后一个"), QStyle::SP_ArrowRight);
    ListBox_Preview = Named(new QListWidget(TabSheet_query), "ListBox_Preview", {4, 28, 92, 86});
    Memo_View = Named(new QPlainTextEdit(TabSheet_query), "Memo_View", {100, 28, 190, 86});
    Memo_View->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void TFormMain::CreateDictationPage()
{
    TabSheet_dictation = new QWidget;
    TabSheet_dictation->setObjectName(QStringLiteral("TabSheet_dictation"));
    PageControl1->addTab(TabSheet_dictation, QStringLiteral("听写"));
    Label_Interpret = Named(new QLabel(TabSheet_dictation), "Label_Interpret", {19, 7, 258, 70});
    Label_Interpret->setTextFormat(Qt::PlainText);
    Label_Interpret->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label_DictationCount = Label(TabSheet_dictation, "Label_DictationCount", QStringLiteral("0"), {0, 0});
    Label_DictationCount->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label_DictationCount->setGeometry(293 - 60, 0, 60, Label_DictationCount->height());
    Image_RecycledFlag = Named(new QLabel(TabSheet_dictation), "Image_RecycledFlag", {0, 88, 14, 15});
    Image_RecycledFlag->setPixmap(Picture({14, 15}, QColor(200, 60, 40), QStringLiteral("R")));
    Edit_Dictation = Named(new QLineEdit(TabSheet_dictation), "Edit_Dictation", {19, 86, 259, 20});
}

void TFormMain::CreateMaintenancePage()
{
    TabSheet_Dictmaintain = new QWidget;
    TabSheet_Dictmaintain->setObjectName(QStringLiteral("TabSheet_Dictmaintain"));
    PageControl1->addTab(TabSheet_Dictmaintain, QStringLiteral("维护"));
    Label_newword = Label(TabSheet_Dictmaintain, "Label_newword", QStringLiteral("单词"), {4, 8});
    Edit_newword = Named(new QLineEdit(TabSheet_Dictmaintain), "Edit_newword", {32, 4, 112, 20});
    SpeedButton_findword =
        SpeedButton(TabSheet_Dictmaintain, "SpeedButton_findword", {148, 3, 24, 22},
                    QStringLiteral("查找词库中是否已经存在该单词"), QStyle::SP_FileDialogContentsView);
    SpeedButton_SaveWord = SpeedButton(TabSheet_Dictmaintain, "SpeedButton_SaveWord", {172, 3, 24, 22},
                                       QStringLiteral("将单词更新到词库中"), QStyle::SP_DialogSaveButton);
    SpeedButton5 = SpeedButton(TabSheet_Dictmaintain, "SpeedButton5", {196, 3, 24, 22},
                               QStringLiteral("将单词从词库中删除"), QStyle::SP_TrashIcon);
    SpeedExport = SpeedButton(TabSheet_Dictmaintain, "SpeedExport", {224, 3, 32, 22},
                              QStringLiteral("词库导出"), QStyle::SP_CustomBase, QStringLiteral("导出"));
    SpeedButton_import =
        SpeedButton(TabSheet_Dictmaintain, "SpeedButton_import", {258, 3, 32, 22}, QStringLiteral("词库导入"),
                    QStyle::SP_CustomBase, QStringLiteral("导入"));
    Label_newInterpret = Label(TabSheet_Dictmaintain, "Label_newInterpret", QStringLiteral("解释"), {4, 32});
    Memo_newInterpret =
        Named(new QPlainTextEdit(TabSheet_Dictmaintain), "Memo_newInterpret", {32, 28, 258, 86});
    Memo_newInterpret->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void TFormMain::CreateSettingsPage()
{
    TabSheet_setting = new QWidget;
    TabSheet_setting->setObjectName(QStringLiteral("TabSheet_setting"));
    PageControl1->addTab(TabSheet_setting, QStringLiteral("设置"));
    GroupBox_Dictation_setting = Named(new QGroupBox(QStringLiteral("设置"), TabSheet_setting),
                                       "GroupBox_Dictation_setting", {11, 8, 273, 97});
    QWidget* box = GroupBox_Dictation_setting;
    CheckBox_DictationRecycled =
        Named(new QCheckBox(QStringLiteral("循环听写"), box), "CheckBox_DictationRecycled", {16, 16, 73, 17});
    ComboBox_GroupWordCount = Named(new QComboBox(box), "ComboBox_GroupWordCount", {104, 13, 49, 20});
    ComboBox_GroupWordCount->setEditable(true);
    ComboBox_GroupWordCount->addItems({"10", "20", "30", "50", "100"});
    ComboBox_GroupWordCount->setEditText(QStringLiteral("50"));
    Label4 = Label(box, "Label4", QStringLiteral("个单词"), {155, 16});
    Label3 = Label(box, "Label3", QStringLiteral("从"), {17, 46});
    Edit_FistWordInRecycle = Named(new QLineEdit(box), "Edit_FistWordInRecycle", {35, 42, 93, 20});
    Label_lastGroupWord = Label(box, "Label_lastGroupWord", QStringLiteral("到"), {137, 46});
    SpeedButton_applySetting = SpeedButton(box, "SpeedButton_applySetting", {230, 67, 33, 22}, QString(),
                                           QStyle::SP_CustomBase, QStringLiteral("确定"));
}

void TFormMain::CreateMenuAndTray()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto item = [this](const char* name, const QString& caption) {
        QAction* action = PopupMenu1->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    N1 = item("N1", QStringLiteral("查字典"));
    N2 = item("N2", QStringLiteral("单词听写"));
    N3 = item("N3", QStringLiteral("字典维护"));
    PopupMenu1->addSeparator();
    MenuItem_setting = item("MenuItem_setting", QStringLiteral("设置"));
    PopupMenu1->addSeparator();
    N5 = item("N5", QStringLiteral("关于..."));
    N6 = item("N6", QStringLiteral("退出系统"));

    const QIcon mainIcon(Picture({32, 32}, QColor(40, 110, 200), QStringLiteral("词")));
    setWindowIcon(mainIcon);
    TrayApp1 = new QSystemTrayIcon(mainIcon, this);
    TrayApp1->setObjectName(QStringLiteral("TrayApp1"));
    TrayApp1->setContextMenu(nullptr);
}

void TFormMain::AttachAnchors()
{
    using A = Anchors;
    const QSize window = size();
    auto attach = [this](QSize parent, int edges, std::initializer_list<QWidget*> children) {
        for (QWidget* child : children)
            anchors_->Attach(child, edges, parent);
    };
    attach(window, A::Top, {fcTitleLabel1});
    attach(window, A::Top | A::Right, {SpeedButton_Min, SpeedButton_Max, SpeedButton_Exit, Panel1});
    attach(window, A::All, {PageControl1});
    attach(window, A::Left | A::Right | A::Bottom, {ProgressBar1});
    attach(window, A::Left | A::Bottom, {Image1, HintLabel});
    attach(window, A::Right | A::Bottom, {Image_Drag});
}

void TFormMain::AttachPageAnchors()
{
    // Taken at the first showing, when the page control has laid out its page at its designed size.
    using A = Anchors;
    const QSize page = PageControl1->currentWidget()->size();
    auto attach = [this](QSize parent, int edges, std::initializer_list<QWidget*> children) {
        for (QWidget* child : children)
            anchors_->Attach(child, edges, parent);
    };
    attach(page, A::Left | A::Top | A::Right, {Edit_Input, Edit_newword});
    attach(page, A::Top | A::Right,
           {SpeedButton_Seek, SpeedButton_last, SpeedButton_next, SpeedButton_findword, SpeedButton_SaveWord,
            SpeedButton5, SpeedExport, SpeedButton_import, Label_DictationCount});
    attach(page, A::Left | A::Top | A::Bottom, {ListBox_Preview});
    attach(page, A::All, {Memo_View, Memo_newInterpret, Label_Interpret, GroupBox_Dictation_setting});
    attach(page, A::Left | A::Bottom, {Image_RecycledFlag});
    attach(page, A::Left | A::Right | A::Bottom, {Edit_Dictation});
    attach(GroupBox_Dictation_setting->size(), A::Right | A::Bottom, {SpeedButton_applySetting});
}

void TFormMain::Run(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        ShowErrorReport(QString::fromUtf8(error.what()));
    }
}

void TFormMain::ShowErrorReport(const QString& text)
{
    ZYInfoDlg1->MessageBox(text, fcTitleLabel1->text(), 16);
}

void TFormMain::WireHandlers()
{
    // While an export or import runs, nothing that moves the table may start.
    auto command = [this](std::function<void()> handler) {
        return [this, handler] {
            if (!pages.Busy())
                Run(handler);
        };
    };
    connect(SpeedButton_Min, &QToolButton::clicked, this, [this] { SpeedButton_MinClick(); });
    connect(SpeedButton_Max, &QToolButton::clicked, this, [this] { SpeedButton_MaxClick(); });
    connect(SpeedButton_Exit, &QToolButton::clicked, this, [this] { SpeedButton_ExitClick(); });
    connect(SpeedButton_Menu, &QToolButton::clicked, this, [this] { SpeedButton_MenuClick(); });
    connect(N1, &QAction::triggered, this, command([this] { N1Click(); }));
    connect(N2, &QAction::triggered, this, command([this] { N2Click(); }));
    connect(N3, &QAction::triggered, this, command([this] { N3Click(); }));
    connect(MenuItem_setting, &QAction::triggered, this,
            command([this] { pages.settings.MenuItem_settingClick(); }));
    connect(N5, &QAction::triggered, this, command([this] { N5Click(); }));
    connect(N6, &QAction::triggered, this, [this] { N6Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] {
        Timer1->stop();
        HintLabel->setText(QStringLiteral("完成"));
        HintLabel->adjustSize();
    });
    connect(TrayApp1, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { TrayApp1Activated(reason); });
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] {
        if (!selectingPage_)
            PageControl1Change();
    });

    connect(Edit_Input, &QLineEdit::textChanged, this,
            [this] { Run([this] { pages.TextChanged(Control::Edit_Input); }); });
    connect(SpeedButton_Seek, &QToolButton::clicked, this,
            command([this] { pages.lookup.SpeedButton_SeekClick(); }));
    connect(SpeedButton_last, &QToolButton::clicked, this,
            command([this] { pages.lookup.SpeedButton_lastClick(); }));
    connect(SpeedButton_next, &QToolButton::clicked, this,
            command([this] { pages.lookup.SpeedButton_nextClick(); }));

    connect(SpeedButton_findword, &QToolButton::clicked, this,
            command([this] { pages.maintenance.SpeedButton_findwordClick(); }));
    connect(SpeedButton_SaveWord, &QToolButton::clicked, this,
            command([this] { pages.maintenance.SpeedButton_SaveWordClick(); }));
    connect(SpeedButton5, &QToolButton::clicked, this,
            command([this] { pages.maintenance.SpeedButton5Click(); }));
    connect(SpeedExport, &QToolButton::clicked, this, command([this] { pages.transfer.SpeedExportClick(); }));
    connect(SpeedButton_import, &QToolButton::clicked, this,
            command([this] { pages.transfer.SpeedImportClick(); }));

    connect(ComboBox_GroupWordCount, &QComboBox::editTextChanged, this,
            [this] { Run([this] { pages.TextChanged(Control::ComboBox_GroupWordCount); }); });
    connect(Edit_FistWordInRecycle, &QLineEdit::textChanged, this,
            [this] { Run([this] { pages.TextChanged(Control::Edit_FistWordInRecycle); }); });
    connect(SpeedButton_applySetting, &QToolButton::clicked, this, command([this] {
                if (pages.settings.SpeedButton_applySettingClick())
                    pages.PageControl1Change();
            }));
    // Key preview: the window sees every key before the focused control.
    qApp->installEventFilter(this);
}

void TFormMain::PageControl1Change()
{
    Run([this] { pages.PageControl1Change(); });
}

void TFormMain::ShowPageCommand(int page)
{
    if (isMinimized() || !isVisible())
        WMRestoreApp();
    SelectPage(page);
    PageControl1Change();
}

void TFormMain::WMRestoreApp()
{
    if (isMinimized() || !isVisible()) {
        showNormal();
    } else {
        raise();
        activateWindow();
    }
}

void TFormMain::SpeedButton_MinClick()
{
    showMinimized();
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
    // The menu opens to the left: its top-right corner at the button's bottom-right corner.
    const QPoint corner =
        SpeedButton_Menu->mapToGlobal(QPoint(SpeedButton_Menu->width(), SpeedButton_Menu->height()));
    PopupMenu1->popup(corner - QPoint(PopupMenu1->sizeHint().width(), 0));
}

void TFormMain::TrayApp1Activated(int reason)
{
    if (reason == QSystemTrayIcon::Context)
        PopupMenu1->popup(QCursor::pos() - QPoint(PopupMenu1->sizeHint().width(), 0));
    else if (reason == QSystemTrayIcon::DoubleClick)
        WMRestoreApp();
}

void TFormMain::N5Click()
{
    Run([this] {
        ZYInfoDlg1->SetButtonCaptions(QString(), QString(), QStringLiteral("访问网站"),
                                      QStringLiteral("确定"));
        const QString text =
            QStringLiteral("DUredivive (Beta版)\r\n\r\n     词汇量:%1\r\n\r\n     作者: DoRori 开发小组")
                .arg(table_.RecordCount());
        if (ZYInfoDlg1->MessageBox(text, QStringLiteral("关于..."), 0) == 1)
            openUrl(QUrl(QString::fromLatin1(kHomePage)));
    });
}

void TFormMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!pages.state.FirstShow)
        return;
    AttachPageAnchors();
    if (QSystemTrayIcon::isSystemTrayAvailable())
        TrayApp1->show();
    Run([this] { pages.FirstShowWork(); });
}

void TFormMain::closeEvent(QCloseEvent* event)
{
    // The close is never refused, whatever saving the last words met.
    Run([this] { pages.settings.SaveLastWords(); });
    TrayApp1->hide();
    event->accept();
}

void TFormMain::StartDrag(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    // No window manager to move it: follow the mouse until the button is released.
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
    grabMouse();
}

void TFormMain::mousePressEvent(QMouseEvent* event)
{
    if (event->position().y() < kTopBand)
        StartDrag(event);
}

void TFormMain::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_)
        move(event->globalPosition().toPoint() - dragOffset_);
}

void TFormMain::mouseReleaseEvent(QMouseEvent*)
{
    if (dragging_) {
        dragging_ = false;
        releaseMouse();
    }
}

void TFormMain::paintEvent(QPaintEvent*)
{
    // A plain band and frame where the picture skin will go.
    QPainter painter(this);
    QLinearGradient band(0, 0, 0, kTopBand);
    band.setColorAt(0, QColor(60, 120, 200));
    band.setColorAt(1, QColor(30, 80, 160));
    painter.fillRect(QRect(0, 0, width(), kTopBand), band);
    painter.setPen(QColor(30, 80, 160));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
