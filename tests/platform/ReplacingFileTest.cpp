#include "platform/ReplacingFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::set<std::string> FilesIn(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool MakesNamelessFiles(const fs::path& folder)
{
    const int nameless = ::open(folder.c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (nameless >= 0)
        ::close(nameless);
    return nameless >= 0;
}

TEST(ReplacingFile, WhileItIsWrittenNothingButTheOldFileIsThereSoAKillLeavesNothingBehind)
{
    TempDir dir;
    if (!MakesNamelessFiles(dir.path()))
        GTEST_SKIP() << "the file system makes no files without a name";
    const fs::path target = dir / "out.txt";
    std::ofstream(target) << "old";
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    {
        ReplacingFile file(target.string(), "out.txt");
        file.Write(std::string(1 << 20, 'n'));
        // What a kill at this moment would leave: the folder as it was.
        EXPECT_EQ(FilesIn(dir.path()), std::set<std::string>{"out.txt"});
        EXPECT_EQ(ReadFile(target), "old");
        file.Commit();
    }
    EXPECT_EQ(FilesIn(dir.path()), std::set<std::string>{"out.txt"});
    EXPECT_EQ(ReadFile(target), std::string(1 << 20, 'n'));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // Given up before it is complete, the new file goes and the old stays.
    {
        ReplacingFile file(target.string(), "out.txt");
        file.Write("abandoned");
    }
    EXPECT_EQ(FilesIn(dir.path()), std::set<std::string>{"out.txt"});
    EXPECT_EQ(ReadFile(target), std::string(1 << 20, 'n'));
}

TEST(ReplacingFile, APassingNameLeftByAKillGoesWithTheNextReplacementAndNeighboursStay)
{
    TempDir dir;
    if (!MakesNamelessFiles(dir.path()))
        GTEST_SKIP() << "the file system makes no files without a name";
    const fs::path target = dir / "out.txt";
    std::ofstream(dir / "out.txt.replacing") << "complete, but killed before it took its name";
    std::ofstream(dir / "out.txt.backup") << "the user's";
    ReplacingFile file(target.string(), "out.txt");
    file.Write("new");
    file.Commit();
    EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"out.txt", "out.txt.backup"}));
    EXPECT_EQ(ReadFile(target), "new");

    // A folder someone else keeps locked is not waited for: the file is replaced all the same.
    const int folder = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(folder, LOCK_EX), 0);
    ReplacingFile again(target.string(), "out.txt");
    again.Write("newer");
    again.Commit();
    ::close(folder);
    EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"out.txt", "out.txt.backup"}));
    EXPECT_EQ(ReadFile(target), "newer");
}

} // namespace
