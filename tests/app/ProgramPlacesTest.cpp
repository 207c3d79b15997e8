#include "app/ProgramPlaces.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

// The graded lists lie beside the program in the build and a home install, and under share/ from
// the package's bin/.
TEST(ProgramPlaces, TheGradedListsAreBesideTheProgramElseInTheSharedFolder)
{
    TempDir dir;
    fs::create_directories(dir / "build/bin/wordlists");
    fs::create_directories(dir / "usr/bin");
    struct Row {
        const char* name;
        fs::path program;
        fs::path lists;
    };
    const Row rows[] = {
        {"beside the program", dir / "build/bin/DoRori", dir / "build/bin/wordlists"},
        {"the package's", dir / "usr/bin/dorori", dir / "usr/share/dorori/wordlists"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FindProgramPlaces(row.program, TableFolderRule::AlwaysInHome).gradedListsFolder, row.lists)
            << row.name;
}

} // namespace
