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

namespace fs = std::filesystem;

namespace {

// Starts the server, the window manager and the program, waits for the window, drags its band by
// (100, 80) with the pointer and prints the window's place before and after.
const char* const kSession = R"sh(
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>display 2>/dev/null & xvfb=$!
i=0; while [ ! -s display ] && [ $i -lt 100 ]; do sleep 0.05; i=$((i+1)); done
export DISPLAY=:$(cat display)
openbox >/dev/null 2>&1 & wm=$!
i=0; while ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && [ $i -lt 100 ]; do
  sleep 0.05; i=$((i+1)); done
./DoRori & app=$!
WID=; i=0
while [ -z "$WID" ] && [ $i -lt 100 ]; do
  WID=$(xdotool search --onlyvisible --name '^RIdavave$' 2>/dev/null | head -n 1); sleep 0.1; i=$((i+1)); done
sleep 0.5
place() { eval "$(xdotool getwindowgeometry --shell "$WID")"; echo "$1=$X,$Y"; }
place before
xdotool mousemove $((X + 60)) $((Y + 10)); sleep 0.2
xdotool mousedown 1; sleep 0.2
for step in 1 2 3 4; do xdotool mousemove $((X + 60 + step * 25)) $((Y + 10 + step * 20)); sleep 0.1; done
xdotool mouseup 1; sleep 0.5
place after
kill $app; wait $app; kill $wm $xvfb; wait
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
    for (const char* tool : {"Xvfb", "openbox", "xdotool", "xprop"})
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
    session.start("sh", {"-c", QString::fromLatin1(kSession)});
    ASSERT_TRUE(session.waitForFinished(60000));
    const std::string output =
        session.readAllStandardOutput().toStdString() + session.readAllStandardError().toStdString();

    const QPoint before = Place(output, QStringLiteral("before"));
    ASSERT_NE(before, QPoint(-1, -1)) << output;
    EXPECT_EQ(Place(output, QStringLiteral("after")), before + QPoint(100, 80)) << output;
}
