#include "ui/DropDownList.h"

#include "ui/FormLook.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int kPadding = 3;
constexpr int kRowRoom = 4;
// Wide enough for a word and the start of its explanation, never wider than this.
constexpr int kMostWidth = 360;

} // namespace

TDropDownList::TDropDownList(QLineEdit& box)
    : QFrame(box.window(), Qt::ToolTip | Qt::FramelessWindowHint), Label_Heading(new QLabel(this)),
      List(new QListWidget(this)), box_(box)
{
    setObjectName(QStringLiteral("DropDownList"));
    // A window of its own, so it may reach past the page it drops over, that never takes the focus
    // from the box the user types in.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    ApplyFormLook(*this);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(128, 128, 128)); // the frame line
    setPalette(colours);

    Label_Heading->setObjectName(QStringLiteral("Label_Heading"));
    Label_Heading->setTextFormat(Qt::PlainText);
    QPalette headingColours = Label_Heading->palette();
    headingColours.setColor(QPalette::WindowText, Qt::black);
    Label_Heading->setPalette(headingColours);

    List->setObjectName(QStringLiteral("List"));
    List->setFocusPolicy(Qt::NoFocus);
    List->setFrameStyle(QFrame::NoFrame);
    List->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List->setUniformItemSizes(true);
    List->setMouseTracking(true);
    QPalette listColours = List->palette();
    listColours.setColor(QPalette::Base, Qt::white);
    listColours.setColor(QPalette::Text, Qt::black);
    listColours.setColor(QPalette::Highlight, kHighlightColour);
    listColours.setColor(QPalette::HighlightedText, Qt::black);
    List->setPalette(listColours);
    connect(List, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = List->row(item);
        hide();
        emit Picked(row);
    });
    // The entry under the pointer shows as the one a click picks.
    connect(List, &QListWidget::itemEntered, this,
            [this](QListWidgetItem* item) { List->setCurrentItem(item); });

    box_.installEventFilter(this);
    box_.window()->installEventFilter(this);
}

void TDropDownList::ShowEntries(const QString& heading, const QStringList& entries)
{
    Label_Heading->setText(heading);
    setAccessibleName(heading);
    List->setAccessibleName(heading);
    List->clear();
    // A little taller than the text, as the menu's items are.
    const int rowHeight = List->fontMetrics().height() + kRowRoom;
    for (const QString& entry : entries)
        (new QListWidgetItem(entry, List))->setSizeHint(QSize(0, rowHeight));
    List->setCurrentRow(-1);
    List->scrollToTop();

    const int rows = std::min<int>(static_cast<int>(entries.size()), kVisibleRows);
    const int listHeight = rows * rowHeight;
    int width = std::max(box_.width(), Label_Heading->sizeHint().width() + 2 * kPadding);
    width = std::max(width,
                     List->sizeHintForColumn(0) + 2 * kPadding + 2 * lineWidth() +
                         (entries.size() > kVisibleRows ? List->verticalScrollBar()->sizeHint().width() : 0));
    width = std::min(width, kMostWidth);
    const int headingHeight = Label_Heading->sizeHint().height();
    Label_Heading->setGeometry(lineWidth() + kPadding, lineWidth() + kPadding,
                               width - 2 * (lineWidth() + kPadding), headingHeight);
    List->setGeometry(lineWidth(), Label_Heading->geometry().bottom() + 1 + kPadding, width - 2 * lineWidth(),
                      listHeight);
    resize(width, List->geometry().bottom() + 1 + lineWidth());
    PlaceBelowBox();
    show();
    raise();
}

void TDropDownList::PlaceBelowBox()
{
    QPoint at = box_.mapToGlobal(QPoint(0, box_.height()));
    // Kept on the screen: above the box when there is no room below it.
    if (const QScreen* screen = box_.screen()) {
        const QRect room = screen->availableGeometry();
        if (at.y() + height() > room.bottom() + 1)
            at.setY(box_.mapToGlobal(QPoint(0, 0)).y() - height());
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() + 1 - width())));
    }
    move(at);
}

void TDropDownList::Step(int rows)
{
    const int row = std::clamp(List->currentRow() + rows, 0, List->count() - 1);
    if (row == List->currentRow())
        return;
    List->setCurrentRow(row);
    emit Picked(row);
}

bool TDropDownList::eventFilter(QObject* watched, QEvent* event)
{
    if (!isVisible())
        return QFrame::eventFilter(watched, event);
    if (watched == &box_ && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Down:
            Step(1);
            return true;
        case Qt::Key_Up:
            Step(-1);
            return true;
        case Qt::Key_Escape:
            hide();
            return true;
        default:
            break;
        }
    } else if (watched == &box_ && event->type() == QEvent::FocusOut) {
        hide();
    } else if (watched == box_.window()) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Hide:
        case QEvent::WindowDeactivate:
            hide();
            break;
        default:
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}
