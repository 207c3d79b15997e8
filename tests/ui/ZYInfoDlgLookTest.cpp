// The message box as it is seen: its skinned frame, the white title, the close glyph, the icon
// centred and cut to its place, and the owner-drawn buttons that screen readers still read.
#include "support/Pixels.h"
#include "ui/skin/SkinResources.h"
#include "ui/skin/ZYForm.h"
#include "ui/skin/ZYInfoDlgForm.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

struct Open {
    Open(const QString& text, int flags)
    {
        form.setFont(CrispDesignFont());
        form.InitMessageBox(text, QStringLiteral("提示信息"), flags);
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    QImage Shot() { return form.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    TZYInfoDlgForm form;
};

} // namespace

TEST(ZYInfoDlgLook, FrameTitleCloseGlyphAndButtonsWearTheirLook)
{
    Open open(QStringLiteral("词库中没有这个单词，是否追加?"), 36);
    TZYInfoDlgForm& form = open.form;
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form.isModal());
    EXPECT_FALSE(form.ZYForm1->Sizeable());
    EXPECT_EQ(form.ZYForm1->Skin().Width(), form.width());
    EXPECT_EQ(form.ZYForm1->Skin().Height(), form.height());

    const QImage shot = open.Shot();
    EXPECT_FALSE(PixelsOf(shot, qRgb(255, 255, 255), form.Label_Title->geometry()).empty());

    EXPECT_EQ(form.SpeedButton1->toolTip(), QStringLiteral("关闭"));
    EXPECT_EQ(form.SpeedButton1->iconSize(), QSize(10, 9));
    EXPECT_FALSE(form.SpeedButton1->icon().isNull());

    for (int number = 1; number <= 2; ++number) {
        const TZYButton* button = form.Button(number);
        EXPECT_EQ(button->Color(), QColor(223, 223, 223));
        // The face beside the caption is the button's colour, not a style's.
        const QPoint face = button->geometry().topLeft() + QPoint(6, 12);
        EXPECT_EQ(QColor(shot.pixel(face)), QColor(223, 223, 223)) << "button " << number;
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(form.Button(number));
        ASSERT_NE(access, nullptr);
        EXPECT_EQ(access->text(QAccessible::Name), button->text());
    }
}

TEST(ZYInfoDlgLook, TheIconIsCentredInItsPlaceAndCutToIt)
{
    const QImage icon =
        QImage(ResourcePath(QStringLiteral("ZYINFODLGICON4"))).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(icon.size(), QSize(32, 32));
    const QRgb background = icon.pixel(0, 31);
    // One line leaves a place 20 pixels high; three lines one 36 high, where the whole icon fits.
    for (const QString& text : {QStringLiteral("one line"), QStringLiteral("1\r\n2\r\n3")}) {
        Open open(text, 64);
        const QRect place = open.form.Image1->geometry();
        ASSERT_EQ(place.height(), open.form.height() - 100);
        const QImage shot = open.Shot();
        const QPoint corner = place.topLeft() + QPoint((place.width() - 32) / 2, (place.height() - 32) / 2);
        int drawn = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const QPoint at = corner + QPoint(x, y);
                if (icon.pixel(x, y) == background || !place.contains(at))
                    continue;
                EXPECT_EQ(shot.pixel(at), icon.pixel(x, y)) << x << "," << y;
                ++drawn;
            }
        }
        EXPECT_GT(drawn, 100);
        // Above and below its place the skin alone shows.
        const QImage skin = open.form.ZYForm1->Skin().Image().convertToFormat(QImage::Format_RGB32);
        for (const int y : {place.top() - 1, place.bottom() + 1})
            for (int x = corner.x(); x < corner.x() + 32; ++x)
                EXPECT_EQ(shot.pixel(x, y), skin.pixel(x, y)) << x << "," << y;
    }
}
