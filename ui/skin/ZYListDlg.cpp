#include "ui/skin/ZYListDlg.h"

#include "ui/FormLook.h"
#include "ui/skin/MessageBoxLook.h"
#include "ui/skin/SkinResources.h"
#include "ui/skin/ZYButton.h"
#include "ui/skin/ZYForm.h"

#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>

namespace {

// The message box's measures: its title in the notch of the caption band, its buttons and glyph.
constexpr int kTitleTop = 9;
constexpr int kBand = 30;
constexpr int kMargin = 10;
constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 5;
constexpr int kBottomMargin = 12;
constexpr int kCloseFromRight = 7;
constexpr int kCloseTop = 5;
constexpr int kCloseWidth = 15;
constexpr int kCloseHeight = 17;
constexpr int kMinWidth = 230;
// Room between the name and its detail, right of the detail, and above and below a row's text.
constexpr int kColumnGap = 24;
constexpr int kFrameRoom = 8;
constexpr int kRowRoom = 8;

} // namespace

TZYListDlg::TZYListDlg(QWidget* parent, const QString& title, const std::vector<Entry>& entries,
                       const QString& chooseCaption)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), Label_Title(new QLabel(title, this)),
      List(new QTreeWidget(this)), ZYButton1(new TZYButton(chooseCaption, this)),
      ZYButton2(new TZYButton(QStringLiteral("取消"), this)), SpeedButton1(new QToolButton(this)),
      ZYForm1(new TZYForm(this))
{
    setObjectName(QStringLiteral("ZYListDlg"));
    setWindowTitle(title);
    setAccessibleName(title);
    setModal(true);
    Label_Title->setObjectName(QStringLiteral("Label_Title"));
    Label_Title->setTextFormat(Qt::PlainText);
    DressLikeMessageBox(*this, *ZYForm1, *Label_Title, *this);

    List->setObjectName(QStringLiteral("List"));
    List->setAccessibleName(title);
    List->setColumnCount(2);
    List->setHeaderHidden(true);
    List->setRootIsDecorated(false);
    List->setUniformRowHeights(true);
    List->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Rows as tall as the menu's items, the chosen one under the menu's bar colour.
    const int rowHeight = List->fontMetrics().height() + kRowRoom;
    for (const auto& [name, detail] : entries) {
        auto* item = new QTreeWidgetItem(List, {name, detail});
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setSizeHint(0, QSize(0, rowHeight));
    }
    QPalette listColours = List->palette();
    listColours.setColor(QPalette::Highlight, kHighlightColour);
    listColours.setColor(QPalette::HighlightedText, Qt::black);
    List->setPalette(listColours);
    List->header()->setStretchLastSection(false);
    List->resizeColumnToContents(0);
    List->resizeColumnToContents(1);
    if (List->topLevelItemCount() > 0)
        List->setCurrentItem(List->topLevelItem(0));
    connect(List, &QTreeWidget::itemDoubleClicked, this, [this] { ChooseClick(); });

    ZYButton1->setObjectName(QStringLiteral("ZYButton1"));
    ZYButton2->setObjectName(QStringLiteral("ZYButton2"));
    // Enter in the list presses the choosing button; the buttons come after the list in Tab order.
    ZYButton1->setDefault(true);
    connect(ZYButton1, &TZYButton::clicked, this, [this] { ChooseClick(); });
    connect(ZYButton2, &TZYButton::clicked, this, &QDialog::reject);
    setTabOrder(List, ZYButton1);
    setTabOrder(ZYButton1, ZYButton2);

    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    const QPixmap closeMark = QPixmap::fromImage(ResourceImage(QStringLiteral("ZYInfoDlgClose")));
    SpeedButton1->setIcon(closeMark);
    SpeedButton1->setIconSize(closeMark.size());
    SpeedButton1->setToolTip(QStringLiteral("关闭"));
    SpeedButton1->setAccessibleName(QStringLiteral("关闭"));
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    connect(SpeedButton1, &QToolButton::clicked, this, &QDialog::reject);

    LayOut(List->topLevelItemCount());
    List->setFocus(Qt::OtherFocusReason);
    ZYForm1->Loaded();
}

void TZYListDlg::LayOut(int rows)
{
    // Every entry shows at once, without a scroll bar.
    const int rowHeight = rows > 0 ? List->sizeHintForRow(0) : List->fontMetrics().height();
    const int detailWidth = List->columnWidth(1) + kFrameRoom;
    const int listWidth = List->columnWidth(0) + kColumnGap + detailWidth + 2 * List->frameWidth();
    const int listHeight = std::max(rows, 1) * rowHeight + 2 * List->frameWidth();
    const int width = std::max(kMinWidth, listWidth + 2 * kMargin);
    List->setGeometry(kMargin, kBand + kMargin / 2, width - 2 * kMargin, listHeight);
    // The details end at the list's right edge, however wide the dialog is.
    List->setColumnWidth(1, detailWidth);
    List->setColumnWidth(0, List->width() - 2 * List->frameWidth() - detailWidth);
    const int buttonsTop = List->geometry().bottom() + 1 + kMargin;
    const int height = buttonsTop + kButtonHeight + kBottomMargin;
    resize(width, height);
    ZYButton2->setGeometry(width - kMargin - kButtonWidth, buttonsTop, kButtonWidth, kButtonHeight);
    ZYButton1->setGeometry(ZYButton2->x() - kButtonGap - kButtonWidth, buttonsTop, kButtonWidth,
                           kButtonHeight);
    SpeedButton1->setGeometry(width - kCloseFromRight - kCloseWidth, kCloseTop, kCloseWidth, kCloseHeight);
    Label_Title->move((width - Label_Title->width()) / 2, kTitleTop);
    setFixedSize(width, height);
    // In the middle of the window that opened it.
    if (const QWidget* owner = parentWidget())
        move(owner->mapToGlobal(QPoint((owner->width() - width) / 2, (owner->height() - height) / 2)));
}

void TZYListDlg::ChooseClick()
{
    QTreeWidgetItem* current = List->currentItem();
    if (!current)
        return;
    chosen_ = List->indexOfTopLevelItem(current);
    accept();
}

std::optional<int> TZYListDlg::Choose()
{
    chosen_.reset();
    exec();
    return chosen_;
}

bool TZYListDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label_Title && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        ZYForm1->DragWindow(press->globalPosition().toPoint(), press->button());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
