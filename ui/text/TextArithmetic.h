#pragma once
// The small rules the effect text renderer measures and lays out by.

#include "ui/text/fcTextTypes.h"

#include <QColor>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <array>

// The integer nearest to x - 0.4999, ties to even: the floor of x unless its fraction is 0.9999 or
// more, so a value that floating-point noise put just below a whole number still counts as it.
int FloorRound(long double x);

// Every "&&" becomes "&" and every other '&' goes: the text as drawn with accelerators shown.
QString StripAccelerators(const QString& text);

// The text's lines, split at each CR LF; an empty text has none.
QStringList SplitLines(const QString& text);

// A rotation in degrees stored in 0..360: v mod 360 when v >= 0, else 360 - (|v| mod 360), so that
// -360 is kept as 360.
int NormalisedRotation(int degrees);

// The unit step of an extrusion towards `orientation`.
QPoint OrientationStep(TfcOrientation orientation);

// All eight steps in the enumeration's order: the offsets of the outline copies.
const std::array<QPoint, 8>& OrientationSteps();

// The colour of extrusion layer `layer` (1 = farthest from the text, `depth` = nearest). Each
// channel runs from near `far` to exactly `near`. Striated: the even layers at a quarter of that.
QColor ExtrusionLayerColor(QColor near, QColor far, int layer, int depth, bool striated);
