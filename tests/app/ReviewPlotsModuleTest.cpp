// Where the statistics window finds its plots module: beside the program, or in the package's
// module folder; a missing or broken module is reported, never loaded.
#include "app/ReviewPlotsModule.h"

#include "app/ProgramPlaces.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

TEST(ReviewPlotsModule, IsFoundBesideTheProgramOrInItsLibFolderAndABadOneIsReported)
{
    const fs::path built = RunningProgramFile().parent_path() / kReviewPlotsModule;
    struct Row {
        const char* name;
        const char* placedAt; // the module's copy, under the folder (nullptr: none)
        const char* contents; // instead of the built module's
        const char* errorNames;
    };
    const Row rows[] = {
        {"beside the program", "bin", nullptr, nullptr},
        {"as the package has it", kPackagedModuleFolder, nullptr, nullptr},
        {"missing", nullptr, nullptr, "/dorori/dorori-plots.so: no such file"},
        {"not a library", "bin", "not a module", "dorori-plots.so"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        fs::create_directories(dir / "bin");
        if (row.placedAt) {
            const fs::path module = dir / row.placedAt / kReviewPlotsModule;
            fs::create_directories(module.parent_path());
            if (row.contents)
                std::ofstream(module) << row.contents;
            else
                fs::copy_file(built, module);
        }
        std::string error;
        const MakeReviewPlotsFunction make = LoadReviewPlots(dir / "bin", error);
        if (row.errorNames) {
            EXPECT_EQ(make, nullptr);
            EXPECT_NE(error.find(row.errorNames), std::string::npos) << error;
        } else {
            EXPECT_NE(make, nullptr) << error;
        }
    }
}
