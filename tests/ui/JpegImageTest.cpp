// JPEG pictures: the progressive skin, damaged and truncated files.
#include "ui/skin/JpegImage.h"

#include "support/TempDir.h"
#include "ui/skin/SkinPicture.h"
#include "ui/skin/SkinResources.h"

#include <QFile>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

QByteArray DialogSkin()
{
    QFile file(ResourcePath(QStringLiteral("ZYInfoDlgSkin")));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

std::string ErrorOf(const QByteArray& data)
{
    try {
        TJpegImage(data, QStringLiteral("damaged.jpg")).Decode();
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "no error";
}

} // namespace

TEST(JpegImage, TheDialogSkinIsAProgressive250By100Picture)
{
    const QByteArray data = DialogSkin();
    ASSERT_TRUE(TJpegImage::LooksLikeJpeg(data));
    const TJpegImage jpeg(data);
    EXPECT_TRUE(jpeg.Progressive());
    EXPECT_EQ(jpeg.Width(), 250);
    EXPECT_EQ(jpeg.Height(), 100);
    const QImage pixels = jpeg.Decode();
    EXPECT_EQ(pixels.format(), QImage::Format_BGR888);
    EXPECT_EQ(pixels.size(), QSize(250, 100));
    EXPECT_NEAR(pixels.pixelColor(20, 50).green(), 223, 2);
}

TEST(JpegImage, DamagedDataFailsWithTheReasonAndTruncatedDataDecodesWhatItHolds)
{
    const QByteArray data = DialogSkin();

    QByteArray lossless = data;
    const qsizetype frame = lossless.indexOf("\xFF\xC2");
    ASSERT_GT(frame, 0);
    lossless[frame + 1] = char(0xC3);
    EXPECT_EQ(ErrorOf(lossless),
              "The JPEG picture damaged.jpg cannot be read: Unsupported JPEG process: SOF type 0xc3");
    EXPECT_EQ(ErrorOf(QByteArray("BM not a picture")),
              "The JPEG picture damaged.jpg cannot be read: Not a JPEG file: starts with 0x42 0x4d");
    EXPECT_NE(ErrorOf(QByteArray()), "no error");
    EXPECT_NE(ErrorOf(data.left(frame)), "no error") << "cut before the picture's size";

    // The first scans of a progressive file hold a coarse picture of the whole.
    const TJpegImage truncated(data.left(data.size() * 6 / 10));
    const QImage pixels = truncated.Decode();
    ASSERT_EQ(pixels.size(), QSize(250, 100));
    EXPECT_NEAR(pixels.pixelColor(125, 70).red(), 223, 12);
    EXPECT_GT(pixels.pixelColor(60, 12).blue(), pixels.pixelColor(60, 12).red() + 40);
}

TEST(JpegImage, PictureFilesAreReadByTheirContent)
{
    const TempDir dir;
    const QString path = QString::fromStdString((dir.path() / "skin.bin").string());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray data = DialogSkin();
    file.write(data.left(data.indexOf("\xFF\xC2")));
    file.close();
    try {
        TSkinPicture::FromFile(path).Bitmap();
        FAIL() << "a picture cut in its header reads";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("skin.bin"), std::string::npos) << error.what();
    }
    EXPECT_THROW(TSkinPicture::FromFile(path + QStringLiteral(".missing")), std::runtime_error);

    const TSkinPicture bitmap = TSkinPicture::FromFile(ResourcePath(QStringLiteral("FormMainSkin")));
    EXPECT_TRUE(bitmap.IsBitmap());
    EXPECT_EQ(bitmap.Width(), 250);
    EXPECT_EQ(bitmap.Height(), 100);
}
