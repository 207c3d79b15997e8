// The real program from a copy of its folder under a virtual X display: first start, hand-over of a
// second start, two starts at the same instant, SIGTERM at any moment and a kill right after the
// window shows; and a start under a Wayland compositor.

#include "TestDesktop.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// Runs a shell script on a virtual X display of its own; returns its output. The server picks a
// free display number itself, so tests that run at once never share one, and never starts over
// when its last client leaves, which could drop a program still connecting.
std::string RunUnderX(const TempDir& dir, const std::string& script)
{
    QProcess server;
    server.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "800x600x24", "-noreset"});
    if (!server.waitForReadyRead(20000))
        return "no X server";
    const QString display = QStringLiteral(":") + QString::fromLatin1(server.readLine().trimmed());
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", QString::fromStdString((dir / "config").string()));
    environment.insert("DISPLAY", display);
    environment.remove("QT_QPA_PLATFORM");
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QString::fromStdString(dir.path().string()));
    process.start("sh", {"-c", QString::fromStdString(script)});
    EXPECT_TRUE(process.waitForFinished(60000));
    server.terminate();
    server.waitForFinished();
    return process.readAllStandardOutput().toStdString() + process.readAllStandardError().toStdString();
}

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty())
            GTEST_SKIP() << "Xvfb is not installed";
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
    // Libraries that most starts never use are loaded when first needed.
    const std::string output =
        RunUnderX(dir, std::string("./DoRori & first=$!; ") + kWaitForFirst +
                           "grep -oE 'lib(asound|hunspell|jpeg|espeak|Qt6Charts)[^/]*$' "
                           "/proc/$first/maps | sed 's/^/mapped at the start: /'; "
                           "./DoRori; echo second=$?; "
                           "kill -0 $first && echo first-running; "
                           "kill -TERM $first; wait $first; echo first=$?");
    EXPECT_EQ(output.find("mapped at the start"), std::string::npos) << output;
    EXPECT_NE(output.find("second=0"), std::string::npos) << output;
    EXPECT_NE(output.find("first-running"), std::string::npos) << output;
    EXPECT_NE(output.find("first=0"), std::string::npos) << output;
    EXPECT_TRUE(fs::exists(dir / "data/DORori.db"));
    // The close sequence ran: the last words were saved.
    std::ifstream saved(dir / "config/ZYSOFT/DoRori.reg");
    const std::string text((std::istreambuf_iterator<char>(saved)), {});
    EXPECT_NE(text.find("QueryWord"), std::string::npos) << text;
}

TEST_F(EndToEndTest, SigtermEndsTheProgramWhileItStartsAndWhileItsStartMessageIsOpen)
{
    // A foreign database where the table should be: the start shows its message and waits.
    fs::create_directories(dir / "data");
    std::ofstream(dir / "data/DORori.db", std::ios::binary) << std::string(3000, 'x');
    fs::create_directories(dir / "config/ZYSOFT");
    std::ofstream(dir / "config/ZYSOFT/DoRori.reg") << "string QueryWord=kept\n";
    const std::string output =
        RunUnderX(dir, "./DoRori & p=$!; "
                       // While the program starts: it has loaded its window system's plugin.
                       "i=0; while ! grep -q libqxcb /proc/$p/maps && [ $i -lt 500 ]; do i=$((i+1)); done; "
                       "kill -TERM $p; wait $p; echo early=$?; "
                       "./DoRori & p=$!; sleep 3; kill -0 $p && echo waiting; "
                       "kill -TERM $p; wait $p; echo boxed=$?");
    EXPECT_NE(output.find("early=0"), std::string::npos) << output;
    EXPECT_NE(output.find("waiting"), std::string::npos) << output;
    EXPECT_NE(output.find("boxed=0"), std::string::npos) << output;
    std::ifstream table(dir / "data/DORori.db", std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(table)), {}), std::string(3000, 'x'));
    // The window never showed, so its empty last words were not saved over the kept ones.
    std::ifstream saved(dir / "config/ZYSOFT/DoRori.reg");
    const std::string text((std::istreambuf_iterator<char>(saved)), {});
    EXPECT_NE(text.find("QueryWord=kept"), std::string::npos) << text;
}

TEST_F(EndToEndTest, AKillRightAfterTheFirstWindowShowsLeavesNoHalfWrittenFile)
{
    if (QStandardPaths::findExecutable("xdotool").isEmpty())
        GTEST_SKIP() << "xdotool is not installed";
    for (int round = 0; round < 3; ++round) {
        fs::remove_all(dir / "data");
        fs::remove_all(dir / "config");
        // Whatever the kill met: no table yet, or a whole one; no settings yet, or whole ones.
        const std::string output = RunUnderX(
            dir,
            std::string("./DoRori & p=$!; i=0; "
                        "until xdotool search --onlyvisible --name '^RIdavave$' >/dev/null 2>&1 "
                        "|| [ $i -ge 1000 ]; do i=$((i+1)); done; "
                        "kill -KILL $p; wait $p; "
                        "if [ -e data/DORori.db ]; then ./DoRori --check >/dev/null; echo killed=$?; fi; "
                        "ls -A config/ZYSOFT 2>/dev/null; "
                        "./DoRori & p=$!; ") +
                kWaitForFirst + "kill -TERM $p; wait $p; ./DoRori --check >/dev/null; echo again=$?");
        EXPECT_EQ(output.find("killed=1"), std::string::npos) << output;
        EXPECT_NE(output.find("again=0"), std::string::npos) << output;
        for (const auto& entry : fs::directory_iterator(dir / "config/ZYSOFT"))
            EXPECT_EQ(entry.path().filename(), "DoRori.reg") << output;
    }
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

TEST_F(EndToEndTest, AStartUnderWaylandPrintsNoWarning)
{
    const QString plugin =
        QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms/libqwayland-generic.so";
    if (QStandardPaths::findExecutable("weston").isEmpty() || !QFile::exists(plugin))
        GTEST_SKIP() << "weston or Qt's wayland platform is not installed";
    // A compositor without a screen, its socket in a session folder of the test's own.
    fs::create_directory(dir / "runtime");
    fs::permissions(dir / "runtime", fs::perms::owner_all);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "DBUS_SESSION_BUS_ADDRESS"})
        environment.remove(name);
    environment.insert("XDG_RUNTIME_DIR", QString::fromStdString((dir / "runtime").string()));
    environment.insert("XDG_CONFIG_HOME", QString::fromStdString((dir / "config").string()));
    QProcess compositor;
    compositor.setProcessEnvironment(environment);
    compositor.setStandardOutputFile(QProcess::nullDevice());
    compositor.setStandardErrorFile(QProcess::nullDevice());
    compositor.start("weston", {"--backend=headless-backend.so", "--socket=wayland-test", "--idle-time=0"});
    ASSERT_TRUE(AwaitWhileRunning(compositor, [&] { return fs::exists(dir / "runtime/wayland-test"); }))
        << "weston ended before it listened";

    environment.insert("WAYLAND_DISPLAY", "wayland-test");
    // In a sanitizer run: the EGL driver's frames have no frame pointers, so only a full unwind
    // shows the leak check whose memory it keeps.
    if (environment.contains("LSAN_OPTIONS"))
        environment.insert("LSAN_OPTIONS", environment.value("LSAN_OPTIONS") + ":fast_unwind_on_malloc=0");
    environment.insert("QT_QPA_PLATFORM", "wayland");
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(QString::fromStdString(dir.path().string()));
    program.start(QString::fromStdString((dir / "DoRori").string()), {});
    // A first start makes its table once the window has been painted, its icon long added.
    EXPECT_TRUE(AwaitWhileRunning(program, [&] { return fs::exists(dir / "data/DORori.db"); }))
        << "the program ended before its window showed";
    program.terminate();
    EXPECT_TRUE(program.waitForFinished(kPatienceMs));
    EXPECT_EQ(program.readAllStandardError().toStdString(), "");
    compositor.terminate();
    compositor.waitForFinished(kPatienceMs);
}

} // namespace
