// The spaced review in the real window, offscreen: its switch and limit on the settings page, and
// the statistics window from the command menu, with its plots, its figures and the error book's
// words to take out, or its word for an empty history.
#include "FormMainFixture.h"
#include "app/FormStatistics.h"
#include "support/Gbk.h"
#include "ui/GroupBox.h"
#include "ui/skin/ZYButton.h"
#include "ui/skin/ZYForm.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace {

class SpacedReviewWindowTest : public FormMainFixture {
protected:
    void Answer(const char* text)
    {
        auto& edit = Widget<QLineEdit>("Edit_Dictation");
        edit.clear();
        QTest::keyClicks(&edit, text);
        QTest::keyClick(&edit, Qt::Key_Return);
    }
    // 学习统计 from the command menu; the window it opened.
    TFormStatistics& OpenStatistics()
    {
        Widget<QAction>("MenuItem_statistics").trigger();
        auto* window = form->findChild<TFormStatistics*>();
        EXPECT_NE(window, nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        return *window;
    }
    static QString Shown(QWidget& window, const char* label)
    {
        return NamedChild<QLabel>(window, label).text();
    }
};

TEST_F(SpacedReviewWindowTest, TheSwitchAndItsLimitStandInTheSettingsGroupAndAreApplied)
{
    AddWords({{"cat", G("猫")}, {"dog", G("狗")}, {"eel", G("鳗")}});
    Show();
    form->pages.clock.now = [] { return std::int64_t{1796781600}; };
    form->N2Click();
    Widget<QAction>("MenuItem_setting").trigger();
    auto& schedule = Widget<QCheckBox>("CheckBox_DictationSchedule");
    auto& limit = Widget<QLineEdit>("Edit_NewWordsPerDay");
    EXPECT_EQ(schedule.text(), QStringLiteral("间隔复习"));
    EXPECT_EQ(limit.text(), QStringLiteral("20"));
    EXPECT_EQ(limit.accessibleName(), QStringLiteral("每天新词"));
    // Inside the etched frame, clear of every other control of the group.
    const auto& group = Widget<TGroupBox>("GroupBox_Dictation_setting");
    const QRect inside(2, group.FrameTop() + 2, group.width() - 4, group.height() - group.FrameTop() - 4);
    const QList<QWidget*> controls = group.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (const QWidget* added : {static_cast<QWidget*>(&schedule), static_cast<QWidget*>(&limit),
                                 static_cast<QWidget*>(&Widget<QLabel>("Label_NewWordsPerDay"))}) {
        EXPECT_TRUE(inside.contains(added->geometry())) << added->objectName().toStdString();
        for (const QWidget* other : controls)
            EXPECT_TRUE(other == added || !other->geometry().intersects(added->geometry()))
                << added->objectName().toStdString() << " " << other->objectName().toStdString();
    }

    QTest::mouseClick(&schedule, Qt::LeftButton);
    limit.selectAll();
    QTest::keyClicks(&limit, "2");
    Widget<QToolButton>("SpeedButton_applySetting").click();
    EXPECT_EQ(Widget<QLabel>("Label_Interpret").text(), QStringLiteral("猫"));
    EXPECT_EQ(Widget<QLabel>("Label_DictationCount").text(), QStringLiteral("2")) << "two new words today";
    Answer("cat");
    ASSERT_TRUE(form->pages.reviews.Card("cat"));
    EXPECT_EQ(form->pages.reviews.Card("cat")->state, ReviewState::Learning);
    EXPECT_EQ(Widget<QLabel>("Label_Interpret").text(), QStringLiteral("狗"));
}

TEST_F(SpacedReviewWindowTest, TheStatisticsWindowShowsTheProgressInTheSkinAndTakesWordsOutOfTheBook)
{
    AddWords({{"cat", G("猫")}, {"dog", G("狗")}, {"eel", G("鳗")}, {"fox", G("狐")}});
    Show();
    form->pages.clock.now = [] { return std::int64_t{1796781600}; };

    // No answer yet: the window says so where the plots would stand.
    TFormStatistics& empty = OpenStatistics();
    EXPECT_TRUE(NamedChild<QLabel>(empty, "Label_NoHistory").isVisible());
    EXPECT_TRUE(empty.findChildren<QChartView*>().isEmpty());
    EXPECT_EQ(Shown(empty, "Label_NewWords"), QStringLiteral("4"));
    EXPECT_EQ(Shown(empty, "Label_LastWeek"), QStringLiteral("—"));
    // The main window's skin and caption buttons; Escape closes it.
    EXPECT_EQ(NamedChild<TZYForm>(empty, "ZYForm1").Picture().Bitmap(),
              NamedChild<TZYForm>(*form, "ZYForm1").Picture().Bitmap());
    EXPECT_EQ(NamedChild<QToolButton>(empty, "SpeedButton_Exit").geometry().topRight(),
              QPoint(empty.width() - 12, 8));
    QTest::keyClick(&empty, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !form->findChild<TFormStatistics*>(); }));

    form->N2Click();
    form->pages.state.DictationSchedule = true;
    form->pages.state.NewWordsPerDay = 2;
    form->N2Click();
    Answer("cta");
    Answer("cat");
    Answer("dog");

    TFormStatistics& window = OpenStatistics();
    EXPECT_FALSE(window.findChild<QLabel*>("Label_NoHistory"));
    const QList<QChartView*> plots = window.findChildren<QChartView*>();
    ASSERT_EQ(plots.size(), 2);
    // Today's answers by rating, in the skin's red and blue; both words due today in their steps.
    const auto* answers = static_cast<QAbstractBarSeries*>(plots[0]->chart()->series().at(0));
    ASSERT_EQ(answers->count(), 2);
    EXPECT_EQ(answers->barSets()[0]->label(), QStringLiteral("重来"));
    EXPECT_EQ(answers->barSets()[0]->at(29), 1);
    EXPECT_EQ(answers->barSets()[1]->label(), QStringLiteral("良好"));
    EXPECT_EQ(answers->barSets()[1]->at(29), 1);
    EXPECT_EQ(answers->barSets()[1]->color(), QColor(38, 98, 152));
    const auto* due = static_cast<QAbstractBarSeries*>(plots[1]->chart()->series().at(0));
    EXPECT_EQ(due->barSets()[0]->at(0), 2);
    EXPECT_EQ(Shown(window, "Label_NewWords"), QStringLiteral("2"));
    EXPECT_EQ(Shown(window, "Label_Learning"), QStringLiteral("2"));

    // The miss is in the book; the button takes the chosen word out of it.
    auto& book = NamedChild<QTreeWidget>(window, "TreeWidget_ErrorBook");
    auto& remove = NamedChild<TZYButton>(window, "ZYButton_Remove");
    ASSERT_EQ(book.topLevelItemCount(), 1);
    EXPECT_EQ(book.topLevelItem(0)->text(0), QStringLiteral("cat"));
    EXPECT_EQ(book.topLevelItem(0)->text(1), QStringLiteral("1"));
    EXPECT_FALSE(remove.isEnabled());
    book.setCurrentItem(book.topLevelItem(0));
    ASSERT_TRUE(remove.isEnabled());
    remove.click();
    EXPECT_EQ(book.topLevelItemCount(), 0);
    EXPECT_EQ(form->pages.errorBook.Count(), 0);
    window.close();
}

} // namespace
