#include "ui/skin/FocusRect.h"

#include <QPainter>
#include <QPolygon>

void DrawFocusRect(QPainter& painter, const QRect& rect, const QColor& color)
{
    if (rect.isEmpty())
        return;
    QPolygon dots;
    // Checkered on the rectangle's own grid, so that the corners are always set.
    const auto dot = [&](int x, int y) {
        if ((x - rect.left() + y - rect.top()) % 2 == 0)
            dots << QPoint(x, y);
    };
    for (int x = rect.left(); x <= rect.right(); ++x) {
        dot(x, rect.top());
        dot(x, rect.bottom());
    }
    for (int y = rect.top() + 1; y < rect.bottom(); ++y) {
        dot(rect.left(), y);
        dot(rect.right(), y);
    }
    painter.save();
    painter.setPen(QPen(color, 0));
    painter.drawPoints(dots);
    painter.restore();
}
