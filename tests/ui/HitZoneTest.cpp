// Where a press on a skinned window moves or sizes it, and what the pointer looks like there.
#include "ui/skin/HitZone.h"

#include <gtest/gtest.h>

namespace {

const QSize kWindow(318, 204);

THitZone Sizeable(int x, int y)
{
    return HitZoneAt({x, y}, kWindow, true, false);
}

THitZone Fixed(int x, int y)
{
    return HitZoneAt({x, y}, kWindow, false, false);
}

} // namespace

TEST(HitZone, SizeableWindowCornersBeforeEdgesBeforeTheCaptionBand)
{
    EXPECT_EQ(Sizeable(100, 2), THitZone::Top);
    EXPECT_EQ(Sizeable(100, 10), THitZone::Caption);
    EXPECT_EQ(Sizeable(10, 10), THitZone::TopLeft);
    EXPECT_EQ(Sizeable(0, 100), THitZone::Left);
    EXPECT_EQ(Sizeable(100, 100), THitZone::None);

    // Bounds are inclusive at both ends: 0..24 for corners and the band, 0..3 for edges.
    EXPECT_EQ(Sizeable(24, 24), THitZone::TopLeft);
    EXPECT_EQ(Sizeable(25, 24), THitZone::Caption);
    EXPECT_EQ(Sizeable(24, 25), THitZone::None);
    EXPECT_EQ(Sizeable(318 - 24, 24), THitZone::TopRight);
    EXPECT_EQ(Sizeable(318 - 25, 24), THitZone::Caption);
    EXPECT_EQ(Sizeable(318, 0), THitZone::TopRight);
    EXPECT_EQ(Sizeable(0, 204 - 24), THitZone::BottomLeft);
    EXPECT_EQ(Sizeable(317, 203), THitZone::BottomRight);
    EXPECT_EQ(Sizeable(3, 100), THitZone::Left);
    EXPECT_EQ(Sizeable(4, 100), THitZone::None);
    EXPECT_EQ(Sizeable(318 - 3, 100), THitZone::Right);
    EXPECT_EQ(Sizeable(318 - 4, 100), THitZone::None);
    EXPECT_EQ(Sizeable(25, 3), THitZone::Top);
    EXPECT_EQ(Sizeable(25, 4), THitZone::Caption);
    EXPECT_EQ(Sizeable(100, 204 - 3), THitZone::Bottom);
    EXPECT_EQ(Sizeable(100, 204 - 4), THitZone::None);
}

TEST(HitZone, FixedWindowReactsOnlyInTheCaptionBandAndMaximisedNowhere)
{
    EXPECT_EQ(Fixed(100, 2), THitZone::Caption);
    EXPECT_EQ(Fixed(10, 10), THitZone::Caption);
    EXPECT_EQ(Fixed(318, 24), THitZone::Caption);
    EXPECT_EQ(Fixed(100, 25), THitZone::None);
    EXPECT_EQ(Fixed(0, 100), THitZone::None);
    EXPECT_EQ(Fixed(317, 203), THitZone::None);

    for (const bool sizeable : {true, false}) {
        EXPECT_EQ(HitZoneAt({100, 10}, kWindow, sizeable, true), THitZone::None);
        EXPECT_EQ(HitZoneAt({0, 0}, kWindow, sizeable, true), THitZone::None);
    }
}

TEST(HitZone, EachZoneHasItsCursorAndItsEdges)
{
    struct Expected {
        THitZone zone;
        Qt::CursorShape cursor;
        Qt::Edges edges;
    };
    const Expected table[] = {
        {THitZone::None, Qt::ArrowCursor, {}},
        {THitZone::TopLeft, Qt::SizeFDiagCursor, Qt::TopEdge | Qt::LeftEdge},
        {THitZone::TopRight, Qt::SizeBDiagCursor, Qt::TopEdge | Qt::RightEdge},
        {THitZone::BottomLeft, Qt::SizeBDiagCursor, Qt::BottomEdge | Qt::LeftEdge},
        {THitZone::BottomRight, Qt::SizeFDiagCursor, Qt::BottomEdge | Qt::RightEdge},
        {THitZone::Left, Qt::SizeHorCursor, Qt::LeftEdge},
        {THitZone::Right, Qt::SizeHorCursor, Qt::RightEdge},
        {THitZone::Top, Qt::SizeVerCursor, Qt::TopEdge},
        {THitZone::Bottom, Qt::SizeVerCursor, Qt::BottomEdge},
        {THitZone::Caption, Qt::PointingHandCursor, {}},
    };
    for (const Expected& row : table) {
        EXPECT_EQ(HitZoneCursor(row.zone), row.cursor) << int(row.zone);
        EXPECT_EQ(HitZoneEdges(row.zone), row.edges) << int(row.zone);
    }
}
