#pragma once
// A window placed at a fixed position stays on the screen: where the position would leave part of
// it outside the screen's free area (a small screen, a large scale factor), it moves inside.

#include <QPoint>
#include <QRect>

// The top left corner for `window`: its own where it fits, else the nearest that keeps it inside
// `available`, or at that area's top left when the window is larger than it.
QPoint PlacedInside(const QRect& window, const QRect& available);
