#include "dict/WordListFolder.h"

#include "dict/DictTable.h"
#include "dict/DictionaryOpening.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Makes `dir` read-only for this process alone. Root may write anywhere, so for root it becomes a
// read-only bind mount in a private mount namespace; for anyone else its permission bits suffice.
bool MakeReadOnly(const fs::path& dir)
{
    if (::geteuid() != 0)
        return ::chmod(dir.c_str(), 0555) == 0;
    return ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           ::mount(dir.c_str(), dir.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
           ::mount(nullptr, dir.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
}

// The folder the rule chooses, asked in a child process so that the read-only view stays its own.
fs::path ChosenFolder(const fs::path& programDir, bool readOnly, WordListRule rule)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        if (readOnly && !MakeReadOnly(programDir))
            ::_exit(3);
        const std::string chosen = WordListFolder(programDir, rule).string();
        const bool written = ::write(channel[1], chosen.data(), chosen.size()) == ssize_t(chosen.size());
        ::_exit(written ? 0 : 4);
    }
    ::close(channel[1]);
    std::string chosen;
    char buffer[256];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        chosen.append(buffer, n);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
    if (readOnly)
        ::chmod(programDir.c_str(), 0755);
    return chosen;
}

TEST(WordListFolder, BesideAWritableProgramElseInTheUserDataFolderAndAnExistingTableBesideWins)
{
    struct Row {
        const char* name;
        bool readOnly;
        bool tableBeside;
        WordListRule rule;
        bool beside;
    };
    const Row rows[] = {
        {"writable folder", false, false, WordListRule::BesideWhenWritable, true},
        {"read-only folder", true, false, WordListRule::BesideWhenWritable, false},
        {"table beside a read-only program", true, true, WordListRule::BesideWhenWritable, true},
        {"packaged program in a writable folder", false, false, WordListRule::AlwaysInHome, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir home;
        TempDir program;
        setenv("XDG_DATA_HOME", home.path().c_str(), 1);
        if (row.tableBeside) {
            fs::create_directory(program / "data");
            TDictTable::CreateTable(DictionaryPath(program.path()).string());
        }
        const fs::path chosen = ChosenFolder(program.path(), row.readOnly, row.rule);
        EXPECT_EQ(chosen, row.beside ? program.path() : home / "dorori");
        // The probe leaves nothing behind.
        EXPECT_EQ(fs::is_empty(program.path()), !row.tableBeside);
    }
}

} // namespace
