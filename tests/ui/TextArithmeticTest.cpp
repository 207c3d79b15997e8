// The small rules of the effect text: rounding, accelerators, lines, rotation and the layer ramp.
#include "ui/text/TextArithmetic.h"

#include <gtest/gtest.h>

#include <climits>

TEST(TextArithmetic, FloorRoundIsTheFloorExceptJustBelowAWholeNumber)
{
    EXPECT_EQ(FloorRound(2.0L), 2);
    EXPECT_EQ(FloorRound(2.5L), 2);
    EXPECT_EQ(FloorRound(2.9998L), 2);
    EXPECT_EQ(FloorRound(2.99995L), 3);
    EXPECT_EQ(FloorRound(29.999999999L), 30);
    EXPECT_EQ(FloorRound(-0.2L), -1);
    EXPECT_EQ(FloorRound(-1e-18L), 0);
}

TEST(TextArithmetic, AcceleratorMarksAndLines)
{
    EXPECT_EQ(StripAccelerators("a&&b"), "a&b");
    EXPECT_EQ(StripAccelerators("a&b"), "ab");
    EXPECT_EQ(StripAccelerators("&&&x&"), "&x");

    EXPECT_TRUE(SplitLines("").isEmpty());
    EXPECT_EQ(SplitLines("ab\r\ncd"), QStringList({"ab", "cd"}));
    EXPECT_EQ(SplitLines("ab\r\n"), QStringList({"ab", ""}));
    EXPECT_EQ(SplitLines("a\nb\rc"), QStringList({"a\nb\rc"}));
}

TEST(TextArithmetic, RotationIsStoredWithinAWholeTurnAndMinus360StaysAWholeTurn)
{
    EXPECT_EQ(NormalisedRotation(-90), 270);
    EXPECT_EQ(NormalisedRotation(450), 90);
    EXPECT_EQ(NormalisedRotation(-360), 360);
    EXPECT_EQ(NormalisedRotation(360), 0);
    EXPECT_EQ(NormalisedRotation(-1), 359);
    EXPECT_EQ(NormalisedRotation(INT_MIN), 360 + INT_MIN % 360);
}

TEST(TextArithmetic, ExtrusionLayersRampFromFarToNearAndStriationDarkensEvenLayers)
{
    const QColor nearColor(200, 100, 0);
    const QColor farColor(0, 40, 80);
    EXPECT_EQ(ExtrusionLayerColor(nearColor, farColor, 1, 4, false), QColor(50, 55, 60));
    EXPECT_EQ(ExtrusionLayerColor(nearColor, farColor, 3, 4, false), QColor(150, 85, 20));
    EXPECT_EQ(ExtrusionLayerColor(nearColor, farColor, 4, 4, false), nearColor);
    EXPECT_EQ(ExtrusionLayerColor(nearColor, farColor, 3, 4, true), QColor(150, 85, 20));
    EXPECT_EQ(ExtrusionLayerColor(nearColor, farColor, 2, 4, true), QColor(25, 17, 10));
}
