#pragma once
// Reads the uncompressed Windows bitmaps the program's pictures are kept in (24-bit, and 32-bit
// with or without an alpha channel) straight into an image, in the formats Qt's own reader gives
// them. The start draws a dozen of them: asking Qt's reader would first have it look through the
// descriptions of every image plugin installed, and then take longer per picture than the copy.

#include <QByteArrayView>
#include <QImage>

// A null image when `data` is no such bitmap (another depth, compressed, damaged or cut short):
// Qt's reader then has its say.
QImage ReadWindowsBitmap(QByteArrayView data);
