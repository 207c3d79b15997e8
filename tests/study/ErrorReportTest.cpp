#include "study/ErrorReport.h"

#include "store/DictError.h"
#include "store/SqliteStatement.h"
#include "support/StudyFixture.h"
#include "text/GbkCodec.h"

#include <stdexcept>

namespace {

using ErrorReportTest = StudyFixture;

TEST_F(ErrorReportTest, AFailedWriteNamesTheFileAndWhatToDoAndLosesNothingStored)
{
    AddWords({{"ant", "a"}, {"bee", "b"}});
    const struct {
        const char* name;
        const char* limit; // the engine then refuses writing as the system would
        const char* lift;
        std::vector<const char*> says;
    } rows[] = {
        {"read-only",
         "PRAGMA query_only = 1",
         "PRAGMA query_only = 0",
         {"词库文件不能写入", "刚才的更改没有保存", "请检查这个文件和它所在的文件夹是否允许您写入",
          "(attempt to write a readonly database)"}},
        // Never below the file's size: no page may be added.
        {"disk full",
         "PRAGMA max_page_count = 1",
         "PRAGMA max_page_count = 1000000",
         {"磁盘已满", "刚才的更改没有保存", "请腾出磁盘空间", "(database or disk is full)"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ExecuteSql(table.Connection(), row.limit);
        std::string report;
        try {
            pages->errorBook.RecordMiss("bee", 1); // the drill's first wrong answer makes the book
        } catch (const std::exception& error) {
            report = gbk::ToUtf8(ErrorReportText(error));
        }
        EXPECT_NE(report.find("：\r\n" + (dir / "DORori.db").string() + "\r\n"), std::string::npos) << report;
        for (const char* said : row.says)
            EXPECT_NE(report.find(said), std::string::npos) << said << " in " << report;

        ExecuteSql(table.Connection(), row.lift);
        EXPECT_EQ(pages->errorBook.Count(), 0);
        EXPECT_TRUE(table.SeekExact("ant") && table.SeekExact("bee"));
    }
    pages->errorBook.RecordMiss("bee", 2);
    EXPECT_EQ(pages->errorBook.Count(), 1) << "no failure left a transaction open";
    EXPECT_EQ(ErrorReportText(std::runtime_error("kept")), "kept") << "any other error keeps its text";
}

} // namespace
