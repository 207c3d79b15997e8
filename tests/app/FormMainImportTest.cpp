// Importing a word list of another tool through the real window: the file dialog with its filters,
// the list merged, and the end message that counts what was cut.

#include "FormMainFixture.h"
#include "support/Gbk.h"

#include <QApplication>
#include <QFileDialog>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

class FormMainImportTest : public FormMainFixture {};

TEST_F(FormMainImportTest, ATabSeparatedListComesInThroughTheFileDialog)
{
    const std::string path = (dir / "卡片.tsv").string();
    std::ofstream(path, std::ios::binary) << "#separator:tab\n#html:true\n"
                                             "apple\tn. \xE8\x8B\xB9\xE6\x9E\x9C<br>a fruit\n"
                                             "long\t"
                                          << std::string(200, 'x') << "\n";
    Show();
    Widget<QTabWidget>("PageControl1").setCurrentIndex(PageMaintain);

    QStringList filters;
    QString selectedFilter;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        selectedFilter = dialog->selectedNameFilter();
        dialog->selectFile(QString::fromStdString(path));
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides it
    });
    Widget<QToolButton>("SpeedButton_import").click();

    EXPECT_EQ(filters,
              (QStringList{QStringLiteral("文本 (*.txt)"), QStringLiteral("单词表 (*.tsv *.csv *.json)"),
                           QStringLiteral("所有文件 (*)")}));
    EXPECT_EQ(selectedFilter, QStringLiteral("文本 (*.txt)"));
    ASSERT_TRUE(data.DictTable.SeekExact("apple"));
    EXPECT_EQ(data.DictTable.FieldByName("interpret"), G("n. 苹果\r\na fruit"));
    ASSERT_TRUE(data.DictTable.SeekExact("long"));
    EXPECT_EQ(data.DictTable.FieldByName("interpret"), std::string(125, 'x'));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text.toStdString(),
              QStringLiteral("导入完成：%1（UTF-8）\n新增 2 个，第一个是【apple】\n"
                             "超过词库的长度、已截断 1 个，第一个是【long】\n\n"
                             "详细情况见文件：\n%1.导入报告.txt")
                  .arg(QString::fromStdString(path))
                  .toStdString());
}

} // namespace
