#include "ui/skin/ZYTabBar.h"

#include "ui/skin/FocusRect.h"
#include "ui/skin/ZYPageControl.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QWheelEvent>

#include <cstdlib>

namespace {

// How much lower the tabs that are not selected stand.
constexpr int kRaise = 2;

} // namespace

TZYTabBar::TZYTabBar(TZYPageControl& pageControl) : QTabBar(&pageControl), pageControl_(pageControl)
{
    setDrawBase(false);
}

void TZYTabBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    int selectedVisibleIndex = -1;
    int visibleIndex = 0;
    for (int index = 0; index < count(); ++index) {
        if (!isTabVisible(index))
            continue;
        if (index == currentIndex())
            selectedVisibleIndex = visibleIndex;
        else
            DrawTabShape(painter, index, visibleIndex);
        ++visibleIndex;
    }
    // The selected tab last: it overlaps its neighbours' edges.
    if (selectedVisibleIndex >= 0)
        DrawTabShape(painter, currentIndex(), selectedVisibleIndex);
}

void TZYTabBar::DrawTabShape(QPainter& painter, int index, int visibleIndex) const
{
    const QRect tab = tabRect(index);
    const bool selected = index == currentIndex();
    // The pane's edge lies under the bar's last rows: the selected tab covers it, the others end above it.
    const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, &pageControl_);
    const int left = tab.left();
    const int right = tab.right();
    const int top = tab.top() + (selected ? 0 : kRaise);
    const int bottom = tab.bottom() - (selected ? 0 : overlap);
    const QPalette& colors = palette();

    painter.fillRect(QRect(QPoint(left + 1, top + 1), QPoint(right - 1, bottom)),
                     colors.color(QPalette::Window));
    const QColor light = colors.color(QPalette::Light);
    painter.fillRect(QRect(QPoint(left, top + 2), QPoint(left, bottom)), light);
    painter.fillRect(QRect(left + 1, top + 1, 1, 1), light);
    painter.fillRect(QRect(QPoint(left + 2, top), QPoint(right - 2, top)), light);
    const QColor shadow = colors.color(QPalette::Shadow);
    painter.fillRect(QRect(QPoint(right, top + 2), QPoint(right, bottom)), shadow);
    painter.fillRect(QRect(right - 1, top + 1, 1, 1), shadow);
    painter.fillRect(QRect(QPoint(right - 1, top + 2), QPoint(right - 1, bottom)),
                     colors.color(QPalette::Dark));

    const QRect inside(QPoint(left + 1, top + 2), QPoint(right - 2, bottom));
    pageControl_.DrawTab(painter, visibleIndex, inside);
    if (selected && hasFocus())
        DrawFocusRect(painter, inside.adjusted(2, 1, -2, -1), colors.color(QPalette::WindowText));
}

void TZYTabBar::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Left && event->key() != Qt::Key_Right) {
        event->ignore();
        return;
    }
    const Qt::Key back = isRightToLeft() ? Qt::Key_Right : Qt::Key_Left;
    StepTab(event->key() == back ? -1 : 1);
}

void TZYTabBar::wheelEvent(QWheelEvent* event)
{
    if (!style()->styleHint(QStyle::SH_TabBar_AllowWheelScrolling, nullptr, this)) {
        QTabBar::wheelEvent(event);
        return;
    }
    const QPoint angle = event->angleDelta();
    wheelDelta_ += std::abs(angle.y()) >= std::abs(angle.x()) ? angle.y() : angle.x();
    // Turning away from the reader goes back, as on any tab bar; fine-grained wheels add up first.
    while (std::abs(wheelDelta_) >= QWheelEvent::DefaultDeltasPerStep) {
        const int direction = wheelDelta_ > 0 ? -1 : 1;
        wheelDelta_ += direction * QWheelEvent::DefaultDeltasPerStep;
        StepTab(direction);
    }
    event->accept();
}

void TZYTabBar::StepTab(int direction)
{
    for (int index = currentIndex() + direction; index >= 0 && index < count(); index += direction) {
        if (isTabVisible(index) && isTabEnabled(index)) {
            setCurrentIndex(index);
            return;
        }
    }
}
