// Word lists of other tools through the real window: the file dialog with its filters, the list
// merged and the end message that counts what happened, and an export in another tool's format
// that comes back record for record.

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

class FormMainImportTest : public FormMainFixture {
protected:
    // Clicks the command's button and chooses `path` in its file dialog.
    void ChooseFileFor(const char* button, const std::string& path)
    {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->selectFile(QString::fromStdString(path));
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides it
        });
        Widget<QToolButton>(button).click();
    }
};

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

TEST_F(FormMainImportTest, AnExportInCsvComesBackThroughTheDialogsRecordForRecord)
{
    AddWords({{"apple", G("n. 苹果\r\n苹果树")}, {"a, b", "say \"hi\" & <b>"}});
    Show();
    Widget<QTabWidget>("PageControl1").setCurrentIndex(PageMaintain);
    const std::string path = (dir / "list.csv").string();
    ChooseFileFor("SpeedExport", path);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, QStringLiteral("已导出 2 个单词到文件：\n%1").arg(QString::fromStdString(path)));

    TDictTable& table = data.DictTable;
    table.First();
    while (!table.Eof())
        table.Delete();
    ChooseFileFor("SpeedButton_import", path);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].text, QStringLiteral("导入完成：%1（UTF-8）\n新增 2 个，第一个是【a, b】")
                                 .arg(QString::fromStdString(path)));
    ASSERT_TRUE(table.SeekExact("apple"));
    EXPECT_EQ(table.FieldByName("interpret"), G("n. 苹果\r\n苹果树"));
    ASSERT_TRUE(table.SeekExact("a, b"));
    EXPECT_EQ(table.FieldByName("interpret"), "say \"hi\" & <b>");
}

} // namespace
