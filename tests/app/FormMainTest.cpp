#include "FormMainFixture.h"
#include "platform/Registry.h"
#include "platform/ReplacingFile.h"
#include "support/Gbk.h"
#include "support/PaintSeen.h"
#include "text/GbkCodec.h"
#include "ui/Color.h"
#include "ui/GroupBox.h"
#include "ui/skin/ZYForm.h"
#include "ui/text/fcTitleLabel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
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
    EXPECT_EQ(Widget<QToolButton>("SpeedButton_Exit").geometry(), QRect(295, 8, 12, 12));
    EXPECT_EQ(Widget<QWidget>("Panel1").geometry(), QRect(282, 29, 22, 22));
    EXPECT_EQ(Widget<QTabWidget>("PageControl1").geometry(), QRect(6, 32, 304, 143));
    EXPECT_EQ(Widget<QLabel>("HintLabel").pos(), QPoint(37, 183));

    const QRect editBefore = Widget<QLineEdit>("Edit_Dictation").geometry();
    form->resize(425, 304);
    QApplication::processEvents();
    EXPECT_EQ(Widget<QToolButton>("SpeedButton_Exit").geometry(), QRect(395, 8, 12, 12));
    EXPECT_EQ(Widget<QTabWidget>("PageControl1").geometry(), QRect(6, 32, 404, 243));
    EXPECT_EQ(Widget<QProgressBar>("ProgressBar1").geometry(), QRect(10, 266, 398, 7));
    EXPECT_EQ(Widget<QLabel>("HintLabel").pos(), QPoint(37, 283));
    EXPECT_EQ(Widget<QLabel>("Image_Drag").pos(), QPoint(399, 287));
    EXPECT_NEAR(Widget<TfcTitleLabel>("fcTitleLabel1").geometry().center().x(), 425 / 2, 1)
        << "the title centres itself";
    // Inside a page: the answer box follows left, right and bottom.
    Widget<QTabWidget>("PageControl1").setCurrentIndex(PageDictation);
    QApplication::processEvents();
    const QRect editAfter = Widget<QLineEdit>("Edit_Dictation").geometry();
    EXPECT_EQ(editAfter.left(), editBefore.left());
    EXPECT_EQ(editAfter.width(), editBefore.width() + 100);
    EXPECT_EQ(editAfter.top(), editBefore.top() + 100);

    form->resize(100, 100);
    EXPECT_GE(form->width(), 325);
    EXPECT_GE(form->height(), 180);
}

TEST_F(FormMainTest, TheOtherPagesAreMadeAfterTheFirstPaintWhereTheDesignPutsThem)
{
    form->show(); // laid out now, painted once the events run
    EXPECT_EQ(form->findChild<QLineEdit*>("Edit_newword"), nullptr);
    form->resize(425, 304); // before the other pages are made
    ASSERT_TRUE(QTest::qWaitFor([this] { return form->Started(); }));
    Widget<QTabWidget>("PageControl1").setCurrentIndex(PageMaintain);
    QApplication::processEvents();
    // Anchored to the right edge of a page 100 pixels wider than designed.
    EXPECT_EQ(Widget<QToolButton>("SpeedButton_import").geometry(), QRect(358, 3, 32, 22));
    EXPECT_EQ(Widget<QLineEdit>("Edit_newword").geometry(), QRect(32, 4, 212, 20));
}

TEST_F(FormMainTest, APageNotMadeYetIsMadeWhenThePagesFirstTouchIt)
{
    EXPECT_EQ(form->findChild<QLineEdit*>("Edit_newword"), nullptr);
    form->View().SetText(Control::Edit_newword, "cat");
    EXPECT_EQ(Widget<QLineEdit>("Edit_newword").text(), QStringLiteral("cat"));
    Show();
    EXPECT_EQ(Widget<QComboBox>("ComboBox_GroupWordCount").currentText(), QStringLiteral("20"));
}

TEST_F(FormMainTest, StatusMessageGivesWayToDoneAtTheTickTheFirstMessageStarted)
{
    Show();
    EXPECT_EQ(Widget<QLabel>("HintLabel").text(), QStringLiteral("完成"));
    EXPECT_FALSE(Widget<QTimer>("Timer1").isActive());
    form->View().ShowStatus("first");
    EXPECT_TRUE(Widget<QTimer>("Timer1").isActive());
    EXPECT_EQ(Widget<QTimer>("Timer1").interval(), 5000);
    const int remaining = Widget<QTimer>("Timer1").remainingTime();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Widget<QTimer>("Timer1").remainingTime() <= remaining - 150; }));
    form->View().ShowStatus("second");
    EXPECT_EQ(Widget<QLabel>("HintLabel").text(), QStringLiteral("second"));
    EXPECT_LE(Widget<QTimer>("Timer1").remainingTime(), remaining - 150); // not restarted
    QMetaObject::invokeMethod(&Widget<QTimer>("Timer1"), "timeout");      // the tick
    EXPECT_EQ(Widget<QLabel>("HintLabel").text(), QStringLiteral("完成"));
    EXPECT_FALSE(Widget<QTimer>("Timer1").isActive());
}

TEST_F(FormMainTest, FirstShowingSelectsLookupHidesSettingsAndRestoresTheLastWord)
{
    AddWords({{"cat", G("猫")}, {"dog", G("狗")}});
    Registry registry;
    ASSERT_TRUE(registry.OpenKey("\\SOFTWARE\\ZYSOFT\\DoRori", true));
    registry.WriteString("QueryWord", "dog");
    Show();
    auto& pages = Widget<QTabWidget>("PageControl1");
    EXPECT_EQ(pages.currentIndex(), PageQuery);
    EXPECT_FALSE(pages.isTabVisible(PageSetting));
    EXPECT_FALSE(form->pages.state.FirstShow);
    EXPECT_EQ(pages.tabText(PageMaintain), QStringLiteral("维护"));
    EXPECT_EQ(Widget<QLineEdit>("Edit_Input").text(), QStringLiteral("dog"));
    EXPECT_EQ(Widget<QTextEdit>("Memo_View").toPlainText(), QStringLiteral("【dog】\n 狗"));
}

TEST_F(FormMainTest, TheStartsDiskWorkAndTheDrillsRecordNumbersWaitForTheFirstPaintAndRunOnce)
{
    AddWords({{"cat", G("猫")}, {"dog", G("狗")}, {"emu", G("鸸鹋")}});
    Registry registry;
    ASSERT_TRUE(registry.OpenKey("\\SOFTWARE\\ZYSOFT\\DoRori", true));
    registry.WriteString("DictationWord", "dog");
    PaintSeen paint;
    form->installEventFilter(&paint);
    int runs = 0;
    form->afterFirstPaint = [&] {
        ++runs;
        EXPECT_TRUE(paint.painted);
        // The window already shows the last words; the drill's record numbers come after this.
        EXPECT_EQ(form->pages.state.DictationWord, "dog");
        EXPECT_EQ(form->pages.state.DictationStartRecNo, 0);
    };
    Show();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(form->pages.state.DictationStartRecNo, 2);
    EXPECT_EQ(form->pages.state.DictationEndRecNo, 21);

    // A later paint queues nothing: once it is seen and the queue is run, the work has still run once.
    form->hide();
    paint.painted = false;
    form->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return paint.painted; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);
}

TEST_F(FormMainTest, WithoutATableTheWindowShowsAndRestoresSilentlyUntilAFeatureIsUsed)
{
    Registry registry;
    ASSERT_TRUE(registry.OpenKey("\\SOFTWARE\\ZYSOFT\\DoRori", true));
    registry.WriteString("QueryWord", "dog");
    data.DictTable.Close();
    Show();
    form->showMinimized();
    form->showNormal();
    QApplication::processEvents();
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(Widget<QLineEdit>("Edit_Input").text(), QStringLiteral("dog"));

    Widget<QToolButton>("SpeedButton_Seek").click();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, QStringLiteral("The dictionary table is not open"));
}

TEST_F(FormMainTest, PageCommandsRunThePageEntryActionsAndProgramSelectionsDoNot)
{
    AddWords({{"cat", G("猫")}, {"dog", G("狗")}});
    Show();
    form->pages.state.DictationWord = "dog";
    form->View().SelectPage(PageDictation); // programmatic: no entry actions
    EXPECT_EQ(Widget<QLabel>("Label_Interpret").text(), QString());

    form->N2Click();
    EXPECT_EQ(Widget<QTabWidget>("PageControl1").currentIndex(), PageDictation);
    EXPECT_EQ(Widget<QLabel>("Label_Interpret").text(), QStringLiteral("狗"));

    Widget<QAction>("MenuItem_setting").trigger();
    EXPECT_EQ(Widget<QTabWidget>("PageControl1").currentIndex(), PageSetting);
    EXPECT_TRUE(Widget<QTabWidget>("PageControl1").isTabVisible(PageSetting));
    // The user picking a tab leaves the settings page and hides its tab.
    Widget<QTabWidget>("PageControl1").tabBar()->setCurrentIndex(PageMaintain);
    EXPECT_FALSE(Widget<QTabWidget>("PageControl1").isTabVisible(PageSetting));
    EXPECT_EQ(QApplication::focusWidget(), &Widget<QLineEdit>("Edit_newword"));

    form->showMinimized();
    form->N1Click();
    EXPECT_FALSE(form->isMinimized());
    EXPECT_EQ(Widget<QTabWidget>("PageControl1").currentIndex(), PageQuery);
}

TEST_F(FormMainTest, ATypedGroupCountIsTheCountAppliedAndTheListStillOffersItsValues)
{
    AddWords({{"a", "1"}, {"b", "2"}, {"c", "3"}});
    Show();
    Widget<QAction>("MenuItem_setting").trigger();
    auto& combo = Widget<QComboBox>("ComboBox_GroupWordCount");
    combo.lineEdit()->setFocus();
    combo.lineEdit()->selectAll();
    QTest::keyClicks(combo.lineEdit(), "2");
    EXPECT_EQ(combo.currentText(), QStringLiteral("2"));
    QTest::keyClick(combo.lineEdit(), Qt::Key_Return);
    EXPECT_EQ(combo.count(), 5);
    Widget<QToolButton>("SpeedButton_applySetting").click();
    EXPECT_EQ(form->pages.state.GroupWordCount, 2);

    combo.setCurrentIndex(4);
    EXPECT_EQ(combo.currentText(), QStringLiteral("100"));
}

TEST_F(FormMainTest, AboutBoxCountsTheWordsNamesTheirFileAndOnlyItsWebButtonOpensThePage)
{
    AddWords({{"cat", G("猫")}, {"dog", G("狗")}});
    Show();
    answers = {0};
    form->N5Click();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].caption, QStringLiteral("关于..."));
    EXPECT_TRUE(asked[0].text.startsWith(QStringLiteral("DUredivive (Beta版)\n\n     词汇量:2\n")))
        << asked[0].text.toStdString();
    // Where the list is: the user can find the file to back it up.
    EXPECT_TRUE(asked[0].text.endsWith(QString::fromStdString((dir / "data/DORori.db").string())))
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
    Widget<QLineEdit>("Edit_Input").setFocus();
    QTest::keyClicks(&Widget<QLineEdit>("Edit_Input"), "ap");
    EXPECT_EQ(Widget<QListWidget>("ListBox_Preview").count(), 2);
    EXPECT_EQ(Widget<QTextEdit>("Memo_View").toPlainText(), QStringLiteral("【ape】\n a"));

    answers = {6};
    QTest::keyClick(&Widget<QLineEdit>("Edit_Input"), Qt::Key_Return);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, QStringLiteral("词库中没有这个单词，是否追加?"));
    EXPECT_EQ(Widget<QTabWidget>("PageControl1").currentIndex(), PageMaintain);
    EXPECT_EQ(Widget<QLineEdit>("Edit_newword").text(), QStringLiteral("ap"));
    EXPECT_EQ(QApplication::focusWidget(), &Widget<QTextEdit>("Memo_newInterpret"));

    // Chinese typed into the explanation, then Ctrl+S saves it.
    QTest::sendKeyEvent(QTest::Click, &Widget<QTextEdit>("Memo_newInterpret"), Qt::Key_unknown,
                        QStringLiteral("猿"), Qt::NoModifier);
    QTest::keyClick(&Widget<QTextEdit>("Memo_newInterpret"), Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(data.DictTable.SeekExact("ap"));
    EXPECT_EQ(data.DictTable.FieldByName("interpret"), G("猿"));
}

TEST_F(FormMainTest, ThePreviewListReadsMoreWordsAsItIsScrolledToItsEnd)
{
    std::vector<std::pair<std::string, std::string>> words{{"ab", "x"}};
    for (int i = 0; i < 300; ++i)
        words.emplace_back("ab" + std::to_string(1000 + i), "x");
    AddWords(words);
    Show();
    QTest::keyClicks(&Widget<QLineEdit>("Edit_Input"), "ab");
    auto& preview = Widget<QListWidget>("ListBox_Preview");
    ASSERT_LT(preview.count(), 255);
    ASSERT_GT(preview.verticalScrollBar()->maximum(), 0) << "the list shows that more follow";

    preview.setFocus();
    for (int scrolled = 0; scrolled < 300 && preview.count() < 255; ++scrolled)
        QTest::keyClick(&preview, Qt::Key_End);
    EXPECT_EQ(preview.count(), 255);
    EXPECT_EQ(preview.item(254)->text(), QStringLiteral("ab1253"));
}

// Each edit with a key handler of its own gets the key it is typed in, and only that edit.
TEST_F(FormMainTest, EnterReachesTheKeyHandlerOfTheEditItIsTypedIn)
{
    AddWords({{"cat", G("猫")}, {"dog", G("狗")}});
    Show();
    form->N3Click();
    auto& newWord = Widget<QLineEdit>("Edit_newword");
    newWord.setFocus();
    QTest::keyClicks(&newWord, "dog");
    QTest::keyClick(&newWord, Qt::Key_Return);
    EXPECT_EQ(Widget<QTextEdit>("Memo_newInterpret").toPlainText(), QStringLiteral("狗"));

    form->pages.state.DictationWord = "cat";
    form->N2Click();
    auto& dictation = Widget<QLineEdit>("Edit_Dictation");
    dictation.setFocus();
    QTest::keyClicks(&dictation, "cow");
    QTest::keyClick(&dictation, Qt::Key_Return);
    EXPECT_EQ(Widget<QLabel>("HintLabel").text(), QStringLiteral("Error!"));
    EXPECT_TRUE(asked.empty());
}

TEST_F(FormMainTest, AnErrorInAHandlerIsReportedAndTheProgramGoesOn)
{
    Show();
    QTest::mouseDClick(Widget<QListWidget>("ListBox_Preview").viewport(), Qt::LeftButton);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, QStringLiteral("List index out of bounds (-1)"));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(FormMainTest, AnErrorTextNamingAChineseFileShowsTheNameAsItIs)
{
    Show();
    const std::string path = (dir / "没有的文件夹" / "词库.txt").string();
    form->Run([&] {
        ReplacingFile file(path, gbk::FromUtf8Lossy(path));
        file.Commit();
    });
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, QStringLiteral("Cannot create file ") + QString::fromStdString(path) +
                                 ": No such file or directory");
}

TEST_F(FormMainTest, CtrlChordsReachThePageBeforeTheFocusedControl)
{
    AddWords({{"ant", "1"}, {"bee", "2"}, {"cat", "3"}});
    Show();
    Widget<QLineEdit>("Edit_Input").setFocus();
    QTest::keyClicks(&Widget<QLineEdit>("Edit_Input"), "ant");
    QTest::keyClick(&Widget<QLineEdit>("Edit_Input"), Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Widget<QLineEdit>("Edit_Input").text(), QStringLiteral("bee"));
    QTest::keyClick(&Widget<QLineEdit>("Edit_Input"), Qt::Key_Right); // no Ctrl: only the caret moves
    EXPECT_EQ(Widget<QLineEdit>("Edit_Input").text(), QStringLiteral("bee"));

    // Another window is the active one (or there is no window manager to make any active): keys
    // that still reach this window's box are previewed all the same.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ASSERT_NE(QApplication::focusWidget(), &Widget<QLineEdit>("Edit_Input"));
    QTest::keyClick(&Widget<QLineEdit>("Edit_Input"), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(Widget<QLineEdit>("Edit_Input").text(), QStringLiteral("cat"));
    answers = {7};
    QTest::keyClick(&Widget<QLineEdit>("Edit_Input"), Qt::Key_A);
    QTest::keyClick(&Widget<QLineEdit>("Edit_Input"), Qt::Key_Return);
    EXPECT_EQ(asked.size(), 1u); // Enter looked the word up
}

TEST_F(FormMainTest, DraggingTheTitleOrTheTopBandMovesTheWindow)
{
    Show();
    const QPoint start = form->pos();
    auto& title = Widget<TfcTitleLabel>("fcTitleLabel1");
    QTest::mouseMove(&title, QPoint(5, 5)); // the title presses where the pointer last moved
    QTest::mousePress(&title, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(&title, QPoint(25, 15));
    QTest::mouseRelease(&title, Qt::LeftButton, {}, QPoint(25, 15));
    EXPECT_EQ(form->pos(), start + QPoint(20, 10));

    auto& frame = Widget<TZYForm>("ZYForm1");
    QTest::mousePress(&frame, Qt::LeftButton, {}, QPoint(60, 10));
    QTest::mouseMove(&frame, QPoint(50, 10));
    QTest::mouseRelease(&frame, Qt::LeftButton, {}, QPoint(50, 10));
    EXPECT_EQ(form->pos(), start + QPoint(10, 10));
}

TEST_F(FormMainTest, TheSettingsGroupBoxWritesItsCaptionOnTheFrameLineAboveEveryControl)
{
    Show();
    auto& pages = Widget<QTabWidget>("PageControl1");
    pages.setTabVisible(PageSetting, true);
    pages.setCurrentIndex(PageSetting);
    auto& group = Widget<TGroupBox>("GroupBox_Dictation_setting");
    const QImage drawn = group.grab().toImage();
    const int line = group.FrameTop();
    const QRgb shadow = ColorToRgb(clBtnShadow).rgb();
    EXPECT_EQ(drawn.pixel(3, line), shadow);
    EXPECT_EQ(drawn.pixel(3, line + 1), ColorToRgb(clBtnHighlight).rgb()) << "an etched line";
    EXPECT_EQ(drawn.pixel(group.width() - 3, line), shadow);
    int covered = 0;
    for (int x = 8; x < 8 + group.fontMetrics().horizontalAdvance(group.title()); ++x)
        covered += drawn.pixel(x, line) != shadow;
    EXPECT_GT(covered, 8) << "the caption is set into the line";
    const QWidgetList controls = group.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_FALSE(controls.empty());
    for (const QWidget* control : controls)
        EXPECT_GT(control->y(), line + 1) << control->objectName().toStdString();
}

TEST_F(FormMainTest, TheWindowWearsItsSkinAndItsPictures)
{
    Show();
    const auto& frame = Widget<TZYForm>("ZYForm1");
    EXPECT_TRUE(frame.Sizeable());
    EXPECT_EQ(frame.Skin().Width(), form->width());
    EXPECT_EQ(frame.Skin().Image().pixelColor(162, 100), QColor(223, 223, 223)) << "the middle";
    EXPECT_FALSE(form->windowIcon().isNull());
    for (const char* button : {"SpeedButton_Min", "SpeedButton_Max", "SpeedButton_Exit", "SpeedButton_Menu"})
        EXPECT_FALSE(Widget<QToolButton>(button).icon().isNull()) << button;
    for (const char* picture : {"Image1", "Image_Drag", "Image_RecycledFlag"})
        EXPECT_FALSE(Widget<QLabel>(picture).pixmap().isNull()) << picture;

    // The grip is a picture only: a press on it sizes the window by the corner beneath.
    const QSize size = form->size();
    const QPoint grip = Widget<QLabel>("Image_Drag").geometry().center();
    QTest::mousePress(form->windowHandle(), Qt::LeftButton, {}, grip);
    QTest::mouseMove(form->windowHandle(), grip + QPoint(40, 30));
    QTest::mouseRelease(form->windowHandle(), Qt::LeftButton, {}, grip + QPoint(40, 30));
    EXPECT_EQ(form->size(), size + QSize(40, 30));
}

} // namespace
