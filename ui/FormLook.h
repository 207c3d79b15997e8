#pragma once
// The face every form of the program shares: the "宋体" font 12 pixels high on the light grey
// background colour DFDFDF.

#include <QColor>

class QWidget;

inline const QColor kFaceColour(223, 223, 223);

void ApplyFormLook(QWidget& form);
