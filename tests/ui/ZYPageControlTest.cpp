// The page control's own tabs: which page a visible tab shows, the centred caption on the window's
// colour, the raised selected tab, and the keys that change pages.
#include "ui/skin/ZYPageControl.h"

#include "support/Pixels.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QTabBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

const QColor kWindow(223, 223, 223);

struct Pages {
    explicit Pages(const QStringList& captions)
    {
        QPalette colours = form.palette();
        colours.setColor(QPalette::Window, kWindow);
        form.setPalette(colours);
        form.setFont(CrispDesignFont());
        form.resize(325, 180);
        control.setGeometry(6, 32, 304, 143);
        for (const QString& caption : captions)
            control.addTab(new QLineEdit, caption);
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    QImage Shot() { return control.grab().toImage(); }

    QWidget form;
    TZYPageControl control{&form};
};

// The caption alone, centred on a rectangle of the window's colour, as DrawTab must leave it.
QImage Expected(QSize canvas, const QRect& rect, const QString& caption)
{
    QImage image = Canvas(canvas);
    QPainter painter(&image);
    painter.fillRect(rect, kWindow);
    const QFontMetrics metrics(CrispDesignFont());
    const int x = (2 * rect.left() + rect.width() - metrics.horizontalAdvance(caption)) / 2;
    const int y = (2 * rect.top() + rect.height() - metrics.height()) / 2;
    painter.fillRect(QRect(x, y, metrics.horizontalAdvance(caption), metrics.height()), kWindow);
    painter.setFont(CrispDesignFont());
    painter.setPen(Qt::black);
    painter.drawText(x, y + metrics.ascent(), caption);
    return image;
}

QImage Drawn(const TZYPageControl& control, QSize canvas, int tabIndex, const QRect& rect)
{
    QImage image = Canvas(canvas);
    QPainter painter(&image);
    control.DrawTab(painter, tabIndex, rect);
    return image;
}

} // namespace

TEST(ZYPageControl, VisibleTabsMapToTheirPagesAndCentreTheirCaptions)
{
    Pages pages({"检索", "听写", "维护维护", "设置设置设置"});
    TZYPageControl& control = pages.control;
    control.setTabVisible(2, false);
    EXPECT_EQ(control.PageOfTab(0), 0);
    EXPECT_EQ(control.PageOfTab(1), 1);
    EXPECT_EQ(control.PageOfTab(2), 3);
    EXPECT_EQ(control.PageOfTab(3), 0) << "round again past the last";

    // The third visible tab carries the fourth page's caption, centred.
    const QRect tab(10, 4, 90, 20);
    EXPECT_EQ(Drawn(control, {120, 30}, 2, tab), Expected({120, 30}, tab, "设置设置设置"));
    // Wider than its tab: centred on the tab's centre, its box covering the edges.
    const QRect narrow(40, 4, 30, 20);
    const QImage overlapping = Drawn(control, {120, 30}, 2, narrow);
    EXPECT_EQ(overlapping, Expected({120, 30}, narrow, "设置设置设置"));
    EXPECT_EQ(overlapping.pixel(30, 10), kWindow.rgb());

    for (int page : {0, 1, 3})
        control.setTabVisible(page, false);
    EXPECT_EQ(control.PageOfTab(0), -1);
}

TEST(ZYPageControl, TabsAreWindowColouredAndTheSelectedOneIsRaised)
{
    Pages pages({"检索", "听写", "维护", "设置"});
    TZYPageControl& control = pages.control;
    control.setTabVisible(3, false);
    control.setCurrentIndex(1);
    // The bar lies at the control's top left, over the pane's top edge.
    const QImage bar = pages.Shot();
    const QRgb light = control.palette().color(QPalette::Light).rgb();
    const int bottom = control.tabBar()->height() - 1;

    for (int page = 0; page < 3; ++page) {
        const QRect tab = control.tabBar()->tabRect(page);
        const bool selected = page == 1;
        const int top = selected ? 0 : 2;
        EXPECT_EQ(bar.pixel(tab.center().x(), top), light) << "top edge of tab " << page;
        EXPECT_EQ(bar.pixel(tab.left(), tab.center().y()), light) << "left edge of tab " << page;
        // The inside: the window's colour and the black caption, nothing else.
        const QRect inside(QPoint(tab.left() + 1, top + 2), QPoint(tab.right() - 2, bottom - 2));
        EXPECT_EQ(Colours(bar, inside), (std::set<QRgb>{kWindow.rgb(), qRgb(0, 0, 0)})) << "tab " << page;
        // Only the selected tab reaches down over the pane's edge.
        EXPECT_EQ(bar.pixel(tab.center().x(), bottom) == kWindow.rgb(), selected) << "tab " << page;
    }
    EXPECT_TRUE(control.tabBar()->tabRect(3).isEmpty() || !control.isTabVisible(3));
}

TEST(ZYPageControl, KeysChangePagesOverHiddenTabs)
{
    Pages pages({"检索", "听写", "维护", "设置"});
    TZYPageControl& control = pages.control;
    control.setTabVisible(2, false);
    control.setCurrentIndex(1);

    QTest::keyClick(control.currentWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(control.currentIndex(), 3);
    QTest::keyClick(control.currentWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(control.currentIndex(), 0);
    QTest::keyClick(control.currentWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(control.currentIndex(), 3);
    QTest::keyClick(control.currentWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(control.currentIndex(), 1);
    control.tabBar()->setEnabled(false);
    QTest::keyClick(control.currentWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(control.currentIndex(), 1) << "a disabled tab bar holds the page";
    control.tabBar()->setEnabled(true);

    control.tabBar()->setFocus();
    QTest::keyClick(control.tabBar(), Qt::Key_Right);
    EXPECT_EQ(control.currentIndex(), 3);
    QTest::keyClick(control.tabBar(), Qt::Key_Right);
    EXPECT_EQ(control.currentIndex(), 3) << "no wrapping on the bar";
    QTest::keyClick(control.tabBar(), Qt::Key_Left);
    EXPECT_EQ(control.currentIndex(), 1);

    // The wheel too; a fine-grained wheel steps once its turns make a whole notch.
    const auto turn = [&control](int delta) {
        const QPointF at(5, 5);
        QWheelEvent event(at, control.tabBar()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(control.tabBar(), &event);
    };
    turn(-120);
    EXPECT_EQ(control.currentIndex(), 3);
    turn(60);
    EXPECT_EQ(control.currentIndex(), 3);
    turn(60);
    EXPECT_EQ(control.currentIndex(), 1);
}
