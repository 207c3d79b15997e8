#include "app/FormMainControls.h"

#include "app/NamedChild.h"
#include "ui/Anchors.h"
#include "ui/DropDownList.h"
#include "ui/ExplanationLabel.h"
#include "ui/FormLook.h"
#include "ui/GroupBox.h"
#include "ui/Memo.h"
#include "ui/TextSizeCache.h"
#include "ui/skin/SkinResources.h"
#include "ui/skin/TrayApp.h"
#include "ui/skin/ZYForm.h"
#include "ui/skin/ZYMenu.h"
#include "ui/skin/ZYPageControl.h"
#include "ui/text/fcTitleLabel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>

#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace {

constexpr int kDesignWidth = 318;
constexpr int kDesignHeight = 204;
constexpr int kMinWidth = 325;
constexpr int kMinHeight = 180;

enum class Kind {
    SpeedButton,
    Edit,
    Memo,
    List,
    Label,
    Explanation,
    Title,
    Picture,
    Combo,
    CheckBox,
    Group,
    Panel,
    Progress,
    Pages,
    Page
};

constexpr const char* kNoGlyph = nullptr;
constexpr std::string_view kFirstPage = "TabSheet_query";
constexpr int L = Anchors::Left, T = Anchors::Top, R = Anchors::Right, B = Anchors::Bottom,
              All = Anchors::All;

// A row's name: the page logic's controls carry their Control, the rest are only laid out.
#define CONTROL(name) Control::name, #name
#define WIDGET(name) std::nullopt, #name

struct ControlRow {
    Kind kind;
    std::optional<Control> control;
    const char* name;
    const char* parent; // nullptr: the form itself
    QRect place;        // a label's width and height 0: it fits its text
    int anchors;        // 0: left and top, where it was placed
    const char* caption;
    const char* hint;
    const char* glyph; // the name of a speed button's glyph or of a picture, or kNoGlyph
    // What a screen reader calls a control that shows no caption and has no hint.
    const char* label = nullptr;
};

// In creation order: parents before their children, and later controls lie on top of earlier ones.
// clang-format off
constexpr ControlRow kControls[] = {
    {Kind::Title,       CONTROL(fcTitleLabel1),   nullptr, {102, 6, 122, 20}, 0,     "RIdavave", "", kNoGlyph},
    {Kind::SpeedButton, WIDGET(SpeedButton_Min),  nullptr, {268, 8, 12, 12},  T | R, "", "最小化", "SpeedButton_Min"},
    {Kind::SpeedButton, WIDGET(SpeedButton_Max),  nullptr, {281, 8, 12, 12},  T | R, "", "最大化", "SpeedButton_Max"},
    {Kind::SpeedButton, WIDGET(SpeedButton_Exit), nullptr, {295, 8, 12, 12},  T | R, "", "关闭系统", "SpeedButton_Exit"},
    {Kind::Pages,       WIDGET(PageControl1),     nullptr, {6, 32, 304, 143}, All,   "", "", kNoGlyph},

    {Kind::Page,        WIDGET(TabSheet_query),   "PageControl1",   {},                 0,         "检索", "", kNoGlyph},
    {Kind::Edit,        CONTROL(Edit_Input),      "TabSheet_query", {4, 4, 206, 20},    L | T | R, "", "", kNoGlyph, "检索单词"},
    {Kind::SpeedButton, WIDGET(SpeedButton_Seek), "TabSheet_query", {214, 3, 24, 22},   T | R,     "", "查找单词", "SpeedButton_Seek"},
    {Kind::SpeedButton, WIDGET(SpeedButton_last), "TabSheet_query", {240, 3, 24, 22},   T | R,     "", "前一个", "SpeedButton_last"},
    {Kind::SpeedButton, WIDGET(SpeedButton_next), "TabSheet_query", {266, 3, 24, 22},   T | R,     "", "后一个", "SpeedButton_next"},
    {Kind::List,        CONTROL(ListBox_Preview), "TabSheet_query", {4, 28, 92, 86},    L | T | B, "", "", kNoGlyph, "后续单词"},
    {Kind::Memo,        CONTROL(Memo_View),       "TabSheet_query", {100, 28, 190, 86}, All,       "", "", kNoGlyph, "解释"},

    {Kind::Page,    WIDGET(TabSheet_dictation),    "PageControl1",       {},                0,         "听写", "", kNoGlyph},
    {Kind::Explanation, CONTROL(Label_Interpret),      "TabSheet_dictation", {19, 7, 258, 70},  All,       "", "", kNoGlyph},
    {Kind::Label,   CONTROL(Label_DictationCount), "TabSheet_dictation", {213, 0, 80, 14},  T | R,     "0", "", kNoGlyph},
    {Kind::Picture, CONTROL(Image_RecycledFlag),   "TabSheet_dictation", {0, 88, 14, 15},   L | B,     "", "", "Image_RecycledFlag", "循环听写"},
    {Kind::Edit,    CONTROL(Edit_Dictation),       "TabSheet_dictation", {19, 86, 259, 20}, L | R | B, "", "", kNoGlyph, "听写单词"},

    {Kind::Page,        WIDGET(TabSheet_Dictmaintain), "PageControl1",          {},                0,         "维护", "", kNoGlyph},
    {Kind::Label,       WIDGET(Label_newword),         "TabSheet_Dictmaintain", {4, 8, 0, 0},      0,         "单词", "", kNoGlyph},
    {Kind::Edit,        CONTROL(Edit_newword),         "TabSheet_Dictmaintain", {32, 4, 112, 20},  L | T | R, "", "", kNoGlyph, "单词"},
    {Kind::SpeedButton, WIDGET(SpeedButton_findword),  "TabSheet_Dictmaintain", {148, 3, 24, 22},  T | R,     "", "查找词库中是否已经存在该单词",
     "SpeedButton_findword"},
    {Kind::SpeedButton, WIDGET(SpeedButton_SaveWord),  "TabSheet_Dictmaintain", {172, 3, 24, 22},  T | R,     "", "将单词更新到词库中",
     "SpeedButton_SaveWord"},
    {Kind::SpeedButton, WIDGET(SpeedButton5),          "TabSheet_Dictmaintain", {196, 3, 24, 22},  T | R,     "", "将单词从词库中删除",
     "SpeedButton5"},
    {Kind::SpeedButton, WIDGET(SpeedExport),           "TabSheet_Dictmaintain", {224, 3, 32, 22},  T | R,     "导出", "词库导出", kNoGlyph},
    {Kind::SpeedButton, WIDGET(SpeedButton_import),    "TabSheet_Dictmaintain", {258, 3, 32, 22},  T | R,     "导入", "词库导入", kNoGlyph},
    {Kind::Label,       WIDGET(Label_newInterpret),    "TabSheet_Dictmaintain", {4, 32, 0, 0},     0,         "解释", "", kNoGlyph},
    {Kind::Memo,        CONTROL(Memo_newInterpret),    "TabSheet_Dictmaintain", {32, 28, 258, 86}, All,       "", "", kNoGlyph, "解释"},

    {Kind::Page,        WIDGET(TabSheet_setting),            "PageControl1",               {},                0,     "设置", "", kNoGlyph},
    {Kind::Group,       WIDGET(GroupBox_Dictation_setting),  "TabSheet_setting",           {11, 8, 273, 97},  All,   "设置", "", kNoGlyph},
    {Kind::CheckBox,    CONTROL(CheckBox_DictationRecycled), "GroupBox_Dictation_setting", {16, 16, 73, 17},  0,     "循环听写", "", kNoGlyph},
    {Kind::Combo,       CONTROL(ComboBox_GroupWordCount),    "GroupBox_Dictation_setting", {104, 13, 49, 20}, 0,     "50", "", kNoGlyph, "每组单词数"},
    {Kind::Label,       WIDGET(Label4),                      "GroupBox_Dictation_setting", {155, 16, 0, 0},   0,     "个单词", "", kNoGlyph},
    {Kind::Label,       WIDGET(Label3),                      "GroupBox_Dictation_setting", {17, 46, 0, 0},    0,     "从", "", kNoGlyph},
    {Kind::Edit,        CONTROL(Edit_FistWordInRecycle),     "GroupBox_Dictation_setting", {35, 42, 93, 20},  0,     "", "", kNoGlyph, "第一个单词"},
    {Kind::Label,       CONTROL(Label_lastGroupWord),        "GroupBox_Dictation_setting", {137, 46, 0, 0},   0,     "到", "", kNoGlyph},
    {Kind::CheckBox,    CONTROL(CheckBox_DictationSpeak),    "GroupBox_Dictation_setting", {16, 64, 73, 15},  L | B, "朗读", "", kNoGlyph},
    {Kind::CheckBox,    CONTROL(CheckBox_DictationReview),   "GroupBox_Dictation_setting", {16, 80, 73, 15},  L | B, "错词复习", "", kNoGlyph},
    {Kind::CheckBox,    CONTROL(CheckBox_DictationSchedule), "GroupBox_Dictation_setting", {104, 64, 66, 15}, L | B, "间隔复习", "", kNoGlyph},
    {Kind::Label,       WIDGET(Label_NewWordsPerDay),        "GroupBox_Dictation_setting", {121, 81, 0, 0},   L | B, "每天新词", "", kNoGlyph},
    {Kind::Edit,        CONTROL(Edit_NewWordsPerDay),        "GroupBox_Dictation_setting", {174, 77, 36, 18}, L | B, "20", "", kNoGlyph, "每天新词"},
    {Kind::SpeedButton, WIDGET(SpeedButton_applySetting),    "GroupBox_Dictation_setting", {230, 67, 33, 22}, R | B, "确定", "", kNoGlyph},

    {Kind::Panel,       WIDGET(Panel1),           nullptr,  {282, 29, 22, 22},  T | R,     "", "", kNoGlyph},
    {Kind::SpeedButton, WIDGET(SpeedButton_Menu), "Panel1", {0, 0, 22, 22},     0,         "", "", "SpeedButton_Menu", "菜单"},
    {Kind::Progress,    WIDGET(ProgressBar1),     nullptr,  {10, 166, 298, 7},  L | R | B, "", "", kNoGlyph, "进度"},
    {Kind::Picture,     WIDGET(Image1),           nullptr,  {12, 180, 16, 16},  L | B,     "", "", "Image1", "状态"},
    {Kind::Label,       WIDGET(HintLabel),        nullptr,  {37, 183, 0, 0},    L | B,     "完成", "", kNoGlyph},
    {Kind::Picture,     WIDGET(Image_Drag),       nullptr,  {299, 187, 13, 12}, R | B,     "", "", "Image_Drag", "调整大小"},
};

struct MenuRow {
    const char* name;
    const char* caption; // "-": a separator
};

#undef CONTROL
#undef WIDGET

constexpr int RowsOf(Control control)
{
    int rows = 0;
    for (const ControlRow& row : kControls)
        rows += row.control == control;
    return rows;
}

constexpr bool EachControlHasOneRow()
{
    for (const Control control : kAllControls)
        if (RowsOf(control) != 1)
            return false;
    return true;
}
static_assert(EachControlHasOneRow(), "every control of the page logic needs exactly one row");

const MenuRow kMenu[] = {
    {"N1", "查字典"}, {"N2", "单词听写"}, {"N3", "字典维护"}, {"MenuItem_wordlists", "导入词表…"},
    {"N4", "-"}, {"MenuItem_setting", "设置"}, {"MenuItem_statistics", "学习统计"}, {"N8", "-"},
    {"N5", "关于..."}, {"N6", "退出系统"},
};
// clang-format on

QPixmap Glyph(const ControlRow& row)
{
    return QPixmap::fromImage(ResourceImage(QLatin1String(row.glyph)));
}

QWidget* CreateSpeedButton(const ControlRow& row, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(QString::fromUtf8(row.hint));
    if (row.glyph != kNoGlyph) {
        const QPixmap glyph = Glyph(row);
        button->setIcon(glyph);
        button->setIconSize(glyph.size());
    } else {
        button->setText(QString::fromUtf8(row.caption));
    }
    return button;
}

// Text boxes and lists.
QWidget* CreateInput(const ControlRow& row, QWidget* parent)
{
    switch (row.kind) {
    case Kind::Memo: {
        auto* memo = new TMemo(parent);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        return memo;
    }
    case Kind::List: {
        auto* list = new QListWidget(parent);
        // Each keystroke of the lookup refills the preview, and the list measures every entry again.
        list->setItemDelegate(new TextSizeCache(list));
        return list;
    }
    case Kind::Combo: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        // A typed number is that number: the box neither completes "2" to "20" from its list nor
        // adds what was typed to the list.
        combo->setCompleter(nullptr);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems({"10", "20", "30", "50", "100"});
        combo->setEditText(QString::fromUtf8(row.caption));
        return combo;
    }
    case Kind::CheckBox:
        return new QCheckBox(QString::fromUtf8(row.caption), parent);
    default:
        return new QLineEdit(QString::fromUtf8(row.caption), parent);
    }
}

// Labels, pictures, the progress bar and the containers of other controls.
QWidget* CreateDisplay(const ControlRow& row, QWidget* parent)
{
    const QString caption = QString::fromUtf8(row.caption);
    switch (row.kind) {
    case Kind::Label: {
        // Words from the list may look like markup; they are always shown as they are.
        auto* label = new QLabel(caption, parent);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case Kind::Explanation:
        return new TExplanationLabel(caption, parent);
    case Kind::Title: {
        // Centres itself on the form at every resize, so it has no anchors.
        auto* title = new TfcTitleLabel(parent);
        title->SetCaption(caption);
        return title;
    }
    case Kind::Picture: {
        auto* picture = new QLabel(parent);
        picture->setAlignment(Qt::AlignCenter);
        picture->setPixmap(Glyph(row));
        return picture;
    }
    case Kind::Progress: {
        auto* bar = new QProgressBar(parent);
        bar->setRange(0, 100);
        bar->setTextVisible(false);
        bar->hide();
        return bar;
    }
    case Kind::Group:
        return new TGroupBox(caption, parent);
    case Kind::Pages: {
        // Tab reaches the tab bar, where the arrow keys change the page.
        auto* pages = new TZYPageControl(parent);
        pages->setFocusPolicy(Qt::TabFocus);
        return pages;
    }
    case Kind::Page: {
        auto* page = new QWidget;
        static_cast<TZYPageControl*>(parent)->addTab(page, caption);
        return page;
    }
    default: {
        auto* panel = new QWidget(parent);
        panel->setAutoFillBackground(true);
        return panel;
    }
    }
}

// Buttons, check boxes and labels are read by the caption they show; the others need a name.
bool ShowsCaption(Kind kind)
{
    return kind == Kind::SpeedButton || kind == Kind::CheckBox || kind == Kind::Label ||
           kind == Kind::Group || kind == Kind::Title;
}

// Screen readers read a control by its name: its caption, else its hint, else its label.
void NameForScreenReaders(const ControlRow& row, QWidget& widget)
{
    if (ShowsCaption(row.kind) && *row.caption)
        return;
    if (const char* name = *row.hint ? row.hint : row.label)
        widget.setAccessibleName(QString::fromUtf8(name));
}

QWidget* CreateWidget(const ControlRow& row, QWidget* parent)
{
    switch (row.kind) {
    case Kind::SpeedButton:
        return CreateSpeedButton(row, parent);
    case Kind::Edit:
    case Kind::Memo:
    case Kind::List:
    case Kind::Combo:
    case Kind::CheckBox:
        return CreateInput(row, parent);
    default:
        return CreateDisplay(row, parent);
    }
}

const ControlRow* RowNamed(const char* name)
{
    for (const ControlRow& row : kControls)
        if (name && std::string_view(row.name) == name)
            return &row;
    return nullptr;
}

bool IsPage(const char* name)
{
    const ControlRow* row = RowNamed(name);
    return row && row->kind == Kind::Page;
}

// Made with the window: the form's own controls, the pages themselves and what the page shown
// first holds. The other pages' controls are made once the window is on the screen.
bool MadeAtStart(const ControlRow& row)
{
    const ControlRow* inside = &row;
    while (inside->parent && RowNamed(inside->parent)->kind != Kind::Page)
        inside = RowNamed(inside->parent);
    return row.kind == Kind::Page || !inside->parent || std::string_view(inside->parent) == kFirstPage;
}

bool FitsText(const ControlRow& row)
{
    return row.kind == Kind::Label && row.place.width() == 0;
}

const ControlRow& RowOf(Control control)
{
    for (const ControlRow& row : kControls)
        if (row.control == control)
            return row;
    throw std::logic_error("A control without a row");
}

ControlBinding BindRow(const ControlRow& row, QWidget& form)
{
    switch (row.kind) {
    case Kind::Title: {
        auto& title = NamedChild<TfcTitleLabel>(form, row.name);
        return BindEffectLabel(title, [&form, &title] { form.setWindowTitle(title.Caption()); });
    }
    case Kind::Edit:
        return BindLineEdit(NamedChild<QLineEdit>(form, row.name));
    case Kind::Memo:
        return BindMemo(NamedChild<TMemo>(form, row.name));
    case Kind::Explanation:
        return BindLabel(NamedChild<QLabel>(form, row.name));
    case Kind::Label:
        return FitsText(row) ? BindAutoSizeLabel(NamedChild<QLabel>(form, row.name))
                             : BindLabel(NamedChild<QLabel>(form, row.name));
    case Kind::Combo:
        return BindComboBox(NamedChild<QComboBox>(form, row.name));
    case Kind::CheckBox:
        return BindCheckBox(NamedChild<QCheckBox>(form, row.name));
    default:
        return BindWidget(NamedChild<QWidget>(form, row.name));
    }
}

} // namespace

const char* ControlName(Control control)
{
    return RowOf(control).name;
}

std::vector<std::pair<Control, ControlBinding>> BindControls(QWidget& form)
{
    std::vector<std::pair<Control, ControlBinding>> bindings;
    for (const ControlRow& row : kControls)
        if (row.control && form.findChild<QWidget*>(QLatin1String(row.name)))
            bindings.emplace_back(*row.control, BindRow(row, form));
    return bindings;
}

FormMainControls::FormMainControls(QWidget& form, std::unique_ptr<TNotifyArea> trayArea)
    : form_(form), anchors_(new Anchors(&form))
{
    ApplyFormLook(form_);
    form_.resize(kDesignWidth, kDesignHeight);
    auto* frame = new TZYForm(&form_);
    frame->SetSizeable(true);
    CreateRows(true);
    SetUpFormControls();
    CreateMenuAndTray(std::move(trayArea));
    form_.setMinimumSize(kMinWidth, kMinHeight);
    form_.resize(kMinWidth, kDesignHeight);
    frame->SetPicture(ResourceSkin(QStringLiteral("FormMainSkin")));
    AttachAnchors(false);
    frame->Loaded();
}

void FormMainControls::CreateRows(bool atStart)
{
    for (const ControlRow& row : kControls) {
        if (MadeAtStart(row) != atStart)
            continue;
        QWidget* parent = row.parent ? &NamedChild<QWidget>(form_, row.parent) : &form_;
        QWidget* widget = CreateWidget(row, parent);
        widget->setObjectName(QLatin1String(row.name));
        NameForScreenReaders(row, *widget);
        if (row.kind == Kind::Page)
            continue;
        if (FitsText(row)) {
            widget->move(row.place.topLeft());
            widget->adjustSize();
        } else {
            widget->setGeometry(row.place);
        }
    }
}

void FormMainControls::SetUpFormControls()
{
    auto& title = NamedChild<TfcTitleLabel>(form_, "fcTitleLabel1");
    title.SetMasterCtrl(&NamedChild<TZYForm>(form_, "ZYForm1"));
    title.SetCaptionButtons(&NamedChild<QWidget>(form_, "SpeedButton_Min"));
    title.Loaded();
    form_.setWindowTitle(title.Caption());
    // The grip is only a picture: a press on it reaches the frame beneath, whose corner sizes.
    auto& grip = NamedChild<QLabel>(form_, "Image_Drag");
    grip.setEnabled(false);
    grip.setAttribute(Qt::WA_TransparentForMouseEvents);
    NamedChild<QWidget>(form_, "Panel1").raise();

    auto* timer = new QTimer(&form_);
    timer->setObjectName(QStringLiteral("Timer1"));
    timer->setInterval(5000);

    // Stored words offered below the lookup box when what is typed begins none of them.
    auto* suggestions = new TDropDownList(NamedChild<QLineEdit>(form_, "Edit_Input"));
    suggestions->setObjectName(QStringLiteral("DropDownList_Suggestions"));
    // Named before its first showing, which names it by its heading.
    for (QWidget* named : {static_cast<QWidget*>(suggestions), static_cast<QWidget*>(suggestions->List)})
        named->setAccessibleName(QStringLiteral("是不是："));
}

void FormMainControls::CreateMenuAndTray(std::unique_ptr<TNotifyArea> trayArea)
{
    auto* menu = new QMenu(&form_);
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    for (const MenuRow& row : kMenu) {
        QAction* item = std::string_view(row.caption) == "-"
                            ? menu->addSeparator()
                            : menu->addAction(QString::fromUtf8(row.caption));
        item->setObjectName(QLatin1String(row.name));
    }
    PaintMenu(*menu);

    form_.setWindowIcon(ResourceIcon(QStringLiteral("mainicon")));
    // The icon is in the notification area from here on; its pictures come after the first paint.
    auto* tray = new TTrayApp(&form_, std::move(trayArea));
    tray->setObjectName(QStringLiteral("TrayApp1"));
    tray->SetIconVisible(true);
    tray->SetDBClickToRestore(true);
    tray->Loaded();
}

void FormMainControls::PaintMenu(QMenu& menu)
{
    // The caption of every item is 12 pixels high: 22-pixel items and 3-pixel separators make the
    // eight items of the design exactly as high as the 20 x 138 side picture; above it, the item
    // the graded lists add continues its top row.
    auto* painter = new TZYMenu(&form_);
    painter->setObjectName(QStringLiteral("ZYMenu1"));
    painter->SetZYPopupMenu(&menu);
    painter->SetMenuBarHeightExt(10);
    painter->SetMenuBarWidthExt(10);
    painter->SetMenuTextIndent(5);
    painter->SetMenuBarColor(kFaceColour);
    painter->SetMenuBarColorHL(kHighlightColour);
    // The captions in the window's own "宋体" 12 pixels high.
    painter->SetMenuTextFont({form_.font(), Qt::black});
    painter->SetMenuTextFontHL({form_.font(), QColor(255, 0, 0)});
    painter->SetMenuTextDisabledColor(QColor(128, 128, 128));
    painter->SetGradualCount(20);
    painter->SetLPicture(ResourceImage(QStringLiteral("ZYMenu1")));
    painter->Loaded();
}

void FormMainControls::AttachPageAnchors()
{
    pageDesignSize_ = NamedChild<TZYPageControl>(form_, "PageControl1").currentWidget()->size();
    AttachAnchors(true);
}

bool FormMainControls::MakeOtherPages()
{
    if (otherPagesMade_)
        return false;
    otherPagesMade_ = true;
    CreateRows(false);
    NamedChild<QLabel>(form_, "Label_Interpret").setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    NamedChild<QLabel>(form_, "Label_DictationCount").setAlignment(Qt::AlignRight | Qt::AlignTop);
    // Screen readers read the box by the words beside it, as the eye does.
    NamedChild<QLabel>(form_, "Label4").setBuddy(&NamedChild<QComboBox>(form_, "ComboBox_GroupWordCount"));
    if (pageDesignSize_.isValid())
        AttachAnchors(true, true);
    return true;
}

void FormMainControls::AttachAnchors(bool onPages, bool otherPagesOnly)
{
    for (const ControlRow& row : kControls) {
        if (row.anchors == 0 || (row.parent != nullptr) != onPages)
            continue;
        const bool made = MadeAtStart(row) || otherPagesMade_;
        if (!made || (otherPagesOnly && MadeAtStart(row)))
            continue;
        QWidget& widget = NamedChild<QWidget>(form_, row.name);
        anchors_->Attach(&widget, row.anchors,
                         IsPage(row.parent) ? pageDesignSize_ : widget.parentWidget()->size());
    }
}
