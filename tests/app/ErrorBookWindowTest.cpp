#include "FormMainFixture.h"
#include "support/Gbk.h"
#include "ui/GroupBox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

using ErrorBookWindowTest = FormMainFixture;

TEST_F(ErrorBookWindowTest, TwoMissesAreReviewedUntilTwoRightAnswersRetireTheWord)
{
    AddWords({{"cat", G("猫")}, {"dog", G("狗")}, {"eel", G("鳗")}});
    Show();
    auto& edit = Widget<QLineEdit>("Edit_Dictation");
    auto& status = Widget<QLabel>("HintLabel");
    const auto answer = [&](const char* text) {
        edit.clear();
        QTest::keyClicks(&edit, text);
        QTest::keyClick(&edit, Qt::Key_Return);
    };
    form->N2Click();
    answer("cat");
    answer("dgo");
    answer("dgo");
    EXPECT_EQ(status.text(), QStringLiteral("Error!"));

    Widget<QAction>("MenuItem_setting").trigger();
    auto& review = Widget<QCheckBox>("CheckBox_DictationReview");
    const auto& speak = Widget<QCheckBox>("CheckBox_DictationSpeak");
    EXPECT_EQ(review.text(), QStringLiteral("错词复习"));
    EXPECT_EQ(review.font(), speak.font());
    EXPECT_EQ(review.x(), speak.x());
    EXPECT_GT(review.y(), speak.y());
    // Inside the etched frame, whose lines lie on the group's last two rows and columns.
    const auto& group = Widget<TGroupBox>("GroupBox_Dictation_setting");
    EXPECT_TRUE(QRect(2, group.FrameTop() + 2, group.width() - 4, group.height() - group.FrameTop() - 4)
                    .contains(review.geometry()));
    for (const QWidget* other : group.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(other == &review || !other->geometry().intersects(review.geometry()))
            << other->objectName().toStdString();
    QTest::mouseClick(&review, Qt::LeftButton);
    Widget<QToolButton>("SpeedButton_applySetting").click();

    EXPECT_EQ(Widget<QTabWidget>("PageControl1").currentIndex(), PageDictation);
    EXPECT_EQ(Widget<QLabel>("Label_Interpret").text(), QStringLiteral("狗"));
    EXPECT_EQ(Widget<QLabel>("Label_DictationCount").text(), QStringLiteral("1"));
    answer("dog");
    EXPECT_EQ(status.text(), QStringLiteral("Quite Right!"));
    EXPECT_EQ(Widget<QLabel>("Label_Interpret").text(), QStringLiteral("狗"));
    answer("dog");
    EXPECT_EQ(status.text(), QStringLiteral("已掌握【dog】"));
    EXPECT_EQ(Widget<QLabel>("Label_Interpret").text(), QStringLiteral("鳗")) << "the drill goes on";
    EXPECT_EQ(form->pages.errorBook.Count(), 0);
}

} // namespace
