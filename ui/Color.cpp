#include "ui/Color.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

constexpr TColor kSystemColorFlag = 0x80000000;

QPalette::ColorRole SystemColorRole(TColor color)
{
    switch (color) {
    case clBtnShadow:
        return QPalette::Dark;
    case clBtnHighlight:
        return QPalette::Light;
    default:
        return QPalette::WindowText;
    }
}

} // namespace

QColor ColorToRgb(TColor color)
{
    if (color == clNone)
        return {};
    if (color & kSystemColorFlag)
        return QGuiApplication::palette().color(QPalette::Active, SystemColorRole(color));
    return QColor(color & 0xFF, color >> 8 & 0xFF, color >> 16 & 0xFF);
}
