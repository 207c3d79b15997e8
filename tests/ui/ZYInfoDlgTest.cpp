// The message box: button sets, codes, focus, layout and the modal call.
#include "ui/skin/ZYInfoDlg.h"

#include "ui/skin/ZYForm.h"
#include "ui/skin/ZYInfoDlgForm.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

struct Shown {
    QString caption;
    int code;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& shown, std::ostream* out)
{
    *out << '"' << shown.caption.toStdString() << "\"->" << shown.code;
}

// The visible buttons, left to right.
std::vector<Shown> ShownButtons(const TZYInfoDlgForm& form)
{
    std::vector<Shown> shown;
    for (int number = 4; number >= 1; --number) {
        const QPushButton* button = form.Button(number);
        if (!button->isHidden())
            shown.push_back({button->text(), TZYInfoDlgForm::ButtonTag(button)});
    }
    return shown;
}

// A font whose 12-pixel lines are 12 pixels high, like the dialog's design font.
QFont DesignMetricsFont()
{
    QFont font(QStringLiteral("WenQuanYi Zen Hei Sharp"));
    font.setPixelSize(12);
    return font;
}

struct Laid {
    explicit Laid(const QString& text, int flags, const QString& caption = QStringLiteral("提示信息"))
    {
        form.setFont(DesignMetricsFont());
        form.InitMessageBox(text, caption, flags);
    }
    TZYInfoDlgForm form;
};

QPushButton* Focused(const TZYInfoDlgForm& form)
{
    return qobject_cast<QPushButton*>(form.focusWidget());
}

} // namespace

TEST(ZYInfoDlgForm, StandardSetsShowTheirButtonsAndTheGlyphAnswersForTheRightmost)
{
    const std::vector<std::vector<Shown>> sets{
        {{"确定", 1}},
        {{"确定", 1}, {"取消", 2}},
        {{"终止", 3}, {"重试", 4}, {"忽略", 5}},
        {{"是", 6}, {"否", 7}, {"取消", 2}},
        {{"是", 6}, {"否", 7}},
        {{"重试", 4}, {"取消", 2}},
    };
    for (int set = 0; set < 6; ++set) {
        Laid laid(QStringLiteral("text"), set);
        EXPECT_EQ(ShownButtons(laid.form), sets[static_cast<std::size_t>(set)]) << "set " << set;
        EXPECT_EQ(laid.form.Result(), 2);
        laid.form.SpeedButton1->click();
        EXPECT_EQ(laid.form.Result(), sets[static_cast<std::size_t>(set)].back().code) << "set " << set;
    }
}

TEST(ZYInfoDlgForm, CustomSetsShowTheDesignCaptionsWithPlaceCodes)
{
    for (int set = 6; set < 16; ++set) {
        Laid laid(QStringLiteral("text"), set);
        const std::vector<Shown> expected{{"ZYButton4", 3}, {"yes", 2}, {"no", 1}, {"cancel", 0}};
        EXPECT_EQ(ShownButtons(laid.form), expected) << "set " << set;
        EXPECT_EQ(laid.form.width(), 300) << "four buttons need the wider dialog";
        EXPECT_EQ(laid.form.ZYButton4->x(), 300 - 21 - 4 * 60 - 3 * 5);
        laid.form.SpeedButton1->click();
        EXPECT_EQ(laid.form.Result(), 0);
    }
}

TEST(ZYInfoDlgForm, ButtonsSitAtTheBottomRightNumberedFromTheRight)
{
    Laid laid(QStringLiteral("词库中没有这个单词，是否追加?"), 36);
    const TZYInfoDlgForm& form = laid.form;
    const int w = form.width();
    EXPECT_EQ(form.ZYButton1->text(), "否");
    EXPECT_EQ(form.ZYButton1->geometry(), QRect(w - 81, form.height() - 66, 60, 25));
    EXPECT_EQ(form.ZYButton2->text(), "是");
    EXPECT_EQ(form.ZYButton2->geometry(), QRect(w - 146, form.height() - 66, 60, 25));
    EXPECT_TRUE(form.ZYButton3->isHidden());
    EXPECT_TRUE(form.ZYButton4->isHidden());
    EXPECT_EQ(form.SpeedButton1->geometry(), QRect(w - 22, 5, 15, 17));
    EXPECT_EQ(Focused(form), form.ZYButton1);

    Laid threeWay(QStringLiteral("text"), 515);
    const std::vector<Shown> expected{{"是", 6}, {"否", 7}, {"取消", 2}};
    EXPECT_EQ(ShownButtons(threeWay.form), expected);
    EXPECT_EQ(Focused(threeWay.form), threeWay.form.ZYButton3);
}

TEST(ZYInfoDlgForm, DefaultButtonBitsChooseTheFirstFocus)
{
    // Three buttons (set 3): values 0-2 name them; 3 names the hidden fourth, whose place in
    // the order then hands the focus to the leftmost visible one, like every value above 3.
    const int expected[16] = {1, 2, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3};
    for (int value = 0; value < 16; ++value) {
        Laid laid(QStringLiteral("text"), 3 | (value << 8));
        EXPECT_EQ(Focused(laid.form), laid.form.Button(expected[value])) << "value " << value;
    }
    Laid yesNo(QStringLiteral("text"), 4 | (2 << 8));
    EXPECT_EQ(Focused(yesNo.form), yesNo.form.ZYButton2);
    Laid okOnly(QStringLiteral("text"), 0 | (1 << 8));
    EXPECT_EQ(Focused(okOnly.form), okOnly.form.ZYButton1);
}

TEST(ZYInfoDlgForm, OneLineTextKeepsTheMinimumHeightAndMeetsTheIconArea)
{
    for (const QString& text : {QStringLiteral("Short"), QString(40, QChar(0x8BCD))}) {
        Laid laid(text, 16, QStringLiteral("标题"));
        const TZYInfoDlgForm& form = laid.form;
        const QRect label = form.Label_Text->geometry();
        ASSERT_EQ(label.height(), 12);
        EXPECT_EQ(form.height(), 120);
        EXPECT_EQ(form.ZYButton1->y(), 54);
        EXPECT_EQ(form.Image1->geometry(), QRect(4, 30, 69, 20));
        EXPECT_EQ(form.width(), std::max(label.width() + 89, 230));
        EXPECT_EQ(label.x(), std::max(69, (form.width() - label.width()) / 2));
        EXPECT_EQ(label.y(), 36);
        EXPECT_EQ(form.Label_Title->x(), (form.width() - form.Label_Title->width()) / 2);
        EXPECT_EQ(form.Label_Title->y(), 9);
    }
}

TEST(ZYInfoDlgForm, MultiLineTextGrowsTheDialog)
{
    Laid laid(QStringLiteral("第一行\r\n第二行\r\nthe third line"), 16);
    const TZYInfoDlgForm& form = laid.form;
    EXPECT_FALSE(form.Label_Text->text().contains('\r'));
    const int textHeight = form.Label_Text->height();
    ASSERT_EQ(textHeight, 36);
    EXPECT_EQ(form.height(), textHeight + 100);
    EXPECT_EQ(form.ZYButton1->y(), form.height() - 66);
    EXPECT_EQ(form.Image1->height(), textHeight);
    EXPECT_EQ(form.Label_Text->y(), 32);

    Laid noIcon(QStringLiteral("a longer line of text without any icon\r\nx"), 0);
    const QRect label = noIcon.form.Label_Text->geometry();
    EXPECT_EQ(noIcon.form.Image1->width(), 0);
    EXPECT_EQ(noIcon.form.width(), std::max(label.width() + 20, 230));
    EXPECT_EQ(label.x(), (noIcon.form.width() - label.width()) / 2);
}

TEST(ZYInfoDlgForm, TextThatLooksLikeMarkupIsShownAsItIs)
{
    const QString text = QStringLiteral("<b>bold</b>");
    Laid laid(text, 0);
    EXPECT_GE(laid.form.Label_Text->width(), QFontMetrics(DesignMetricsFont()).horizontalAdvance(text));
}

TEST(ZYInfoDlgForm, DraggingTheTitleWithAnyButtonOrTheTopBandMovesTheDialog)
{
    Laid laid(QStringLiteral("text"), 0);
    TZYInfoDlgForm& form = laid.form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QPoint start = form.pos();

    // Any button drags by the title, each 20 pixels right and 10 down.
    QPoint expected = start;
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        QTest::mousePress(form.Label_Title, button, {}, QPoint(2, 2));
        QTest::mouseMove(form.Label_Title, QPoint(22, 12));
        QTest::mouseRelease(form.Label_Title, button, {}, QPoint(22, 12));
        expected += QPoint(20, 10);
        EXPECT_EQ(form.pos(), expected) << "button " << button;
    }

    QTest::mousePress(form.ZYForm1, Qt::LeftButton, {}, QPoint(10, 20));
    QTest::mouseMove(&form, QPoint(5, 20));
    QTest::mouseRelease(&form, Qt::LeftButton, {}, QPoint(5, 20));
    expected += QPoint(-5, 0);
    EXPECT_EQ(form.pos(), expected);

    QTest::mousePress(form.ZYForm1, Qt::LeftButton, {}, QPoint(10, 40));
    QTest::mouseMove(&form, QPoint(50, 60));
    QTest::mouseRelease(&form, Qt::LeftButton, {}, QPoint(50, 60));
    EXPECT_EQ(form.pos(), expected) << "below the band the dialog stays";
}

namespace {

class ZYInfoDlgCall : public ::testing::Test {
protected:
    void TearDown() override { TZYInfoDlg::SetAnswerer(nullptr); }

    // Runs `script` against the dialog once its modal loop is running.
    static void WhenOpen(std::function<void(TZYInfoDlgForm&)> script)
    {
        QTimer::singleShot(0, [script = std::move(script)] {
            auto* form = qobject_cast<TZYInfoDlgForm*>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            script(*form);
        });
    }

    static void Press(TZYInfoDlgForm& form, Qt::Key key) { QTest::keyClick(form.focusWidget(), key); }

    QWidget owner;
    TZYInfoDlg dlg{&owner};
};

} // namespace

TEST_F(ZYInfoDlgCall, AboutBoxCaptionsGiveTwoCustomButtonsOnce)
{
    std::vector<Shown> shown;
    int iconWidth = -1;
    QWidget* parent = nullptr;
    TZYInfoDlg::SetAnswerer([&](TZYInfoDlgForm& form) {
        shown = ShownButtons(form);
        iconWidth = form.Image1->width();
        parent = form.parentWidget();
        for (int number = 4; number >= 1; --number) {
            if (!form.Button(number)->isHidden()) {
                form.Button(number)->click();
                break;
            }
        }
        return form.Result();
    });
    dlg.SetButtonCaptions("", "", "访问网站", "确定");
    EXPECT_EQ(dlg.MessageBox("RIdavave", "关于", 0), 1);
    const std::vector<Shown> about{{"访问网站", 1}, {"确定", 0}};
    EXPECT_EQ(shown, about);
    EXPECT_EQ(iconWidth, 0);
    EXPECT_EQ(parent, &owner);

    EXPECT_EQ(dlg.MessageBox("text", "caption", 0), 1);
    const std::vector<Shown> plain{{"确定", 1}};
    EXPECT_EQ(shown, plain) << "pending captions serve one call only";
    EXPECT_TRUE(owner.findChildren<TZYInfoDlgForm*>().isEmpty());
}

TEST_F(ZYInfoDlgCall, PendingCaptionsKeepTheIconAndFocusBits)
{
    std::vector<Shown> shown;
    int iconWidth = -1;
    QString focused;
    TZYInfoDlg::SetAnswerer([&](TZYInfoDlgForm& form) {
        shown = ShownButtons(form);
        iconWidth = form.Image1->width();
        focused = Focused(form)->text();
        return 0;
    });
    dlg.SetButtonCaptions("A", "B", "C", "D");
    dlg.MessageBox("text", "caption", 1 | (2 << 4) | (2 << 8));
    const std::vector<Shown> expected{{"A", 3}, {"B", 2}, {"C", 1}, {"D", 0}};
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(iconWidth, 69);
    EXPECT_EQ(focused, "B");
}

TEST_F(ZYInfoDlgCall, DialogIsDestroyedWhenAnErrorEscapes)
{
    TZYInfoDlg::SetAnswerer([](TZYInfoDlgForm&) -> int { throw std::runtime_error("boom"); });
    EXPECT_THROW(dlg.MessageBox("text", "caption", 0), std::runtime_error);
    EXPECT_TRUE(owner.findChildren<TZYInfoDlgForm*>().isEmpty());
}

TEST_F(ZYInfoDlgCall, EnterAndSpacePressTheFocusedButton)
{
    WhenOpen([](TZYInfoDlgForm& form) {
        EXPECT_EQ(form.focusWidget(), form.ZYButton1);
        Press(form, Qt::Key_Return);
    });
    EXPECT_EQ(dlg.MessageBox("词库中没有这个单词，是否追加?", "提示", 36), 7);

    WhenOpen([](TZYInfoDlgForm& form) { Press(form, Qt::Key_Space); });
    EXPECT_EQ(dlg.MessageBox("text", "caption", 515), 6);
    EXPECT_TRUE(owner.findChildren<TZYInfoDlgForm*>().isEmpty());
}

TEST_F(ZYInfoDlgCall, TabVisitsTheVisibleButtonsInOrder)
{
    // The default button goes first; the others keep their left-to-right order behind it.
    const auto visits = [](TZYInfoDlgForm& form) {
        std::vector<QWidget*> visited{form.focusWidget()};
        for (int i = 0; i < 4; ++i) {
            Press(form, Qt::Key_Tab);
            visited.push_back(form.focusWidget());
        }
        return visited;
    };
    WhenOpen([&](TZYInfoDlgForm& form) {
        const std::vector<QWidget*> expected{form.ZYButton3, form.ZYButton2, form.ZYButton1, form.ZYButton3,
                                             form.ZYButton2};
        EXPECT_EQ(visits(form), expected);
        Press(form, Qt::Key_Enter);
    });
    EXPECT_EQ(dlg.MessageBox("text", "caption", 515), 7);

    WhenOpen([&](TZYInfoDlgForm& form) {
        const std::vector<QWidget*> expected{form.ZYButton1, form.ZYButton4, form.ZYButton3, form.ZYButton2,
                                             form.ZYButton1};
        EXPECT_EQ(visits(form), expected);
        Press(form, Qt::Key_Tab);
        Press(form, Qt::Key_Return);
    });
    EXPECT_EQ(dlg.MessageBox("text", "caption", 6), 3);
}

TEST_F(ZYInfoDlgCall, EscapeDoesNothingAndOtherClosesGiveCancel)
{
    WhenOpen([](TZYInfoDlgForm& form) {
        Press(form, Qt::Key_Escape);
        QApplication::processEvents();
        EXPECT_TRUE(form.isVisible());
        form.ZYButton2->click();
    });
    EXPECT_EQ(dlg.MessageBox("text", "caption", 4), 6);

    WhenOpen([](TZYInfoDlgForm& form) { form.close(); });
    EXPECT_EQ(dlg.MessageBox("text", "caption", 4), 2);

    WhenOpen([](TZYInfoDlgForm& form) { form.SpeedButton1->click(); });
    EXPECT_EQ(dlg.MessageBox("text", "caption", 4), 7);
}
