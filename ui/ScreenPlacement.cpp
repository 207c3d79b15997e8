#include "ui/ScreenPlacement.h"

#include <algorithm>

QPoint PlacedInside(const QRect& window, const QRect& available)
{
    const auto fit = [](int at, int length, int start, int room) {
        return std::max(start, std::min(at, start + room - length));
    };
    return {fit(window.x(), window.width(), available.x(), available.width()),
            fit(window.y(), window.height(), available.y(), available.height())};
}
