// A new learner through the real window: a graded list imported from the command menu, a misspelt
// word corrected from the list below the lookup box, a word found by its Chinese explanation.

#include "FormMainFixture.h"
#include "ui/DropDownList.h"
#include "ui/skin/ZYButton.h"
#include "ui/skin/ZYListDlg.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

using FindingWordsTest = FormMainFixture;

TEST_F(FindingWordsTest, AGradedListComesInFromTheMenuAndItsWordsAreFoundMisspeltOrInChinese)
{
    Show();
    QStringList offered;
    QString dialogName;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TZYListDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialogName = dialog->List->accessibleName();
        for (int row = 0; row < dialog->List->topLevelItemCount(); ++row)
            offered.push_back(dialog->List->topLevelItem(row)->text(0) + ' ' +
                              dialog->List->topLevelItem(row)->text(1));
        QTest::keyClick(dialog->List, Qt::Key_Return); // the first list, 中考
    });
    Widget<QAction>("MenuItem_wordlists").trigger();

    EXPECT_EQ(dialogName, QStringLiteral("导入词表"));
    EXPECT_EQ(offered,
              (QStringList{QStringLiteral("中考 1,603 个单词"), QStringLiteral("高考 3,677 个单词"),
                           QStringLiteral("四级 3,849 个单词"), QStringLiteral("六级 5,407 个单词"),
                           QStringLiteral("考研 4,801 个单词"), QStringLiteral("托福 6,974 个单词"),
                           QStringLiteral("雅思 5,040 个单词"), QStringLiteral("GRE 7,504 个单词")}));
    EXPECT_EQ(data.DictTable.RecordCount(), 1603);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].text.startsWith(QStringLiteral("导入完成："))) << asked[0].text.toStdString();
    EXPECT_TRUE(asked[0].text.contains(QStringLiteral("新增 1603 个"))) << asked[0].text.toStdString();

    auto& box = Widget<QLineEdit>("Edit_Input");
    auto& list = Widget<TDropDownList>("DropDownList_Suggestions");
    const auto entries = [&] {
        QStringList shown;
        for (int row = 0; row < list.List->count(); ++row)
            shown.push_back(list.List->item(row)->text());
        return shown;
    };
    box.setFocus();
    QTest::keyClicks(&box, "rec");
    EXPECT_FALSE(list.isVisible()) << "a typed start of a stored word drops no list";
    QTest::keyClicks(&box, "ieve");
    // The stored words near it at once; the speller's stored ones join them when it answers.
    const auto answered = [&] { return form->pages.lookup.suggestions.SpellerAnswered(); };
    ASSERT_TRUE(QTest::qWaitFor(answered));
    ASSERT_TRUE(list.isVisible());
    EXPECT_EQ(list.Label_Heading->text(), QStringLiteral("是不是："));
    EXPECT_EQ(list.accessibleName(), QStringLiteral("是不是："));
    ASSERT_FALSE(entries().empty());
    EXPECT_EQ(entries().front(), QStringLiteral("receive"));
    EXPECT_LE(entries().size(), 8);

    // Enter keeps its meaning: the typed word is not stored, and adding it is offered.
    QTest::keyClick(&box, Qt::Key_Return);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].text, QStringLiteral("词库中没有这个单词，是否追加?"));
    EXPECT_FALSE(list.isVisible());

    // Typing on offers again; Down picks the best, which the lookup shows as if typed.
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClicks(&box, "e");
    ASSERT_TRUE(QTest::qWaitFor(answered));
    ASSERT_TRUE(list.isVisible());
    EXPECT_EQ(entries().front(), QStringLiteral("receive"));
    QTest::keyClick(&box, Qt::Key_Down);
    EXPECT_EQ(box.text(), QStringLiteral("receive"));
    EXPECT_TRUE(Widget<QTextEdit>("Memo_View").toPlainText().startsWith(QStringLiteral("【receive】")));
    // The list stays while Down and Up walk it, each entry shown as it is reached.
    ASSERT_TRUE(list.isVisible());
    ASSERT_GE(entries().size(), 2);
    const QString second = entries()[1];
    QTest::keyClick(&box, Qt::Key_Down);
    EXPECT_EQ(box.text(), second);
    EXPECT_TRUE(Widget<QTextEdit>("Memo_View").toPlainText().startsWith("【" + second + "】"));
    QTest::keyClick(&box, Qt::Key_Up);
    EXPECT_EQ(box.text(), QStringLiteral("receive"));
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_FALSE(list.isVisible());

    // Chinese finds the words whose explanation holds it; a click shows one.
    box.clear();
    QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, QStringLiteral("苹果"), Qt::NoModifier);
    ASSERT_TRUE(list.isVisible());
    ASSERT_EQ(entries().size(), 1);
    EXPECT_TRUE(entries().front().startsWith(QStringLiteral("apple — n. 苹果")))
        << entries().front().toStdString();
    QTest::mouseClick(list.List->viewport(), Qt::LeftButton, {},
                      list.List->visualItemRect(list.List->item(0)).center());
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(box.text(), QStringLiteral("apple"));
    EXPECT_TRUE(Widget<QTextEdit>("Memo_View").toPlainText().startsWith(QStringLiteral("【apple】")));
}

} // namespace
