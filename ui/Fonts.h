#pragma once
#include <QString>

// The family of the program's own font, "宋体". It is not on a Linux desktop: there the installed
// CJK font stands in, whose 12-pixel "Sharp" face has the same line height. The stand-in is named
// directly rather than left to the toolkit's substitution, because a family the toolkit lacks has
// it sort every installed font by likeness, for each size and weight, before it tries a substitute:
// milliseconds before the window's first text. Needs the application object.
QString FormFontFamily();
