// The owner-drawn push button: its frames in each state, the caption that stays put, the emboss.
#include "ui/skin/ZYButton.h"

#include "support/Pixels.h"

#include <QAccessible>
#include <QDialog>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QColor kFace(223, 223, 223);

struct Dialog {
    Dialog()
    {
        dialog.setFont(CrispDesignFont());
        dialog.resize(200, 60);
        other.setGeometry(10, 10, 60, 25);
        button.setGeometry(100, 10, 60, 25);
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    QImage Shot() { return button.grab().toImage(); }
    QRgb Role(QPalette::ColorRole role, QPalette::ColorGroup group = QPalette::Active) const
    {
        return button.palette().color(group, role).rgb();
    }

    QDialog dialog;
    TZYButton other{QStringLiteral("确定"), &dialog};
    TZYButton button{QStringLiteral("取消"), &dialog};
};

// The pixels of the caption written with its top-left corner at (x, y).
std::set<std::pair<int, int>> CaptionAt(int x, int y)
{
    QImage image = Canvas({60, 25});
    QPainter painter(&image);
    painter.setFont(CrispDesignFont());
    painter.setPen(Qt::black);
    painter.drawText(x, y + QFontMetrics(CrispDesignFont()).ascent(), QStringLiteral("取消"));
    painter.end();
    return PixelsOf(image, qRgb(0, 0, 0), image.rect());
}

} // namespace

TEST(ZYButton, FramesFollowTheStateAndTheCaptionStaysPut)
{
    Dialog d;
    d.other.setFocus();
    const QImage raised = d.Shot();
    EXPECT_FALSE(d.button.isDefault());
    EXPECT_EQ(raised.pixel(0, 0), d.Role(QPalette::Light));
    EXPECT_EQ(raised.pixel(59, 24), d.Role(QPalette::Shadow));
    EXPECT_EQ(raised.pixel(58, 23), d.Role(QPalette::Dark));
    EXPECT_EQ(Colours(raised, {2, 2, 56, 21}), (std::set<QRgb>{kFace.rgb(), d.Role(QPalette::ButtonText)}));

    // The caption: centred by whole-pixel halves of the button and of the text.
    const auto caption = PixelsOf(raised, d.Role(QPalette::ButtonText), raised.rect());
    ASSERT_FALSE(caption.empty());
    EXPECT_EQ(caption, CaptionAt(30 - QFontMetrics(CrispDesignFont()).horizontalAdvance("取消") / 2, 12 - 6));

    d.button.setDown(true);
    const QImage pressed = d.Shot();
    EXPECT_EQ(pressed.pixel(0, 0), d.Role(QPalette::Dark));
    EXPECT_EQ(pressed.pixel(59, 24), d.Role(QPalette::Dark));
    EXPECT_EQ(pressed.pixel(1, 1), kFace.rgb());
    EXPECT_EQ(PixelsOf(pressed, d.Role(QPalette::ButtonText), pressed.rect()), caption);
    d.button.setDown(false);

    // Focused in a dialog it is the default button: the dark rectangle and the dotted one inside.
    d.button.setFocus();
    ASSERT_TRUE(d.button.isDefault());
    const QImage focused = d.Shot();
    EXPECT_EQ(focused.pixel(0, 0), d.Role(QPalette::Shadow));
    EXPECT_EQ(focused.pixel(1, 1), d.Role(QPalette::Light));
    EXPECT_EQ(focused.pixel(4, 4), d.Role(QPalette::ButtonText));
    EXPECT_EQ(focused.pixel(5, 4), kFace.rgb());
    EXPECT_EQ(focused.pixel(6, 4), d.Role(QPalette::ButtonText));

    d.button.SetColor(QColor(200, 220, 240));
    EXPECT_EQ(d.Shot().pixel(10, 6), qRgb(200, 220, 240));
}

TEST(ZYButton, DisabledCaptionIsEmbossedOnAnInactiveFrame)
{
    Dialog d;
    const QImage enabled = d.Shot();
    d.button.setEnabled(false);
    const QImage disabled = d.Shot();
    EXPECT_EQ(disabled.pixel(59, 24), d.Role(QPalette::Shadow, QPalette::Disabled));

    const auto glyph = PixelsOf(enabled, d.Role(QPalette::ButtonText), enabled.rect());
    ASSERT_FALSE(glyph.empty());
    EXPECT_EQ(PixelsOf(disabled, d.Role(QPalette::Dark), {4, 4, 52, 17}), glyph);
    int highlights = 0;
    for (const auto& [x, y] : glyph) {
        if (!glyph.count({x + 1, y + 1})) {
            EXPECT_EQ(disabled.pixel(x + 1, y + 1), d.Role(QPalette::Light));
            ++highlights;
        }
    }
    EXPECT_GT(highlights, 0);
}

TEST(ZYButton, ScreenReadersReadTheCaption)
{
    Dialog d;
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(&d.button);
    ASSERT_NE(access, nullptr);
    EXPECT_EQ(access->text(QAccessible::Name), QStringLiteral("取消"));
    EXPECT_EQ(access->role(), QAccessible::Button);
}
