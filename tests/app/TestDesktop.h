#pragma once
// A desktop of its own for the end-to-end tests of the whole program: a session bus, an X server, a
// window manager and a panel with a notification area, and the tools that look at them. Each step
// waits for what proves the one before it up for as long as the process that should bring it runs:
// under load a step may take long, a step whose process has ended never comes, and ctest's timeout
// is the backstop for one that hangs.

#include "support/TempDir.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct _XDisplay;

// How long a test waits for what the program it drives should do.
constexpr int kPatienceMs = 15000;

// Polls until the condition holds or the patience runs out.
bool Eventually(const std::function<bool()>& condition, int patienceMs = kPatienceMs);

// Polls `proof` while `provider` runs; false once the provider has ended without it.
bool AwaitWhileRunning(QProcess& provider, const std::function<bool()>& proof);

struct WindowInfo {
    QRect rect; // on the screen
    bool viewable = false;
};

// The panel that holds the notification area.
struct PanelCommand {
    QString program;
    QStringList arguments;
    QString windowClass; // a regular expression, as xdotool matches it
};

class TestDesktop {
public:
    // The program's settings and session folders go under `dir`.
    explicit TestDesktop(const TempDir& dir);
    ~TestDesktop();
    TestDesktop(const TestDesktop&) = delete;
    TestDesktop& operator=(const TestDesktop&) = delete;

    // Empty when the desktop is up with the panel's notification area; otherwise what did not come up.
    std::string Start(const PanelCommand& panel);
    // Waits for `proof` while the panel runs; empty once it holds, otherwise why it never will.
    std::string AwaitFromPanel(const std::function<bool()>& proof, const std::string& what);

    // Starts a program on the desktop, its output kept for a failure to quote; it is ended with
    // the desktop.
    QProcess& Spawn(const QString& program, const QStringList& arguments, const QString& directory = {});
    // Runs a tool on the desktop to its end and returns what it printed.
    QString Tool(const QString& program, const QStringList& arguments) const;

    QStringList Windows(const QStringList& search) const;
    QString FirstWindow(const QStringList& search) const { return Windows(search).value(0); }
    WindowInfo Info(const QString& window) const;
    // In the window manager's list of managed windows: what taskbars show.
    bool Managed(const QString& window) const;
    QByteArray Picture(const QString& window) const;
    // The window's picture once it is painted: more than one colour, and the same in two looks a
    // moment apart. Empty when it never settles.
    QByteArray SettledPicture(const QString& window) const;
    QString Panel() const { return panel_; }
    // A connection of the test's own to the desktop's session bus.
    QDBusConnection Bus() const;

private:
    enum class Output { Logged, Read };
    QProcess& Launch(const QString& program, const QStringList& arguments, const QString& directory,
                     Output output);
    std::string StartBus();
    std::string StartServer();
    std::string StartWindowManager();
    std::string StartPanel(const PanelCommand& panel);
    // `what` once `provider` has ended without `proof`, with what it last wrote.
    std::string Await(QProcess& provider, const std::function<bool()>& proof, const std::string& what);

    std::filesystem::path logs_;
    QProcessEnvironment environment_;
    std::vector<std::unique_ptr<QProcess>> processes_; // in the order started
    QString busName_;
    _XDisplay* display_ = nullptr;
    QProcess* panelProcess_ = nullptr;
    QString panel_;
};
