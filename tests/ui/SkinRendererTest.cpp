// The frame of a skinned window, pixel by pixel: corners, tiles, the middle colour, overlaps.
#include "ui/skin/SkinRenderer.h"

#include "ui/skin/SkinPicture.h"
#include "ui/skin/SkinResources.h"
#include "ui/skin/ZYBitmap.h"

#include <gtest/gtest.h>

namespace {

// Every source pixel distinct: red and green carry the column, blue the row.
QImage NumberedPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(x % 256, x / 256 * 64 + y / 256, y % 256));
    return picture;
}

QRgb At(const TZYBitmap& skin, int x, int y)
{
    return skin.Image().pixel(x, y);
}

} // namespace

TEST(SkinRenderer, CornersTilesAndMiddleOfA318By204Window)
{
    const QImage picture = NumberedPicture(250, 100);
    TZYBitmap skin;
    RenderSkin(picture, 318, 204, skin);
    ASSERT_EQ(skin.Width(), 318);
    ASSERT_EQ(skin.Height(), 204);
    const QRgb middle = picture.pixel(20, 50);

    // The middle fill covers (125, 50)-(193, 154), right and bottom exclusive.
    EXPECT_EQ(At(skin, 125 + 24, 50 + 25), middle);
    EXPECT_EQ(At(skin, 192, 153), middle);
    EXPECT_EQ(At(skin, 192, 153 - 70), middle);

    // Corners: the quadrants of the picture, hw = 125 and hh = 50.
    EXPECT_EQ(At(skin, 0, 0), picture.pixel(0, 0));
    EXPECT_EQ(At(skin, 124, 49), picture.pixel(124, 49));
    EXPECT_EQ(At(skin, 317, 0), picture.pixel(249, 0));
    EXPECT_EQ(At(skin, 0, 203), picture.pixel(0, 99));
    EXPECT_EQ(At(skin, 317, 203), picture.pixel(249, 99));

    // Left and right edges: the 25 rows below the centre line, at y = 50, 75, 100, 125 and 150;
    // the last reaches row 174, inside the bottom corners.
    for (const int y : {50, 75, 100, 125, 150}) {
        EXPECT_EQ(At(skin, 3, y), picture.pixel(3, 50)) << y;
        EXPECT_EQ(At(skin, 3, y + 24), picture.pixel(3, 74)) << y;
        EXPECT_EQ(At(skin, 317, y), picture.pixel(249, 50)) << y;
        EXPECT_EQ(At(skin, 200, y + 12), picture.pixel(132, 62)) << y;
    }
    EXPECT_EQ(At(skin, 3, 175), picture.pixel(3, 50 + 21)) << "the bottom corner below the last tile";
    EXPECT_EQ(At(skin, 193, 162), picture.pixel(125 + 18, 58)) << "bottom tiles go over the right edge";

    // Top and bottom edges: the 25 columns right of the centre line, at x = 125, 150 and 175;
    // the last one covers columns 193-199 of the right corners.
    for (const int x : {125, 150, 175}) {
        EXPECT_EQ(At(skin, x, 0), picture.pixel(125, 0)) << x;
        EXPECT_EQ(At(skin, x + 24, 49), picture.pixel(149, 49)) << x;
        EXPECT_EQ(At(skin, x + 10, 203), picture.pixel(135, 99)) << x;
    }
    EXPECT_EQ(At(skin, 199, 0), picture.pixel(149, 0));
    EXPECT_EQ(At(skin, 200, 0), picture.pixel(132, 0)) << "the corner beyond the last tile";
    EXPECT_EQ(At(skin, 200, 203), picture.pixel(132, 99));
}

TEST(SkinRenderer, SmallWindowsOverlapTheCornersAndOddPicturesRoundHalvesUp)
{
    const QImage picture = NumberedPicture(250, 100);
    TZYBitmap skin;
    RenderSkin(picture, 230, 90, skin);
    // No tiles and no middle: the later corners cover the earlier ones.
    EXPECT_EQ(At(skin, 104, 0), picture.pixel(104, 0));
    EXPECT_EQ(At(skin, 105, 0), picture.pixel(125, 0)) << "top-right over top-left";
    EXPECT_EQ(At(skin, 0, 40), picture.pixel(0, 50)) << "bottom-left over top-left";
    EXPECT_EQ(At(skin, 105, 40), picture.pixel(125, 50)) << "bottom-right over everything";
    EXPECT_EQ(At(skin, 229, 89), picture.pixel(249, 99));

    const QImage odd = NumberedPicture(251, 101);
    RenderSkin(odd, 400, 300, skin);
    // hw = 126 and hh = 51: the right corners start 126 columns from the right edge, the bottom
    // ones 51 rows from the bottom, and the edge tiles repeat from there.
    EXPECT_EQ(At(skin, 125, 0), odd.pixel(125, 0));
    EXPECT_EQ(At(skin, 300, 0), odd.pixel(126 + 26, 0));
    EXPECT_EQ(At(skin, 300, 260), odd.pixel(126 + 26, 51 + 11));
    EXPECT_EQ(At(skin, 0, 75), odd.pixel(0, 75));
    EXPECT_EQ(At(skin, 0, 76), odd.pixel(0, 51));
}

TEST(SkinRenderer, NoPictureGivesAnEmptySkin)
{
    TZYBitmap skin;
    RenderSkin(NumberedPicture(250, 100), 300, 200, skin);
    ASSERT_FALSE(skin.Empty());
    RenderSkin(TSkinPicture(), 300, 200, skin);
    EXPECT_TRUE(skin.Empty());
    RenderSkin(NumberedPicture(250, 100), 0, 200, skin);
    EXPECT_TRUE(skin.Empty());
}

TEST(SkinRenderer, TheProgramsSkinsFillTheMiddleWithTheFaceColour)
{
    const TSkinPicture main = TSkinPicture::FromFile(ResourcePath(QStringLiteral("FormMainSkin")));
    EXPECT_TRUE(main.IsBitmap());
    TZYBitmap skin;
    RenderSkin(main, 325, 204, skin);
    EXPECT_EQ(At(skin, 160, 100), qRgb(223, 223, 223));
    EXPECT_EQ(main.Bitmap().pixel(20, 50), qRgb(223, 223, 223));

    // The dialog's skin is a JPEG picture, decoded at each rendering.
    const TSkinPicture dialog = TSkinPicture::FromFile(ResourcePath(QStringLiteral("ZYInfoDlgSkin")));
    EXPECT_FALSE(dialog.IsBitmap());
    RenderSkin(dialog, 288, 120, skin);
    ASSERT_EQ(skin.Width(), 288);
    const QColor face = skin.Image().pixelColor(140, 60);
    EXPECT_NEAR(face.red(), 223, 2);
    EXPECT_NEAR(face.blue(), 223, 2);
    // The caption band is coloured, so that the grey look of an inactive window shows.
    const QColor band = skin.Image().pixelColor(50, 12);
    EXPECT_GT(band.blue() - band.red(), 60);
}
