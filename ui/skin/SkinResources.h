#pragma once
// The program's pictures, compiled in under :/res/ and looked up by their names ("mainicon",
// "ZYINFODLGICON1", the skins, the glyphs named after their buttons).

#include "ui/skin/SkinPicture.h"

#include <QIcon>
#include <QPixmap>
#include <QString>

// ":/res/<name>" with the picture's suffix, with the pictures registered (the library that holds
// them is static).
QString ResourcePath(const QString& name);

// The picture `name`; a null image when there is none.
QImage ResourceImage(const QString& name);

// An icon drawn at several sizes (<name>_16, _22, _32, _48), so that the tray and the desktop
// each pick a sharp one.
QIcon ResourceIcon(const QString& name);

// A picture drawn as a transparent image: the colour of its bottom-left pixel is left out.
QPixmap TransparentPicture(const QString& name);

// A window's skin picture. One that cannot be read leaves the window its plain face: the program
// still starts, and the reason goes to the standard error output.
TSkinPicture ResourceSkin(const QString& name);
