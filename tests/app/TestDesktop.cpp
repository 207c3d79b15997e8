#include "TestDesktop.h"

#include <QDBusConnection>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

#include <X11/Xlib.h>
#include <algorithm>

namespace fs = std::filesystem;

namespace {

// How much of a process's last output a failure quotes.
constexpr qint64 kQuotedOutput = 800;

QString Text(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

std::string LastOutput(const QString& log)
{
    QFile file(log);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const qint64 from = std::max<qint64>(0, file.size() - kQuotedOutput);
    file.seek(from);
    QByteArray text = file.readAll();
    if (from > 0)
        text.remove(0, text.indexOf('\n') + 1); // whole lines only
    return text.trimmed().toStdString();
}

} // namespace

bool Eventually(const std::function<bool()>& condition, int patienceMs)
{
    for (int waited = 0; waited < patienceMs; waited += 100) {
        if (condition())
            return true;
        QThread::msleep(100);
    }
    return condition();
}

bool AwaitWhileRunning(QProcess& provider, const std::function<bool()>& proof)
{
    // Waiting for the provider's end also reads what it prints, which a proof may look for.
    while (!proof())
        if (provider.state() == QProcess::NotRunning || provider.waitForFinished(50))
            return proof();
    return true;
}

TestDesktop::TestDesktop(const TempDir& dir) : logs_(dir / "logs")
{
    fs::create_directory(logs_);
    environment_ = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY", "DBUS_SESSION_BUS_ADDRESS"})
        environment_.remove(name);
    // The program's single-instance channel, session bus and settings are this desktop's own, and
    // so is whatever the panel keeps.
    fs::create_directory(dir / "runtime");
    fs::permissions(dir / "runtime", fs::perms::owner_all);
    environment_.insert("XDG_RUNTIME_DIR", Text(dir / "runtime"));
    for (const auto& [name, folder] :
         {std::pair{"XDG_CONFIG_HOME", "config"}, std::pair{"XDG_DATA_HOME", "data"},
          std::pair{"XDG_CACHE_HOME", "cache"}})
        environment_.insert(name, Text(dir / folder));
    // GTK's accessibility bridge would start a bus of its own for the panel.
    environment_.insert("NO_AT_BRIDGE", "1");
}

TestDesktop::~TestDesktop()
{
    if (!busName_.isEmpty())
        QDBusConnection::disconnectFromBus(busName_);
    if (display_)
        XCloseDisplay(display_);
    for (auto it = processes_.rbegin(); it != processes_.rend(); ++it) {
        (*it)->terminate();
        if (!(*it)->waitForFinished(3000))
            (*it)->kill();
        (*it)->waitForFinished(3000);
    }
}

std::string TestDesktop::Start(const PanelCommand& panel)
{
    for (const auto& step :
         {&TestDesktop::StartBus, &TestDesktop::StartServer, &TestDesktop::StartWindowManager})
        if (std::string failure = (this->*step)(); !failure.empty())
            return failure;
    return StartPanel(panel);
}

std::string TestDesktop::StartBus()
{
    const QString socket = environment_.value("XDG_RUNTIME_DIR") + "/bus";
    QProcess& bus =
        Launch("dbus-daemon",
               {"--session", "--nofork", "--nopidfile", "--print-address=1", "--address=unix:path=" + socket},
               {}, Output::Read);
    // It names its address once it listens.
    if (std::string failure = Await(
            bus, [&] { return bus.canReadLine(); }, "the session bus named no address");
        !failure.empty())
        return failure;
    const QString address = QString::fromLatin1(bus.readLine()).trimmed();
    environment_.insert("DBUS_SESSION_BUS_ADDRESS", address);
    busName_ = "test-desktop-" + socket;
    if (!QDBusConnection::connectToBus(address, busName_).isConnected())
        return "cannot connect to the session bus at " + address.toStdString();
    return {};
}

std::string TestDesktop::StartServer()
{
    // The server picks a free display itself and names it once it accepts clients. Without
    // -noreset it would start over whenever its last client leaves: a look with a tool that ended
    // before the window manager had connected could take the manager down.
    QProcess& server =
        Launch("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x700x24", "-nolisten", "tcp", "-noreset"}, {},
               Output::Read);
    if (std::string failure = Await(
            server, [&] { return server.canReadLine(); }, "the X server named no display");
        !failure.empty())
        return failure;
    const QString display = ":" + QString::fromLatin1(server.readLine()).trimmed();
    environment_.insert("DISPLAY", display);
    display_ = XOpenDisplay(display.toLatin1().constData());
    return display_ ? std::string() : "cannot connect to the X server on " + display.toStdString();
}

std::string TestDesktop::StartWindowManager()
{
    QProcess& manager = Spawn("openbox", {});
    // A window mapped before the manager's event loop runs may stay unmapped (the manager
    // announces itself earlier): a desktop switch that the manager carries out shows that it runs.
    for (const QString desktop : {"1", "0"}) {
        const auto switched = [&] {
            Tool("xdotool", {"set_desktop", desktop});
            return Tool("xdotool", {"get_desktop"}).trimmed() == desktop;
        };
        if (std::string failure = Await(
                manager, switched, "the window manager did not switch to desktop " + desktop.toStdString());
            !failure.empty())
            return failure;
    }
    return {};
}

std::string TestDesktop::StartPanel(const PanelCommand& panel)
{
    panelProcess_ = &Spawn(panel.program, panel.arguments);
    if (std::string failure = AwaitFromPanel(
            [&] {
                return !(panel_ = FirstWindow({"--onlyvisible", "--class", panel.windowClass})).isEmpty();
            },
            "the panel did not show");
        !failure.empty())
        return failure;
    // The notification area is there once it owns the screen's tray selection.
    const QByteArray selection = "_NET_SYSTEM_TRAY_S" + QByteArray::number(DefaultScreen(display_));
    const Atom tray = XInternAtom(display_, selection.constData(), False);
    return AwaitFromPanel([&] { return XGetSelectionOwner(display_, tray) != None; },
                          "the panel took no tray selection");
}

std::string TestDesktop::AwaitFromPanel(const std::function<bool()>& proof, const std::string& what)
{
    return Await(*panelProcess_, proof, what);
}

std::string TestDesktop::Await(QProcess& provider, const std::function<bool()>& proof,
                               const std::string& what)
{
    if (AwaitWhileRunning(provider, proof))
        return {};
    std::string end = " ended with exit code " + std::to_string(provider.exitCode());
    if (provider.error() == QProcess::FailedToStart)
        end = " did not start";
    else if (provider.exitStatus() == QProcess::CrashExit)
        end = " was killed";
    return what + ": " + provider.program().toStdString() + end +
           "; its last output: " + LastOutput(provider.property("log").toString());
}

QProcess& TestDesktop::Spawn(const QString& program, const QStringList& arguments, const QString& directory)
{
    return Launch(program, arguments, directory, Output::Logged);
}

QProcess& TestDesktop::Launch(const QString& program, const QStringList& arguments, const QString& directory,
                              Output output)
{
    processes_.push_back(std::make_unique<QProcess>());
    QProcess& process = *processes_.back();
    process.setProcessEnvironment(environment_);
    process.setWorkingDirectory(directory);
    const QString log = Text(
        logs_ / (std::to_string(processes_.size()) + "-" + program.section('/', -1).toStdString() + ".log"));
    process.setProperty("log", log);
    // Output nobody reads would fill its pipe and stop the process.
    if (output == Output::Logged)
        process.setStandardOutputFile(log, QIODevice::Append);
    process.setStandardErrorFile(log, QIODevice::Append);
    process.start(program, arguments);
    return process;
}

QString TestDesktop::Tool(const QString& program, const QStringList& arguments) const
{
    QProcess tool;
    tool.setProcessEnvironment(environment_);
    tool.start(program, arguments);
    tool.waitForFinished(kPatienceMs);
    return QString::fromLocal8Bit(tool.readAllStandardOutput());
}

QStringList TestDesktop::Windows(const QStringList& search) const
{
    return Tool("xdotool", QStringList{"search"} + search).split('\n', Qt::SkipEmptyParts);
}

WindowInfo TestDesktop::Info(const QString& window) const
{
    const QString text = Tool("xwininfo", {"-id", window});
    const auto number = [&](const char* label) {
        return QRegularExpression(QString::fromLatin1(label) + ":\\s+(-?\\d+)")
            .match(text)
            .captured(1)
            .toInt();
    };
    return {QRect(number("Absolute upper-left X"), number("Absolute upper-left Y"), number("Width"),
                  number("Height")),
            text.contains("Map State: IsViewable")};
}

bool TestDesktop::Managed(const QString& window) const
{
    const QString hex = "0x" + QString::number(window.toULongLong(), 16);
    return Tool("xprop", {"-root", "_NET_CLIENT_LIST"}).contains(QRegularExpression(hex + "\\b"));
}

QByteArray TestDesktop::Picture(const QString& window) const
{
    QProcess import;
    import.setProcessEnvironment(environment_);
    import.start("import", {"-window", window, "rgb:-"});
    import.waitForFinished(kPatienceMs);
    return import.readAllStandardOutput();
}

QByteArray TestDesktop::SettledPicture(const QString& window) const
{
    QByteArray settled;
    Eventually([&] {
        const QByteArray first = Picture(window);
        QThread::msleep(100);
        const bool painted = first.size() >= 6 && first.count(first.left(3)) * 3 != first.size();
        settled = painted && Picture(window) == first ? first : QByteArray();
        return !settled.isEmpty();
    });
    return settled;
}

QDBusConnection TestDesktop::Bus() const
{
    return QDBusConnection(busName_);
}
