// The main window's own page tabs, command menu and title: the keys that change pages as the user's
// own choice, the menu painted in the window's colours with its side picture, a title that leaves
// the caption buttons alone, explanations whose lines stand apart, and a name for every control
// that a screen reader reads.
#include "FormMainFixture.h"
#include "support/Gbk.h"
#include "ui/skin/SkinResources.h"
#include "ui/skin/ZYForm.h"
#include "ui/skin/ZYPageControl.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QTest>

#include <algorithm>

namespace {

using FormMainLookTest = FormMainFixture;

struct InkRows {
    int runs = 0;        // rows with ink, counted as runs of neighbouring rows
    int leftmost = 9999; // the first column with ink
};

InkRows InkIn(const QImage& image)
{
    InkRows ink;
    bool inRun = false;
    for (int y = 0; y < image.height(); ++y) {
        bool row = false;
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                row = true;
                ink.leftmost = std::min(ink.leftmost, x);
            }
        ink.runs += row && !inRun;
        inRun = row;
    }
    return ink;
}

TEST_F(FormMainLookTest, CtrlTabAndTheFocusedTabBarChangePagesOverTheHiddenSettingsTab)
{
    AddWords({{"cat", G("猫")}, {"dog", G("狗")}});
    Show();
    auto& pages = Widget<TZYPageControl>("PageControl1");
    ASSERT_FALSE(pages.isTabVisible(PageSetting));
    form->pages.state.DictationWord = "dog";
    const auto press = [this](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        ASSERT_NE(form->focusWidget(), nullptr);
        QTest::keyClick(form->focusWidget(), key, modifiers);
    };

    Widget<QLineEdit>("Edit_Input").setFocus();
    press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(pages.currentIndex(), PageDictation);
    EXPECT_EQ(Widget<QLabel>("Label_Interpret").text(), QStringLiteral("狗")) << "the page was entered";
    press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(pages.currentIndex(), PageMaintain);
    press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(pages.currentIndex(), PageQuery);
    press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(pages.currentIndex(), PageMaintain);

    // Tab reaches the tab bar, whose arrow keys choose the page.
    EXPECT_TRUE(pages.tabBar()->focusPolicy() & Qt::TabFocus);
    pages.tabBar()->setFocus();
    press(Qt::Key_Left, Qt::NoModifier);
    EXPECT_EQ(pages.currentIndex(), PageDictation);

    // While an export or import shows its progress, no key changes the page.
    form->View().ShowProgress(true);
    Widget<QLineEdit>("Edit_Dictation").setFocus();
    press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(pages.currentIndex(), PageDictation);
    form->View().ShowProgress(false);
}

TEST_F(FormMainLookTest, ALongTitleIsCutBeforeTheCaptionButtons)
{
    Show();
    const QRect buttons(Widget<QWidget>("SpeedButton_Min").x(), 0, form->width(), TZYForm::kCaptionBand);
    const QImage before = form->grab(buttons).toImage();
    const QRect band(0, 0, buttons.x(), TZYForm::kCaptionBand);
    const QImage bandBefore = form->grab(band).toImage();

    form->View().SetText(Control::fcTitleLabel1, std::string(10000, 'W'));
    EXPECT_EQ(form->grab(buttons).toImage(), before);
    EXPECT_NE(form->grab(band).toImage(), bandBefore);
    form->resize(form->width() + 1, form->height()); // the title moves to the left edge
    EXPECT_EQ(Widget<QWidget>("fcTitleLabel1").x(), 0);
    EXPECT_EQ(form->grab(buttons.translated(1, 0)).toImage(), before);
}

TEST_F(FormMainLookTest, TheLinesOfAnExplanationStandApartAndClearOfTheLeftEdge)
{
    // Glyphs that fill their whole cell, in the window's own font.
    AddWords({{"apple", G("苹果树\r\n第二行的解释\r\n第三行\r\n第四行")}});
    Show();
    form->View().SetText(Control::Edit_Input, "apple");
    const QImage memo = Widget<QAbstractScrollArea>("Memo_View").viewport()->grab().toImage();
    const InkRows shown = InkIn(memo);
    EXPECT_EQ(shown.runs, 5) << "【apple】 and four lines, each apart from the next";
    EXPECT_GE(shown.leftmost, 3);

    form->pages.state.DictationWord = "apple";
    form->N2Click();
    const InkRows asked = InkIn(Widget<QLabel>("Label_Interpret").grab().toImage());
    EXPECT_EQ(asked.runs, 4);
}

TEST_F(FormMainLookTest, ScreenReadersFindAFrameNamedByItsTitleAndEveryControlNamed)
{
    Show();
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form.get());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("RIdavave"));

    const QAccessible::Role controls[] = {
        QAccessible::PushButton, QAccessible::EditableText, QAccessible::List,   QAccessible::ComboBox,
        QAccessible::CheckBox,   QAccessible::ProgressBar,  QAccessible::Graphic};
    int named = 0;
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(widget);
        if (widget->objectName().isEmpty() || !control ||
            !std::count(std::begin(controls), std::end(controls), control->role()))
            continue;
        EXPECT_FALSE(control->text(QAccessible::Name).isEmpty()) << widget->objectName().toStdString();
        ++named;
    }
    EXPECT_GE(named, 25);
}

TEST_F(FormMainLookTest, TheCommandMenuIsPaintedInTheWindowsColoursOverItsSidePicture)
{
    Show();
    auto& menu = Widget<QMenu>("PopupMenu1");
    form->SpeedButton_MenuClick();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));

    // The original items in their order, 导入词表… and 学习统计 among them, 退出系统 last.
    const QList<QAction*> items = menu.actions();
    QStringList names;
    for (const QAction* item : items)
        names << item->objectName();
    EXPECT_EQ(names, QStringList({"N1", "N2", "N3", "MenuItem_wordlists", "N4", "MenuItem_setting",
                                  "MenuItem_statistics", "N8", "N5", "N6"}));
    int itemsHeight = 0;
    for (QAction* item : items)
        itemsHeight += menu.actionGeometry(item).height();
    EXPECT_EQ(itemsHeight, 182);
    EXPECT_EQ(menu.actionGeometry(items[4]).height(), 3);

    // The 20 x 138 picture ends with the last item, each item showing its own slice; above it, as
    // items are added, its top row goes on.
    const QImage picture(ResourcePath(QStringLiteral("ZYMenu1")));
    ASSERT_EQ(picture.size(), QSize(20, 138));
    menu.setActiveAction(items[1]);
    const QImage shot = menu.grab().toImage();
    const QPoint origin = menu.actionGeometry(items[0]).topLeft();
    int differing = 0;
    for (int y = 0; y < itemsHeight; ++y)
        for (int x = 0; x < 20; ++x)
            differing +=
                shot.pixel(origin + QPoint(x, y)) != picture.pixel(x, std::max(0, y - (itemsHeight - 138)));
    EXPECT_EQ(differing, 0);

    // The flat bar in the window's colour; the item under the pointer starts its gradient at red 0.
    const QRect first = menu.actionGeometry(items[0]);
    EXPECT_EQ(QColor(shot.pixel(first.right() - 1, first.top() + 1)), QColor(223, 223, 223));
    const QRect second = menu.actionGeometry(items[1]);
    EXPECT_EQ(QColor(shot.pixel(second.left() + 20, second.top() + 1)), QColor(0, 207, 245));
    menu.close();
}

} // namespace
