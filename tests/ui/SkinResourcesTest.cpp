// The program's pictures are compiled in, under the names the windows ask for, at their sizes.
#include "ui/skin/SkinResources.h"

#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

TEST(SkinResources, EveryPictureIsThereAtItsSize)
{
    const struct {
        const char* name;
        QSize size;
    } pictures[] = {
        {"FormMainSkin", {250, 100}},
        {"ZYInfoDlgSkin", {250, 100}},
        {"SpeedButton_Min", {12, 12}},
        {"SpeedButton_Max", {12, 12}},
        {"SpeedButton_Exit", {12, 12}},
        {"SpeedButton_Menu", {22, 22}},
        {"SpeedButton_Seek", {16, 16}},
        {"SpeedButton_last", {16, 16}},
        {"SpeedButton_next", {16, 16}},
        {"SpeedButton_findword", {16, 16}},
        {"SpeedButton_SaveWord", {16, 16}},
        {"SpeedButton5", {16, 16}},
        {"SpeedExport", {16, 16}},
        {"SpeedButton_import", {16, 16}},
        {"SpeedButton_applySetting", {16, 16}},
        {"ZYInfoDlgClose", {10, 9}},
        {"Image1", {16, 16}},
        {"Image_Drag", {13, 12}},
        {"Image_RecycledFlag", {14, 15}},
        {"ZYMenu1", {20, 138}},
        {"ZYINFODLGICON1", {32, 32}},
        {"ZYINFODLGICON2", {32, 32}},
        {"ZYINFODLGICON3", {32, 32}},
        {"ZYINFODLGICON4", {32, 32}},
    };
    for (const auto& picture : pictures) {
        const QString name = QString::fromLatin1(picture.name);
        EXPECT_EQ(QImageReader(ResourcePath(name)).size(), picture.size) << picture.name;
    }

    const QImage skin(ResourcePath(QStringLiteral("FormMainSkin")));
    EXPECT_EQ(skin.depth(), 32) << "24-bit pictures are read into 32-bit images";
    EXPECT_EQ(QImageReader(ResourcePath(QStringLiteral("FormMainSkin"))).format(), "bmp");

    for (const char* name : {"mainicon", "trayicon_small"}) {
        const QIcon icon = ResourceIcon(QString::fromLatin1(name));
        EXPECT_EQ(icon.availableSizes(), (QList<QSize>{{16, 16}, {22, 22}, {32, 32}, {48, 48}})) << name;
        for (const int size : {16, 22, 32, 48})
            EXPECT_EQ(icon.pixmap(size).size(), QSize(size, size)) << name << size;
    }
}

TEST(SkinResources, TheDialogIconsAreSixteenColourBitmapsWithTheirGreyLeftOut)
{
    for (int number = 1; number <= 4; ++number) {
        const QString name = QStringLiteral("ZYINFODLGICON%1").arg(number);
        const QImage bitmap(ResourcePath(name));
        EXPECT_EQ(bitmap.format(), QImage::Format_Indexed8) << number;
        EXPECT_LE(bitmap.colorCount(), 16) << number;
        const QImage shown = TransparentPicture(name).toImage();
        EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0) << number;
        EXPECT_EQ(qAlpha(shown.pixel(16, 16)), 255) << number;
    }
    EXPECT_TRUE(TransparentPicture(QStringLiteral("NoSuchPicture")).isNull());
}
