#pragma once
// A caption whose first '&' marks its accelerator letter: the '&' is not shown and the character
// after it is underlined.

#include <QString>

class QPainter;

struct AcceleratorText {
    QString before;
    QString key; // empty when there is no '&' or nothing follows it
    QString after;
};

AcceleratorText SplitAccelerator(const QString& caption);

// Writes the caption with its top-left corner at (x, y) in the painter's font and pen: the part
// before the '&', the underlined key and the rest, each starting where the one before ends.
void DrawAcceleratorText(QPainter& painter, int x, int y, const QString& caption);
