#pragma once
// The form font "宋体" is not on a Linux desktop: map it to the installed CJK font, whose 12-pixel
// "Sharp" face has the same line height.
void InstallFontSubstitutions();
