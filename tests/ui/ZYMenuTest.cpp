// The owner-drawn menu: item sizes, the side picture, the highlight gradient, separators,
// disabled and accelerator captions, and a hooked menu that still works by keyboard and mouse.
#include "ui/skin/ZYMenu.h"

#include "support/Pixels.h"
#include "ui/skin/AcceleratorText.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>

namespace {

const QColor kBar(223, 223, 223);
const QColor kHighlight(105, 207, 245);
const QColor kDisabled(128, 128, 128);

// A side picture whose every row has its own colour: row r is RGB(r, 100, 50).
QImage RowPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB888);
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x)
            picture.setPixelColor(x, row, QColor(row, 100, 50));
    return picture;
}

// The command menu's own values.
void UseMainWindowValues(TZYMenu& menu)
{
    menu.SetMenuBarHeightExt(10);
    menu.SetMenuBarWidthExt(10);
    menu.SetMenuTextIndent(5);
    menu.SetMenuBarColor(kBar);
    menu.SetMenuBarColorHL(kHighlight);
    menu.SetMenuTextFont({CrispDesignFont(), Qt::black});
    menu.SetMenuTextFontHL({CrispDesignFont(), Qt::red});
    menu.SetMenuTextDisabledColor(kDisabled);
    menu.SetGradualCount(20);
    menu.SetLPicture(RowPicture(20, 138));
}

// The command menu's eight items.
void AddCommandItems(QMenu& menu)
{
    for (const char* caption : {"查字典", "单词听写", "字典维护", "-", "设置", "-", "关于...", "退出系统"}) {
        if (QByteArray(caption) == "-")
            menu.addSeparator();
        else
            menu.addAction(QString::fromUtf8(caption));
    }
}

QImage PaintItem(const TZYMenu& menu, const TZYMenuItem& item, QSize size)
{
    QImage image = Canvas(size);
    QPainter painter(&image);
    menu.DrawMenuItem(painter, item);
    return image;
}

QImage Shown(QMenu& menu)
{
    menu.popup(QPoint(0, 0));
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&menu));
    return menu.grab().toImage();
}

} // namespace

TEST(ZYMenu, CommandMenuItemsSpanThePictureExactly)
{
    TZYMenu component;
    UseMainWindowValues(component);
    QMenu menu;
    AddCommandItems(menu);
    component.HookMenu(&menu);
    const QList<QAction*> items = menu.actions();

    int itemsHeight = 0;
    for (QAction* item : items) {
        const QRect geometry = menu.actionGeometry(item);
        EXPECT_EQ(geometry.height(), item->isSeparator() ? 3 : 22) << item->text().toStdString();
        itemsHeight += geometry.height();
    }
    EXPECT_EQ(itemsHeight, 138);
    const int frame = menu.actionGeometry(items.first()).top();
    EXPECT_EQ(menu.sizeHint().height(), 138 + 2 * frame);
    const QFontMetrics metrics(CrispDesignFont());
    EXPECT_EQ(menu.actionGeometry(items.first()).width(),
              20 + metrics.horizontalAdvance("单词听写") + 10 + 5);

    // The '&' is measured although it is never drawn; a separator's height ignores the extension.
    const QSize withAmp = component.MeasureMenuItem(QStringLiteral("关&于"), false, {});
    EXPECT_EQ(withAmp, QSize(20 + metrics.horizontalAdvance("关&于") + 15, 22));
    EXPECT_GT(withAmp.width(), component.MeasureMenuItem(QStringLiteral("关于"), false, {}).width());
    component.SetMenuBarHeightExt(40);
    EXPECT_EQ(component.MeasureMenuItem(QString(), true, {77, 2}), QSize(77, 3));
}

TEST(ZYMenu, HighlightRampsTheSmallestChannelInGradualCountPlusOneBands)
{
    TZYMenu menu;
    menu.SetMenuBarColorHL(kHighlight);
    menu.SetGradualCount(20);
    // Wide enough for all 20 bands to show: step 26, the last visible band starts at 494.
    const QRect bar(0, 0, 500, 4);
    QImage image = Canvas(bar.size());
    {
        QPainter painter(&image);
        menu.DrawHighlightBar(painter, bar);
    }
    std::set<int> reds;
    for (int x = 0; x < bar.width(); ++x) {
        const QColor pixel = image.pixelColor(x, 2);
        EXPECT_EQ(pixel, QColor((x / 26) * 256 / 20, 207, 245)) << "x " << x;
        reds.insert(pixel.red());
    }
    EXPECT_EQ(reds.size(), 20u);
    EXPECT_EQ(*reds.begin(), 0);
    EXPECT_EQ(*reds.rbegin(), 243);

    // One band covers the whole item at ramp 0; 0 bands are taken as one.
    menu.SetGradualCount(0);
    EXPECT_EQ(menu.GradualCount(), 1);
    image = Canvas(bar.size());
    {
        QPainter painter(&image);
        menu.DrawHighlightBar(painter, bar.adjusted(10, 0, 0, 0));
    }
    EXPECT_EQ(Colours(image, {10, 0, 490, 4}), std::set<QRgb>{qRgb(0, 207, 245)});
    EXPECT_EQ(Colours(image, {0, 0, 10, 4}), std::set<QRgb>{qRgb(255, 0, 255)}) << "nothing left of the bar";

    // Ties go to red, then green; blue ramps only when it is the one smallest channel.
    const std::pair<QColor, QColor> ramps[] = {{QColor(50, 50, 50), QColor(0, 50, 50)},
                                               {QColor(90, 40, 40), QColor(90, 0, 40)},
                                               {QColor(90, 80, 40), QColor(90, 80, 0)}};
    for (const auto& [base, first] : ramps) {
        menu.SetMenuBarColorHL(base);
        QPainter painter(&image);
        menu.DrawHighlightBar(painter, bar);
        painter.end();
        EXPECT_EQ(image.pixelColor(0, 0), first) << base.name().toStdString();
    }
}

TEST(ZYMenu, ItemsShowTheirSliceOfThePictureAnchoredToTheMenuBottom)
{
    TZYMenu component;
    UseMainWindowValues(component);
    QMenu menu;
    AddCommandItems(menu);
    component.HookMenu(&menu);
    QImage shown = Shown(menu);
    const int top = menu.actionGeometry(menu.actions().first()).top();
    const int left = menu.actionGeometry(menu.actions().first()).left();
    for (int row = 0; row < 138; ++row)
        ASSERT_EQ(shown.pixelColor(left + 7, top + row), QColor(row, 100, 50)) << "row " << row;
    menu.close();

    // A picture shorter than the menu: its bottom still meets the menu's bottom, and the rows
    // above its top continue its top row.
    component.SetLPicture(RowPicture(20, 100));
    shown = Shown(menu);
    for (int row = 0; row < 138; ++row)
        ASSERT_EQ(shown.pixelColor(left + 7, top + row), QColor(std::max(row - 38, 0), 100, 50))
            << "row " << row;
}

TEST(ZYMenu, SeparatorsAndHighlightsKeepToTheRightOfThePicture)
{
    TZYMenu menu;
    UseMainWindowValues(menu);
    const QSize size(100, 30);

    TZYMenuItem separator;
    separator.separator = true;
    separator.rect = {0, 10, 100, 3};
    separator.menuBottom = 13;
    QImage image = PaintItem(menu, separator, size);
    EXPECT_EQ(Colours(image, {20, 10, 80, 1}), std::set<QRgb>{kBar.rgb()});
    EXPECT_EQ(Colours(image, {20, 11, 80, 1}), std::set<QRgb>{kDisabled.rgb()});
    EXPECT_EQ(Colours(image, {20, 12, 80, 1}), std::set<QRgb>{qRgb(255, 255, 255)});
    EXPECT_EQ(image.pixelColor(5, 12), QColor(137, 100, 50)) << "the picture's bottom row";

    // A selected item without a caption is painted like an unselected one.
    TZYMenuItem empty;
    empty.selected = true;
    empty.rect = {0, 0, 100, 22};
    empty.menuBottom = 22;
    image = PaintItem(menu, empty, size);
    EXPECT_EQ(Colours(image, {20, 0, 80, 22}), std::set<QRgb>{kBar.rgb()});

    // A selected caption: the gradient from the picture's edge, the caption in the highlight colour.
    TZYMenuItem selected = empty;
    selected.caption = QStringLiteral("设置");
    image = PaintItem(menu, selected, size);
    EXPECT_EQ(image.pixelColor(20, 0), QColor(0, 207, 245));
    EXPECT_TRUE(Colours(image, {25, 5, 24, 12}).count(qRgb(255, 0, 0)));
}

TEST(ZYMenu, DisabledCaptionsAreEmbossedUnlessUnderThePointer)
{
    TZYMenu menu;
    UseMainWindowValues(menu);
    TZYMenuItem item;
    item.caption = QStringLiteral("设置");
    item.rect = {0, 0, 100, 22};
    item.menuBottom = 22;
    const QImage enabled = PaintItem(menu, item, item.rect.size());
    item.enabled = false;
    const QImage disabled = PaintItem(menu, item, item.rect.size());

    // The caption's pixels in the disabled colour; each pixel that a white copy one or two pixels
    // down-right would cover and the caption does not is white.
    int whites = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 20; x < 98; ++x) {
            const bool glyph = enabled.pixel(x, y) == qRgb(0, 0, 0);
            EXPECT_EQ(disabled.pixel(x, y) == kDisabled.rgb(), glyph) << x << "," << y;
            for (int offset : {1, 2}) {
                if (glyph && enabled.pixel(x + offset, y + offset) != qRgb(0, 0, 0)) {
                    EXPECT_EQ(disabled.pixel(x + offset, y + offset), qRgb(255, 255, 255));
                    ++whites;
                }
            }
        }
    }
    EXPECT_GT(whites, 0);

    // Under the pointer: the disabled caption alone on the gradient.
    item.selected = true;
    const QImage selected = PaintItem(menu, item, item.rect.size());
    EXPECT_FALSE(Colours(selected, {20, 0, 80, 22}).count(qRgb(255, 255, 255)));
    EXPECT_TRUE(Colours(selected, {20, 0, 80, 22}).count(kDisabled.rgb()));
}

TEST(ZYMenu, AcceleratorLetterIsUnderlinedBetweenAbuttingPieces)
{
    const auto split = [](const char* caption) {
        const AcceleratorText text = SplitAccelerator(QString::fromUtf8(caption));
        return std::vector<QString>{text.before, text.key, text.after};
    };
    EXPECT_EQ(split("关于..."), (std::vector<QString>{"关于...", "", ""}));
    EXPECT_EQ(split("查&字典"), (std::vector<QString>{"查", "字", "典"}));
    EXPECT_EQ(split("&Exit"), (std::vector<QString>{"", "E", "xit"}));
    EXPECT_EQ(split("退出&"), (std::vector<QString>{"退出", "", ""})) << "a trailing '&' is dropped";
    EXPECT_EQ(split("A&&B"), (std::vector<QString>{"A", "&", "B"}));
    EXPECT_EQ(split("a&b&c"), (std::vector<QString>{"a", "b", "&c"}));

    // The pieces sit where the whole caption would: only the underline differs, under the key.
    const auto draw = [](const QString& caption, bool asAccelerator) {
        QImage image = Canvas({80, 16});
        QPainter painter(&image);
        painter.setFont(CrispDesignFont());
        painter.setPen(Qt::black);
        if (asAccelerator)
            DrawAcceleratorText(painter, 3, 2, caption);
        else
            painter.drawText(3, 2 + QFontMetrics(CrispDesignFont()).ascent(), caption);
        return image;
    };
    const QImage pieces = draw(QStringLiteral("查&字典"), true);
    const QImage whole = draw(QStringLiteral("查字典"), false);
    const QFontMetrics metrics(CrispDesignFont());
    const int keyLeft = 3 + metrics.horizontalAdvance("查");
    const int keyRight = keyLeft + metrics.horizontalAdvance("字");
    int underlined = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 80; ++x) {
            if (pieces.pixel(x, y) == whole.pixel(x, y))
                continue;
            ++underlined;
            EXPECT_TRUE(x >= keyLeft && x < keyRight && y > 2 + metrics.ascent() - 2) << x << "," << y;
        }
    }
    EXPECT_GT(underlined, 0);
}

TEST(ZYMenu, HookedMenuStillWorksByKeyboardAndMouse)
{
    TZYMenu component;
    UseMainWindowValues(component);
    QMenu menu;
    AddCommandItems(menu);
    component.SetZYPopupMenu(&menu);
    component.Loaded();
    const QList<QAction*> items = menu.actions();
    items[4]->setEnabled(false); // "设置"
    QSignalSpy triggered(&menu, &QMenu::triggered);

    Shown(menu);
    QTest::keyClick(&menu, Qt::Key_Down);
    QTest::keyClick(&menu, Qt::Key_Down);
    EXPECT_EQ(menu.activeAction(), items[1]);
    QTest::keyClick(&menu, Qt::Key_Return);
    ASSERT_EQ(triggered.count(), 1);
    EXPECT_EQ(triggered.takeFirst().at(0).value<QAction*>(), items[1]);
    EXPECT_FALSE(menu.isVisible());

    // Separators are stepped over; a disabled item may be under the cursor but does nothing.
    Shown(menu);
    menu.setActiveAction(items[2]);
    QTest::keyClick(&menu, Qt::Key_Down);
    EXPECT_EQ(menu.activeAction(), items[4]);
    QTest::keyClick(&menu, Qt::Key_Return);
    EXPECT_EQ(triggered.count(), 0);
    QTest::keyClick(&menu, Qt::Key_Escape);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(triggered.count(), 0);

    Shown(menu);
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(items[7]).center());
    ASSERT_EQ(triggered.count(), 1);
    EXPECT_EQ(triggered.takeFirst().at(0).value<QAction*>(), items[7]);
}

TEST(ZYMenu, MainMenuKeepsItsBarAndPaintsItsDropDowns)
{
    QWidget form;
    QFont formFont = CrispDesignFont();
    formFont.setPixelSize(14);
    form.setFont(formFont);
    QPalette palette = form.palette();
    palette.setColor(QPalette::WindowText, QColor(10, 20, 30));
    form.setPalette(palette);
    TZYMenu component(&form);
    EXPECT_EQ(component.MenuTextFont().font, formFont);
    EXPECT_EQ(component.MenuTextFont().color, QColor(10, 20, 30));
    EXPECT_EQ(component.MenuTextFontHL().font, formFont);
    EXPECT_EQ(component.MenuTextFontHL().color, QColor(255, 0, 0));

    QMenuBar bar(&form);
    QMenu* file = bar.addMenu(QStringLiteral("文件"));
    QMenu* recent = file->addMenu(QStringLiteral("最近"));
    component.SetZYMainMenu(&bar);
    component.Loaded();
    EXPECT_NE(bar.style(), file->style());
    EXPECT_EQ(file->style(), recent->style());
    EXPECT_EQ(file->actionGeometry(file->actions().first()).height(), QFontMetrics(formFont).height() + 6);
}
