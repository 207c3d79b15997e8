#pragma once
// The program's colour values: red in the low byte, then green, then blue; a top byte 0x80 names a
// system colour by its index, resolved from the application's palette when drawing; clNone is no
// colour at all.

#include <QColor>

#include <cstdint>

using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clBtnShadow = 0x80000010;
constexpr TColor clBtnHighlight = 0x80000014;

constexpr TColor RgbColor(int red, int green, int blue)
{
    return static_cast<TColor>(red & 0xFF) | static_cast<TColor>(green & 0xFF) << 8 |
           static_cast<TColor>(blue & 0xFF) << 16;
}

// The colour to paint with; invalid for clNone.
QColor ColorToRgb(TColor color);
