#include "FormMainFixture.h"
#include "support/Gbk.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

using FormMainTest = FormMainFixture;

TEST_F(FormMainTest, ControlsKeepTheirDistancesFromTheWidenedWindowAsItResizes)
{
    Show();
    EXPECT_EQ(form->width(), 325);
    EXPECT_EQ(form->height(), 204);
    // Widened before the anchors were taken: right-anchored controls stay where the 318-pixel
    // design put them, 7 pixels further from the right edge.
    EXPECT_EQ(form->SpeedButton_Exit->geometry(), QRect(295, 8, 12, 12));
    EXPECT_EQ(form->Panel1->geometry(), QRect(282, 29, 22, 22));
    EXPECT_EQ(form->PageControl1->geometry(), QRect(6, 32, 304, 143));
    EXPECT_EQ(form->HintLabel->pos(), QPoint(37, 183));

    const QRect editBefore = form->Edit_Dictation->geometry();
    form->resize(425, 304);
    QApplication::processEvents();
    EXPECT_EQ(form->SpeedButton_Exit->geometry(), QRect(395, 8, 12, 12));
    EXPECT_EQ(form->PageControl1->geometry(), QRect(6, 32, 404, 243));
    EXPECT_EQ(form->ProgressBar1->geometry(), QRect(10, 266, 398, 7));
    EXPECT_EQ(form->HintLabel->pos(), QPoint(37, 283));
    EXPECT_EQ(form->Image_Drag->pos(), QPoint(399, 287));
    EXPECT_NEAR(form->fcTitleLabel1->geometry().center().x(), 425 * 163 / 325, 2);
    // Inside a page: the answer box follows left, right and bottom.
    form->PageControl1->setCurrentIndex(PageDictation);
    QApplication::processEvents();
    const QRect editAfter = form->Edit_Dictation->geometry();
    EXPECT_EQ(editAfter.left(), editBefore.left());
    EXPECT_EQ(editAfter.width(), editBefore.width() + 100);
    EXPECT_EQ(editAfter.top(), editBefore.top() + 100);

    form->resize(100, 100);
    EXPECT_GE(form->width(), 325);
    EXPECT_GE(form->height(), 180);
}

TEST_F(FormMainTest, StatusMessageGivesWayToDoneAtTheTickTheFirstMessageStarted)
{
    Show();
    EXPECT_EQ(form->HintLabel->text(), QStringLiteral("完成"));
    EXPECT_FALSE(form->Timer1->isActive());
    form->ShowStatus("first");
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_EQ(form->Timer1->interval(), 5000);
    const int remaining = form->Timer1->remainingTime();
    QTest::qWait(200);
    form->ShowStatus("second");
    EXPECT_EQ(form->HintLabel->text(), QStringLiteral("second"));
    EXPECT_LE(form->Timer1->remainingTime(), remaining - 150); // not restarted
    QMetaObject::invokeMethod(form->Timer1, "timeout");        // the tick
    EXPECT_EQ(form->HintLabel->text(), QStringLiteral("完成"));
    EXPECT_FALSE(form->Timer1->isActive());
}

TEST_F(FormMainTest, FirstShowingSelectsLookupHidesSettingsAndRestoresTheLastWord)
{
    Show();
    EXPECT_EQ(form->PageControl1->currentIndex(), PageQuery);
    EXPECT_FALSE(form->PageControl1->isTabVisible(PageSetting));
    EXPECT_FALSE(form->pages.state.FirstShow);
    EXPECT_EQ(form->PageControl1->tabText(PageMaintain), QStringLiteral("维护"));
}

TEST_F(FormMainTest, PageCommandsRunThePageEntryActionsAndProgramSelectionsDoNot)
{
    AddWords({{"cat", G("猫")}, {"dog", G("狗")}});
    Show();
    form->pages.state.DictationWord = "dog";
    form->SelectPage(PageDictation); // programmatic: no entry actions
    EXPECT_EQ(form->Label_Interpret->text(), QString());

    form->N2Click();
    EXPECT_EQ(form->PageControl1->currentIndex(), PageDictation);
    EXPECT_EQ(form->Label_Interpret->text(), QStringLiteral("狗"));

    form->MenuItem_setting->trigger();
    EXPECT_EQ(form->PageControl1->currentIndex(), PageSetting);
    EXPECT_TRUE(form->PageControl1->isTabVisible(PageSetting));
    // The user picking a tab leaves the settings page and hides its tab.
    form->PageControl1->tabBar()->setCurrentIndex(PageMaintain);
    EXPECT_FALSE(form->PageControl1->isTabVisible(PageSetting));
    EXPECT_EQ(QApplication::focusWidget(), form->Edit_newword);

    form->showMinimized();
    form->N1Click();
    EXPECT_FALSE(form->isMinimized());
    EXPECT_EQ(form->PageControl1->currentIndex(), PageQuery);
}

TEST_F(FormMainTest, AboutBoxCountsTheWordsAndOnlyItsWebButtonOpensThePage)
{
    AddWords({{"cat", G("猫")}, {"dog", G("狗")}});
    Show();
    answers = {0};
    form->N5Click();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].caption, QStringLiteral("关于..."));
    EXPECT_TRUE(asked[0].text.startsWith(QStringLiteral("DUredivive (Beta版)\n\n     词汇量:2\n")))
        << asked[0].text.toStdString();
    EXPECT_EQ(asked[0].buttons, (std::vector<QString>{QStringLiteral("访问网站"), QStringLiteral("确定")}));
    EXPECT_TRUE(opened.empty());

    answers = {1};
    form->N5Click();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl(QString::fromLatin1(TFormMain::kHomePage)));
}

TEST_F(FormMainTest, TypingSeeksEnterOffersToAddAndTheMaintenancePageTakesTheWord)
{
    AddWords({{"ape", "a"}, {"apex", "b"}, {"apple", "c"}});
    Show();
    form->Edit_Input->setFocus();
    QTest::keyClicks(form->Edit_Input, "ap");
    EXPECT_EQ(form->ListBox_Preview->count(), 2);
    EXPECT_EQ(form->Memo_View->toPlainText(), QStringLiteral("【ape】\n a"));

    answers = {6};
    QTest::keyClick(form->Edit_Input, Qt::Key_Return);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, QStringLiteral("词库中没有这个单词，是否追加?"));
    EXPECT_EQ(form->PageControl1->currentIndex(), PageMaintain);
    EXPECT_EQ(form->Edit_newword->text(), QStringLiteral("ap"));
    EXPECT_EQ(QApplication::focusWidget(), form->Memo_newInterpret);

    // Chinese typed into the explanation, then Ctrl+S saves it.
    QTest::sendKeyEvent(QTest::Click, form->Memo_newInterpret, Qt::Key_unknown, QStringLiteral("猿"),
                        Qt::NoModifier);
    QTest::keyClick(form->Memo_newInterpret, Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(data.DictTable.SeekExact("ap"));
    EXPECT_EQ(data.DictTable.FieldByName("interpret"), G("猿"));
}

TEST_F(FormMainTest, AnErrorInAHandlerIsReportedAndTheProgramGoesOn)
{
    Show();
    QTest::mouseDClick(form->ListBox_Preview->viewport(), Qt::LeftButton);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, QStringLiteral("List index out of bounds (-1)"));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(FormMainTest, CtrlChordsReachThePageBeforeTheFocusedControl)
{
    AddWords({{"ant", "1"}, {"bee", "2"}, {"cat", "3"}});
    Show();
    form->Edit_Input->setFocus();
    QTest::keyClicks(form->Edit_Input, "ant");
    QTest::keyClick(form->Edit_Input, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form->Edit_Input->text(), QStringLiteral("bee"));
    QTest::keyClick(form->Edit_Input, Qt::Key_Right); // no Ctrl: only the caret moves
    EXPECT_EQ(form->Edit_Input->text(), QStringLiteral("bee"));
}

} // namespace
