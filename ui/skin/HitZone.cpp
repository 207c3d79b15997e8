#include "ui/skin/HitZone.h"

namespace {

constexpr int kCorner = 24; // corner squares and the caption band: 0..24, both ends included
constexpr int kEdge = 3;    // edge bands: 0..3

bool Within(int value, int low, int high)
{
    return value >= low && value <= high;
}

} // namespace

THitZone HitZoneAt(QPoint point, QSize size, bool sizeable, bool maximised)
{
    if (maximised)
        return THitZone::None;
    const int x = point.x();
    const int y = point.y();
    const int w = size.width();
    const int h = size.height();
    const bool top = Within(y, 0, kCorner);
    const bool bottom = Within(y, h - kCorner, h);
    const bool left = Within(x, 0, kCorner);
    const bool right = Within(x, w - kCorner, w);
    if (sizeable) {
        if (left && top)
            return THitZone::TopLeft;
        if (right && top)
            return THitZone::TopRight;
        if (left && bottom)
            return THitZone::BottomLeft;
        if (right && bottom)
            return THitZone::BottomRight;
        if (Within(x, 0, kEdge) && Within(y, 0, h))
            return THitZone::Left;
        if (Within(x, w - kEdge, w) && Within(y, 0, h))
            return THitZone::Right;
        if (Within(y, 0, kEdge) && Within(x, 0, w))
            return THitZone::Top;
        if (Within(y, h - kEdge, h) && Within(x, 0, w))
            return THitZone::Bottom;
    }
    if (top && Within(x, 0, w))
        return THitZone::Caption;
    return THitZone::None;
}

Qt::CursorShape HitZoneCursor(THitZone zone)
{
    switch (zone) {
    case THitZone::TopLeft:
    case THitZone::BottomRight:
        return Qt::SizeFDiagCursor;
    case THitZone::TopRight:
    case THitZone::BottomLeft:
        return Qt::SizeBDiagCursor;
    case THitZone::Left:
    case THitZone::Right:
        return Qt::SizeHorCursor;
    case THitZone::Top:
    case THitZone::Bottom:
        return Qt::SizeVerCursor;
    case THitZone::Caption:
        return Qt::PointingHandCursor;
    case THitZone::None:
        break;
    }
    return Qt::ArrowCursor;
}

Qt::Edges HitZoneEdges(THitZone zone)
{
    switch (zone) {
    case THitZone::TopLeft:
        return Qt::TopEdge | Qt::LeftEdge;
    case THitZone::TopRight:
        return Qt::TopEdge | Qt::RightEdge;
    case THitZone::BottomLeft:
        return Qt::BottomEdge | Qt::LeftEdge;
    case THitZone::BottomRight:
        return Qt::BottomEdge | Qt::RightEdge;
    case THitZone::Left:
        return Qt::LeftEdge;
    case THitZone::Right:
        return Qt::RightEdge;
    case THitZone::Top:
        return Qt::TopEdge;
    case THitZone::Bottom:
        return Qt::BottomEdge;
    case THitZone::Caption:
    case THitZone::None:
        break;
    }
    return {};
}
