// The real program from a copy of its folder under a virtual X display with a window manager, as
// on a desktop: the pointer drags the window by its top band. The display is chosen by the X
// server itself, so that parallel tests never share one.

#include "support/TempDir.h"

#include <QCoreApplication>
#include <QPoint>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <filesystem>
#include <signal.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Starts the server, the window manager and the program, waits for the window, drags its band by
// (101, 81) with the pointer and prints the window's place before and after.
const char* const kSession = R"sh(
# -noreset: a server that started over when its last client left could take openbox down with it.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>display 2>/dev/null & xvfb=$!
i=0; while [ ! -s display ] && [ $i -lt 100 ]; do sleep 0.05; i=$((i+1)); done
export DISPLAY=:$(cat display)
openbox >/dev/null 2>&1 & wm=$!
# A window mapped before the manager's event loop runs may stay unmapped: a desktop switch that
# the manager carries out shows that the loop runs.
on_desktop() { xdotool set_desktop "$1" 2>/dev/null; [ "$(xdotool get_desktop 2>/dev/null)" = "$1" ]; }
for desktop in 1 0; do i=0; until on_desktop $desktop || [ $i -ge 200 ]; do sleep 0.05; i=$((i+1)); done; done
./DoRori & app=$!
WID=; i=0
while [ -z "$WID" ] && [ $i -lt 100 ]; do
  WID=$(xdotool search --onlyvisible --name '^RIdavave$' 2>/dev/null | head -n 1); sleep 0.1; i=$((i+1))
  kill -0 $app 2>/dev/null || { wait $app; echo "ended=$? before its window showed"; kill $wm $xvfb; wait; exit; }
done
sleep 0.5
place() { eval "$(xdotool getwindowgeometry --shell "$WID")"; echo "$1=$X,$Y"; }
place before
xdotool mousemove $((X + 60)) $((Y + 10)); sleep 0.2
xdotool mousedown 1; sleep 0.2
xdotool mousemove $((X + 61)) $((Y + 11)); sleep 0.2
for step in 1 2 3 4; do xdotool mousemove $((X + 61 + step * 25)) $((Y + 11 + step * 20)); sleep 0.1; done
xdotool mouseup 1; sleep 0.5
place after
kill $app; i=0; while kill -0 $app 2>/dev/null && [ $i -lt 100 ]; do sleep 0.05; i=$((i+1)); done
kill -0 $app 2>/dev/null && { echo "the program did not end on SIGTERM"; kill -KILL $app; }
kill $wm $xvfb; wait
)sh";

QPoint Place(const std::string& output, const QString& name)
{
    const QRegularExpression pattern(name + QStringLiteral("=(-?\\d+),(-?\\d+)"));
    const QRegularExpressionMatch found = pattern.match(QString::fromStdString(output));
    return found.hasMatch() ? QPoint(found.captured(1).toInt(), found.captured(2).toInt()) : QPoint(-1, -1);
}

} // namespace

TEST(EndToEndWithWindowManager, DraggingTheTopBandMovesTheWindow)
{
    for (const char* tool : {"Xvfb", "openbox", "xdotool"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            GTEST_SKIP() << tool << " is not installed";
    const TempDir dir;
    const fs::path built = fs::path(QCoreApplication::applicationDirPath().toStdString()) / "DoRori";
    ASSERT_TRUE(fs::exists(built)) << built;
    fs::copy_file(built, dir / "DoRori");
    fs::create_directory(dir / "run");
    fs::permissions(dir / "run", fs::perms::owner_all);

    QProcess session;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", QString::fromStdString((dir / "config").string()));
    environment.insert("XDG_RUNTIME_DIR", QString::fromStdString((dir / "run").string()));
    environment.remove("QT_QPA_PLATFORM");
    session.setProcessEnvironment(environment);
    session.setWorkingDirectory(QString::fromStdString(dir.path().string()));
    // A group of its own, so that nothing of the session outlives a session that hangs.
    session.setChildProcessModifier([] { ::setsid(); });
    session.start("sh", {"-c", QString::fromLatin1(kSession)});
    const bool finished = session.waitForFinished(60000);
    if (!finished) {
        ::kill(-static_cast<pid_t>(session.processId()), SIGKILL);
        session.waitForFinished();
    }
    const std::string output =
        session.readAllStandardOutput().toStdString() + session.readAllStandardError().toStdString();
    ASSERT_TRUE(finished) << "the session hung: " << output;

    // A start that finds a running instance of this user and display hands over to it.
    if (output.find("ended=0 before") != std::string::npos)
        GTEST_SKIP() << "another instance took the start over: " << output;
    const QPoint before = Place(output, QStringLiteral("before"));
    ASSERT_NE(before, QPoint(-1, -1)) << output;
    // The pointer went (101, 81); the window manager's move starts at the first move event.
    const QPoint moved = Place(output, QStringLiteral("after")) - before;
    EXPECT_NEAR(moved.x(), 101, 1) << output;
    EXPECT_NEAR(moved.y(), 81, 1) << output;
}
