#pragma once
// The face every form of the program shares: the "宋体" font 12 pixels high on the light grey
// background colour DFDFDF.

#include <QColor>
#include <QFont>

class QWidget;

inline const QColor kFaceColour(223, 223, 223);
// The bar under the chosen entry of the command menu and of the lists that drop from a box.
inline const QColor kHighlightColour(105, 207, 245);

// The face's font; needs the application object.
QFont FormFont();
void ApplyFormLook(QWidget& form);
