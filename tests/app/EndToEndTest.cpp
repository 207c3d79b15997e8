// The real program from a copy of its folder under a virtual X display: first start, hand-over of a
// second start, two starts at the same instant, and SIGTERM.

#include "support/TempDir.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// Runs a shell script inside one xvfb-run; returns its standard output.
std::string RunUnderX(const TempDir& dir, const std::string& script)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", QString::fromStdString((dir / "config").string()));
    environment.remove("QT_QPA_PLATFORM");
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QString::fromStdString(dir.path().string()));
    process.start("xvfb-run",
                  {"-a", "-s", "-screen 0 800x600x24", "sh", "-c", QString::fromStdString(script)});
    EXPECT_TRUE(process.waitForFinished(60000));
    return process.readAllStandardOutput().toStdString() + process.readAllStandardError().toStdString();
}

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable("xvfb-run").isEmpty())
            GTEST_SKIP() << "xvfb-run is not installed";
        const fs::path built = fs::path(QCoreApplication::applicationDirPath().toStdString()) / "DoRori";
        ASSERT_TRUE(fs::exists(built)) << built;
        fs::copy_file(built, dir / "DoRori");
    }
    TempDir dir;
};

// Waits (up to 10 s) until the table exists, so the first instance is up.
const char* const kWaitForFirst =
    "i=0; while [ ! -e data/DORori.db ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i+1)); done; sleep 0.5; ";

TEST_F(EndToEndTest, FirstStartCreatesTheTableASecondHandsOverAndSigtermClosesCleanly)
{
    const std::string output = RunUnderX(dir, std::string("./DoRori & first=$!; ") + kWaitForFirst +
                                                  "./DoRori; echo second=$?; "
                                                  "kill -0 $first && echo first-running; "
                                                  "kill -TERM $first; wait $first; echo first=$?");
    EXPECT_NE(output.find("second=0"), std::string::npos) << output;
    EXPECT_NE(output.find("first-running"), std::string::npos) << output;
    EXPECT_NE(output.find("first=0"), std::string::npos) << output;
    EXPECT_TRUE(fs::exists(dir / "data/DORori.db"));
    // The close sequence ran: the last words were saved.
    std::ifstream saved(dir / "config/ZYSOFT/DoRori.reg");
    const std::string text((std::istreambuf_iterator<char>(saved)), {});
    EXPECT_NE(text.find("QueryWord"), std::string::npos) << text;
}

TEST_F(EndToEndTest, TwoStartsAtTheSameInstantLeaveOneInstance)
{
    for (int round = 0; round < 5; ++round) {
        const std::string output = RunUnderX(
            dir,
            std::string("./DoRori & a=$!; ./DoRori & b=$!; sleep 3; "
                        "n=0; kill -0 $a 2>/dev/null && n=$((n+1)); kill -0 $b 2>/dev/null && n=$((n+1)); "
                        "echo running=$n; kill -TERM $a $b 2>/dev/null; wait"));
        EXPECT_NE(output.find("running=1"), std::string::npos) << output;
    }
}

} // namespace
