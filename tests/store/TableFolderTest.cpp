#include "store/TableFolder.h"

#include "store/DictTable.h"
#include "store/TableFile.h"
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

// Whether the rule chooses `expected`, asked in a child process so that the read-only view stays its own.
bool Chooses(const fs::path& programDir, bool readOnly, TableFolderRule rule, const fs::path& expected)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit((readOnly && !MakeReadOnly(programDir))     ? 2
                : TableFolder(programDir, rule) == expected ? 0
                                                            : 1);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (readOnly)
        ::chmod(programDir.c_str(), 0755);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(TableFolder, BesideAWritableProgramElseInTheUserDataFolderAndAnExistingTableBesideWins)
{
    struct Row {
        const char* name;
        bool readOnly;
        bool tableBeside;
        TableFolderRule rule;
        bool beside;
    };
    const Row rows[] = {
        {"writable folder", false, false, TableFolderRule::BesideWhenWritable, true},
        {"read-only folder", true, false, TableFolderRule::BesideWhenWritable, false},
        {"table beside a read-only program", true, true, TableFolderRule::BesideWhenWritable, true},
        {"packaged program in a writable folder", false, false, TableFolderRule::AlwaysInHome, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir home;
        TempDir program;
        setenv("XDG_DATA_HOME", home.path().c_str(), 1);
        if (row.tableBeside) {
            fs::create_directory(program / "data");
            CreateTableFile(TablePath(program.path()).string());
        }
        EXPECT_TRUE(
            Chooses(program.path(), row.readOnly, row.rule, row.beside ? program.path() : home / "dorori"));
        // The probe leaves nothing behind.
        EXPECT_EQ(fs::is_empty(program.path()), !row.tableBeside);
    }
}

} // namespace
