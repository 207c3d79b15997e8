#include "ui/ScreenPlacement.h"

#include <gtest/gtest.h>

namespace {

TEST(ScreenPlacement, AWindowKeepsItsPlaceWhereItFitsAndMovesInsideWhereItWouldNot)
{
    struct Row {
        const char* name;
        QRect window;
        QRect available;
        QPoint placed;
    };
    const QRect screen(0, 0, 1280, 800);
    const Row rows[] = {
        {"fits", {386, 215, 325, 204}, screen, {386, 215}},
        // A 1280 x 800 screen at scale factor 2 has 640 x 400 device-independent pixels.
        {"scaled screen", {386, 215, 325, 204}, {0, 0, 640, 400}, {315, 196}},
        {"panel at the top", {386, 10, 325, 204}, {0, 30, 1280, 770}, {386, 30}},
        {"left of the screen", {-50, 215, 325, 204}, screen, {0, 215}},
        {"second screen", {386, 215, 325, 204}, {1280, 0, 1024, 768}, {1280, 215}},
        {"larger than the screen", {386, 215, 325, 204}, {0, 0, 300, 180}, {0, 0}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(PlacedInside(row.window, row.available), row.placed) << row.name;
}

} // namespace
