#include "ui/skin/ZYPageControl.h"

#include "ui/skin/ZYTabBar.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <qdrawutil.h>

#include <vector>

TZYPageControl::TZYPageControl(QWidget* parent) : QTabWidget(parent)
{
    setTabBar(new TZYTabBar(*this));
}

int TZYPageControl::PageOfTab(int tabIndex) const
{
    std::vector<int> visible;
    for (int page = 0; page < count(); ++page) {
        if (isTabVisible(page))
            visible.push_back(page);
    }
    if (visible.empty() || tabIndex < 0)
        return -1;
    return visible[static_cast<std::size_t>(tabIndex) % visible.size()];
}

void TZYPageControl::DrawTab(QPainter& painter, int tabIndex, const QRect& rect) const
{
    const QColor background = palette().color(QPalette::Window);
    painter.fillRect(rect, background);
    const int page = PageOfTab(tabIndex);
    if (page < 0)
        return;
    const QWidget* sheet = widget(page);
    const QFontMetrics metrics(sheet->font());
    const QString caption = tabText(page);
    const QSize text(metrics.horizontalAdvance(caption), metrics.height());
    const int x = (rect.left() + rect.left() + rect.width() - text.width()) / 2;
    const int y = (rect.top() + rect.top() + rect.height() - text.height()) / 2;
    // The caption's box is filled too, so that a caption wider than its tab covers the edges.
    painter.fillRect(QRect(QPoint(x, y), text), background);
    painter.setFont(sheet->font());
    painter.setPen(sheet->palette().color(QPalette::WindowText));
    painter.drawText(x, y + metrics.ascent(), caption);
}

void TZYPageControl::paintEvent(QPaintEvent*)
{
    // The pane in the same raised edge as the tabs, filled with the window's colour.
    QStyleOptionTabWidgetFrame option;
    initStyleOption(&option);
    const QRect pane = style()->subElementRect(QStyle::SE_TabWidgetTabPane, &option, this);
    QPainter painter(this);
    const QBrush fill = palette().brush(QPalette::Window);
    qDrawWinPanel(&painter, pane, palette(), false, &fill);
}

void TZYPageControl::keyPressEvent(QKeyEvent* event)
{
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (!tab || !(event->modifiers() & Qt::ControlModifier) || count() < 2) {
        QTabWidget::keyPressEvent(event);
        return;
    }
    // A disabled tab bar holds the page, from the keyboard as from the mouse.
    if (!tabBar()->isEnabled())
        return;
    // Round the pages whose tabs can be chosen; a hidden tab is not one of them.
    const bool back = event->key() == Qt::Key_Backtab || event->modifiers() & Qt::ShiftModifier;
    const int step = back ? count() - 1 : 1;
    for (int page = (currentIndex() + step) % count(); page != currentIndex();
         page = (page + step) % count()) {
        if (isTabVisible(page) && isTabEnabled(page)) {
            setCurrentIndex(page);
            break;
        }
    }
}
