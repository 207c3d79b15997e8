// A kill at any moment of an import into an empty table leaves the table whole: an import runs in a
// child process and is killed early, midway, and while the table's indexes are made and committed;
// the table then passes the engine's integrity check, has its indexes, and holds either nothing or
// every word of the file.

#include "store/DictSchema.h"
#include "store/DictTable.h"
#include "store/TableFile.h"
#include "study/FormState.h"
#include "study/WordListTransfer.h"
#include "support/FakeView.h"
#include "support/SqlText.h"
#include "support/TempDir.h"
#include "wordlist/WordListFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <sqlite3.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kWords = 150000;

// Tells the parent, through a pipe, each time the import lets the window take its events: 'e'
// while the file is read, 'f' once the bar has reached its end (the indexes are made and the
// commit runs then).
class SignallingView : public FakeView {
public:
    explicit SignallingView(int pipe) : pipe_(pipe) {}
    void SetProgress(int percent) override { atEnd_ = percent == 100; }
    void ProcessEvents() override
    {
        const char signal = atEnd_ ? 'f' : 'e';
        if (::write(pipe_, &signal, 1) != 1)
            _exit(3);
    }

private:
    int pipe_;
    bool atEnd_ = false;
};

[[noreturn]] void ImportInChild(const std::string& table, const std::string& file, int pipe)
{
    try {
        TDictTable dict;
        dict.Open(table);
        FormState state;
        SignallingView view(pipe);
        WordListTransfer transfer({dict, state, view});
        view.fileAnswers = {file};
        transfer.SpeedImportClick();
        _exit(0);
    } catch (...) {
        _exit(2);
    }
}

struct Checked {
    std::string integrity;
    int indexes = 0;
    long long count = -1;
};

// The engine's own view of the file, with the word collation that the indexes are ordered by.
Checked CheckTable(const std::string& path)
{
    Checked checked;
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    RegisterWordCollation(db);
    const auto text = [db](const char* sql) { return SqlText(db, sql); };
    checked.integrity = text("PRAGMA integrity_check");
    checked.indexes =
        std::stoi(text("SELECT count(*) FROM sqlite_master WHERE name IN ('wordindex', 'interpretindex')"));
    checked.count = std::stoll(text("SELECT count(*) FROM DORori"));
    sqlite3_close(db);
    return checked;
}

void KillImportAtEachMoment(std::size_t explanationWidth)
{
    TempDir dir;
    const std::string file = (dir / "list.txt").string();
    const auto explanation = [explanationWidth](int i) {
        std::string text = "explanation " + std::to_string(i % 977);
        text.resize(std::max(text.size(), explanationWidth), '.');
        return text;
    };
    {
        std::string bytes;
        for (int i = 0; i < kWords; ++i)
            AppendWordListLine(bytes, "word" + std::to_string(i), explanation(i));
        EXPECT_EQ(bytes.size() >= TDictTable::WriteOnceFromBytes, explanationWidth > 0);
        std::ofstream(file, std::ios::binary) << bytes;
    }
    // Kill after this many rounds of events while reading; 0: once the indexes are being made.
    for (const int rounds : {1, 40, 0}) {
        const std::string table = (dir / ("DORori-" + std::to_string(rounds) + ".db")).string();
        CreateTableFile(table);
        int pipe[2];
        ASSERT_EQ(::pipe(pipe), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipe[0]);
            ImportInChild(table, file, pipe[1]);
        }
        ::close(pipe[1]);
        int seen = 0;
        char signal = 0;
        while (::read(pipe[0], &signal, 1) == 1) {
            if ((rounds > 0 && ++seen >= rounds) || (rounds == 0 && signal == 'f'))
                break;
        }
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ::close(pipe[0]);

        const Checked checked = CheckTable(table);
        EXPECT_EQ(checked.integrity, "ok") << "killed after " << rounds;
        EXPECT_EQ(checked.indexes, 2) << "killed after " << rounds;
        EXPECT_TRUE(checked.count == 0 || checked.count == kWords) << checked.count;
        TDictTable reopened;
        reopened.Open(table);
        EXPECT_EQ(reopened.RecordCount(), checked.count);
        if (checked.count == kWords) {
            EXPECT_TRUE(reopened.SeekExact("WORD4242"));
            EXPECT_EQ(reopened.FieldByName("interpret"), explanation(4242));
        }
    }
}

// A list below the size at which a fill writes its pages once stays in the log; one above it
// changes the journal for the fill. Both must survive a kill.
struct KilledList {
    const char* name;
    std::size_t explanationWidth;
};

} // namespace

TEST(ImportKill, AKillAtAnyMomentOfAnImportIntoAnEmptyTableLeavesItWhole)
{
    for (const KilledList list : {KilledList{"in the log", 0}, KilledList{"written once", 100}}) {
        SCOPED_TRACE(list.name);
        KillImportAtEachMoment(list.explanationWidth);
    }
}
