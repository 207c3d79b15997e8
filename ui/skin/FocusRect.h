#pragma once
// The dotted rectangle that marks the control holding the keyboard focus: every other pixel of the
// outline, starting at the top-left corner.

#include <QColor>
#include <QRect>

class QPainter;

void DrawFocusRect(QPainter& painter, const QRect& rect, const QColor& color);
