// A kill at any moment of the drill with 间隔复习 on leaves the file whole and every answer whose
// result was shown on disk: a drill answers in a child process, some answers wrong, its clock
// running on, and is killed as its first answer begins and after a few and after many results.
// The table then passes the engine's integrity check, the review tables are usable, each card has
// exactly the answers its reps count, and the log holds at least every answer shown.

#include "store/DictTable.h"
#include "store/ReviewStore.h"
#include "store/TableFile.h"
#include "study/StudyPages.h"
#include "support/FakeView.h"
#include "support/SqlText.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <sqlite3.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Tells the parent, as each result shows, how many answers the log holds then.
class SignallingView : public FakeView {
public:
    SignallingView(int pipe, TDictTable& table) : pipe_(pipe), table_(table) {}
    void ShowStatus(const std::string& message) override
    {
        FakeView::ShowStatus(message);
        if (message != "Quite Right!" && message != "Error!")
            return;
        const std::string count = SqlText(table_.Connection(), "SELECT count(*) FROM ReviewLog");
        const std::int32_t logged = count.empty() ? 0 : std::stoi(count);
        if (::write(pipe_, &logged, sizeof logged) != sizeof logged)
            _exit(3);
    }

private:
    int pipe_;
    TDictTable& table_;
};

[[noreturn]] void DrillInChild(const std::string& path, int pipe)
{
    try {
        TDictTable table;
        table.Open(path);
        SignallingView view(pipe, table);
        StudyPages pages(table, view, StudyPaths{"/nonexistent.ini", "/tmp"});
        std::int64_t now = 1796781600;
        pages.clock.now = [&now] { return now += 20; };
        pages.state.DictationSchedule = true;
        pages.state.NewWordsPerDay = 9999;
        const std::int32_t start = -1;
        if (::write(pipe, &start, sizeof start) != sizeof start)
            _exit(3);
        view.SelectPage(PageDictation);
        pages.PageControl1Change();
        for (int answer = 0;; ++answer) {
            view.Type(Control::Edit_Dictation, answer % 3 == 1 ? "?" : pages.state.DictationWord);
            pages.dictation.Edit_DictationKeyDown(VK_RETURN);
        }
    } catch (...) {
        _exit(2);
    }
}

} // namespace

TEST(ReviewKill, AKillAtAnyMomentOfTheDrillLeavesTheFileWholeAndEveryShownAnswerOnDisk)
{
    TempDir dir;
    setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    // Kill after this many results; 0: as the first answer begins, which makes the tables.
    for (const int results : {0, 1, 6, 40}) {
        const std::string path = (dir / ("DORori-" + std::to_string(results) + ".db")).string();
        CreateTableFile(path);
        {
            TDictTable table;
            table.Open(path);
            for (int i = 0; i < 100; ++i) {
                table.Append();
                table.SetFieldByName("word", "word" + std::to_string(1000 + i));
                table.Post();
            }
        }
        int pipe[2];
        ASSERT_EQ(::pipe(pipe), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipe[0]);
            DrillInChild(path, pipe[1]);
        }
        ::close(pipe[1]);
        std::int32_t logged = 0;
        int seen = -1;
        while (seen < results && ::read(pipe[0], &logged, sizeof logged) == sizeof logged)
            ++seen;
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ::close(pipe[0]);
        ASSERT_EQ(seen, results) << "the drill ended before it was killed";

        TDictTable table;
        table.Open(path);
        ReviewStore store(table);
        sqlite3* db = table.Connection();
        EXPECT_EQ(SqlText(db, "PRAGMA integrity_check"), "ok") << "killed after " << results;
        EXPECT_TRUE(store.Usable()) << "killed after " << results;
        const std::string inLog = SqlText(db, "SELECT count(*) FROM ReviewLog");
        EXPECT_GE(inLog.empty() ? 0 : std::stoi(inLog), std::max(logged, 0)) << "killed after " << results;
        EXPECT_EQ(SqlText(db, "SELECT count(*) FROM ReviewCard WHERE reps !="
                              " (SELECT count(*) FROM ReviewLog WHERE ReviewLog.word = ReviewCard.word)"),
                  inLog.empty() ? "" : "0")
            << "killed after " << results;
        EXPECT_GE(std::max(logged, 0), results / 2) << "most answers were reviews";
    }
}
