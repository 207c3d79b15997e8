#pragma once
// Reads the uncompressed Windows bitmaps the program's pictures are kept in straight into an image:
// 24-bit ones in Format_BGR888, their bytes as stored (the skins are drawn from that format), 32-bit
// ones in Format_RGB32, or Format_ARGB32 with an alpha channel, as Qt's own reader gives them. The
// start draws a dozen of them: asking Qt's reader would first have it look through the descriptions
// of every image plugin installed, and then take longer per picture than the copy.

#include <QByteArrayView>
#include <QImage>

// A null image when `data` is no such bitmap (another depth, compressed, damaged or cut short):
// Qt's reader then has its say.
QImage ReadWindowsBitmap(QByteArrayView data);
