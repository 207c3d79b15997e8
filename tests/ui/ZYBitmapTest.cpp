// The off-screen bitmap: its memory layout, grey conversion, drawing and copying.
#include "ui/skin/ZYBitmap.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

void SetPixel(TZYBitmap& bitmap, int x, int y, QRgb colour)
{
    uchar* pixel = bitmap.ScanLine(y) + 3 * x;
    pixel[0] = uchar(qBlue(colour));
    pixel[1] = uchar(qGreen(colour));
    pixel[2] = uchar(qRed(colour));
}

QRgb PixelAt(const TZYBitmap& bitmap, int x, int y)
{
    const uchar* pixel = bitmap.ScanLine(y) + 3 * x;
    return qRgb(pixel[2], pixel[1], pixel[0]);
}

} // namespace

TEST(ZYBitmap, RowsArePaddedToFourBytesAndStoredTopDownInBlueGreenRed)
{
    TZYBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    bitmap.SetSize(318, 204);
    ASSERT_FALSE(bitmap.Empty());
    EXPECT_EQ(bitmap.Padding(), 2);
    EXPECT_EQ(bitmap.Stride(), 956);
    EXPECT_EQ(bitmap.ImageSize(), 195024);
    EXPECT_EQ(bitmap.Image().bytesPerLine(), 956);
    EXPECT_EQ(bitmap.ScanLine(1) - bitmap.ScanLine(0), 956);
    EXPECT_EQ(bitmap.ScanLine(203) - bitmap.ScanLine(0), 203 * 956);
    EXPECT_EQ(PixelAt(bitmap, 317, 203), qRgb(0, 0, 0)) << "a fresh image is black";

    // Drawing on the canvas and writing memory are the same pixels, blue first in memory.
    {
        QPainter canvas(bitmap.Canvas());
        canvas.fillRect(5, 7, 1, 1, QColor(10, 20, 30));
    }
    const uchar* pixel = bitmap.ScanLine(7) + 3 * 5;
    EXPECT_EQ(pixel[0], 30);
    EXPECT_EQ(pixel[1], 20);
    EXPECT_EQ(pixel[2], 10);
    SetPixel(bitmap, 6, 7, qRgb(1, 2, 3));
    EXPECT_EQ(bitmap.Image().pixel(6, 7), qRgb(1, 2, 3));

    for (const int width : {1, 2, 3, 4, 5}) {
        bitmap.SetSize(width, 2);
        EXPECT_EQ(bitmap.Stride() % 4, 0) << width;
        EXPECT_EQ(bitmap.ScanLine(1) - bitmap.ScanLine(0), bitmap.Stride()) << width;
    }
}

TEST(ZYBitmap, ZeroSizeClearAndFillLeaveTheExpectedImage)
{
    TZYBitmap bitmap;
    bitmap.SetSize(0, 10);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
    EXPECT_EQ(bitmap.Canvas(), nullptr);
    bitmap.SetSize(-3, 10);
    EXPECT_TRUE(bitmap.Empty());

    bitmap.SetSize(3, 2);
    bitmap.Clear();
    EXPECT_TRUE(bitmap.Empty());
    bitmap.GrayScale(); // nothing to do, and no harm

    bitmap.SetFillColor(QColor(223, 223, 223));
    bitmap.SetSize(3, 2);
    EXPECT_EQ(PixelAt(bitmap, 2, 1), qRgb(223, 223, 223));
}

TEST(ZYBitmap, GrayScaleKeepsTheWeightsOfExtendedPrecision)
{
    TZYBitmap bitmap;
    bitmap.SetSize(256, 3);
    for (int v = 0; v < 256; ++v) {
        SetPixel(bitmap, v, 0, qRgb(v, 0, 0));
        SetPixel(bitmap, v, 1, qRgb(0, v, 0));
        SetPixel(bitmap, v, 2, qRgb(0, 0, v));
    }
    bitmap.GrayScale();
    for (int v = 0; v < 256; ++v) {
        const int green = v * 59 / 100 - (v == 100 || v == 200 ? 1 : 0);
        EXPECT_EQ(PixelAt(bitmap, v, 0), qRgb(v * 30 / 100, v * 30 / 100, v * 30 / 100)) << v;
        EXPECT_EQ(PixelAt(bitmap, v, 1), qRgb(green, green, green)) << v;
        EXPECT_EQ(PixelAt(bitmap, v, 2), qRgb(v * 11 / 100, v * 11 / 100, v * 11 / 100)) << v;
    }

    bitmap.SetSize(5, 1);
    SetPixel(bitmap, 0, 0, qRgb(255, 255, 255));
    SetPixel(bitmap, 1, 0, qRgb(255, 0, 0));
    SetPixel(bitmap, 2, 0, qRgb(0, 255, 0));
    SetPixel(bitmap, 3, 0, qRgb(0, 0, 255));
    SetPixel(bitmap, 4, 0, qRgb(0, 100, 0));
    bitmap.GrayScale();
    EXPECT_EQ(PixelAt(bitmap, 0, 0), qRgb(254, 254, 254));
    EXPECT_EQ(PixelAt(bitmap, 1, 0), qRgb(76, 76, 76));
    EXPECT_EQ(PixelAt(bitmap, 2, 0), qRgb(150, 150, 150));
    EXPECT_EQ(PixelAt(bitmap, 3, 0), qRgb(28, 28, 28));
    EXPECT_EQ(PixelAt(bitmap, 4, 0), qRgb(58, 58, 58));
}

TEST(ZYBitmap, DrawCopiesAtTheSameSizeAndStretchesOtherwise)
{
    TZYBitmap bitmap;
    bitmap.SetSize(100, 50);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x)
            SetPixel(bitmap, x, y, qRgb(x * 2, y * 5, (x + y) % 256));

    QImage target(100, 50, QImage::Format_BGR888);
    {
        QPainter canvas(&target);
        bitmap.Draw(canvas, QRect(0, 0, 100, 50));
    }
    EXPECT_EQ(target, bitmap.Image());

    QImage stretched(200, 100, QImage::Format_BGR888);
    {
        QPainter canvas(&stretched);
        bitmap.Draw(canvas, QRect(0, 0, 200, 100));
    }
    EXPECT_EQ(stretched.pixel(2 * 37 + 1, 2 * 11 + 1), bitmap.Image().pixel(37, 11)) << "nearest pixel";

    // Bilinear: halfway between two columns the channels are averaged.
    TZYBitmap pair;
    pair.SetSize(2, 1);
    SetPixel(pair, 0, 0, qRgb(0, 100, 200));
    SetPixel(pair, 1, 0, qRgb(100, 200, 0));
    pair.SetSmoothStretch(true);
    QImage smooth(2, 1, QImage::Format_BGR888);
    smooth.fill(Qt::white);
    {
        QPainter canvas(&smooth);
        pair.Draw(canvas, QRect(0, 0, 2, 1)); // the same size is still one copy
    }
    EXPECT_EQ(smooth.pixel(1, 0), qRgb(100, 200, 0));
    QImage wide(4, 1, QImage::Format_BGR888);
    {
        QPainter canvas(&wide);
        pair.Draw(canvas, QRect(0, 0, 4, 1));
    }
    EXPECT_EQ(wide.pixel(0, 0), qRgb(0, 100, 200));
    EXPECT_EQ(wide.pixel(2, 0), qRgb(50, 150, 100));
}

TEST(ZYBitmap, AssignCopiesPixelsAndNeverSharesThem)
{
    QImage source(7, 3, QImage::Format_ARGB32);
    source.fill(qRgb(9, 8, 7));
    source.setPixel(6, 2, qRgb(1, 2, 3));
    TZYBitmap bitmap;
    bitmap.Assign(source);
    EXPECT_EQ(bitmap.Width(), 7);
    EXPECT_EQ(PixelAt(bitmap, 6, 2), qRgb(1, 2, 3));
    EXPECT_EQ(PixelAt(bitmap, 0, 0), qRgb(9, 8, 7));

    TZYBitmap copy;
    bitmap.SetSmoothStretch(true);
    copy.Assign(bitmap);
    EXPECT_TRUE(copy.SmoothStretch());
    EXPECT_EQ(copy.Image(), bitmap.Image());
    SetPixel(copy, 0, 0, qRgb(255, 0, 0));
    EXPECT_EQ(PixelAt(bitmap, 0, 0), qRgb(9, 8, 7));

    QImage out;
    bitmap.AssignTo(out);
    bitmap.GrayScale();
    EXPECT_EQ(out.pixel(0, 0), qRgb(9, 8, 7)) << "an image taken out keeps its pixels";

    // A copy of the image still held elsewhere is not changed by later drawing.
    const QImage held = bitmap.Image();
    {
        QPainter canvas(bitmap.Canvas());
        canvas.fillRect(0, 0, 7, 3, Qt::blue);
    }
    EXPECT_NE(held.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(PixelAt(bitmap, 0, 0), qRgb(0, 0, 255));

    TZYBitmap empty;
    empty.AssignTo(bitmap);
    EXPECT_TRUE(bitmap.Empty());
    copy.Assign(QImage());
    EXPECT_TRUE(copy.Empty());
}
