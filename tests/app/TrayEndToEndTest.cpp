// The real program on a desktop of its own, with a window manager and a panel that has a
// notification area: minimised into the tray and back by the icon, by a second start, and ended
// from the tray menu while hidden there.

#include "support/TempDir.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kPatienceMs = 15000;

// Polls until the condition holds or the patience runs out.
bool Eventually(const std::function<bool()>& condition)
{
    for (int waited = 0; waited < kPatienceMs; waited += 100) {
        if (condition())
            return true;
        QThread::msleep(100);
    }
    return condition();
}

struct WindowInfo {
    QRect rect; // on the screen
    bool viewable = false;
};

// Xvfb on a display nobody else uses, openbox and trayer on it, and the tools that look at it.
class TrayDesktop {
public:
    explicit TrayDesktop(const TempDir& dir)
    {
        environment_ = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS"})
            environment_.remove(name);
        // The program's single-instance channel and settings are this desktop's own.
        fs::create_directory(dir / "runtime");
        fs::permissions(dir / "runtime", fs::perms::owner_all);
        environment_.insert("XDG_RUNTIME_DIR", QString::fromStdString((dir / "runtime").string()));
        environment_.insert("XDG_CONFIG_HOME", QString::fromStdString((dir / "config").string()));
    }
    ~TrayDesktop()
    {
        for (auto it = processes_.rbegin(); it != processes_.rend(); ++it) {
            (*it)->terminate();
            if (!(*it)->waitForFinished(3000))
                (*it)->kill();
            (*it)->waitForFinished(3000);
        }
    }

    // The server picks a free display itself and reports it once it accepts clients.
    // Empty when the desktop is up; otherwise what did not come up, for the failure's message.
    std::string Start()
    {
        // Without -noreset the server starts over whenever its last client leaves: a look with a
        // tool that ended before the window manager had connected could take the manager down
        // (about one run in five of the whole suite on two cores).
        QProcess& server =
            Spawn("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x700x24", "-nolisten", "tcp", "-noreset"});
        if (!server.waitForReadyRead(kPatienceMs))
            return "the X server named no display";
        environment_.insert("DISPLAY", ":" + QString::fromLatin1(server.readAllStandardOutput()).trimmed());
        Spawn("openbox", {});
        // A window mapped before the manager's event loop runs may stay unmapped (the manager
        // announces itself earlier): a desktop switch that the manager carries out shows that it runs.
        for (const QString desktop : {"1", "0"})
            if (!Eventually([&] {
                    Tool("xdotool", {"set_desktop", desktop});
                    return Tool("xdotool", {"get_desktop"}).trimmed() == desktop;
                }))
                return "the window manager did not switch to desktop " + desktop.toStdString();
        Spawn("trayer", {"--edge", "bottom", "--align", "right", "--widthtype", "request", "--height", "24",
                         "--SetDockType", "true", "--SetPartialStrut", "true"});
        if (!Eventually([this] {
                return !(panel_ = FirstWindow({"--onlyvisible", "--class", "^trayer$"})).isEmpty();
            }))
            return "the panel did not show";
        return {};
    }

    QProcess& Spawn(const QString& program, const QStringList& arguments, const QString& directory = {})
    {
        processes_.push_back(std::make_unique<QProcess>());
        QProcess& process = *processes_.back();
        process.setProcessEnvironment(environment_);
        process.setWorkingDirectory(directory);
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(program, arguments);
        return process;
    }

    QString Tool(const QString& program, const QStringList& arguments) const
    {
        QProcess tool;
        tool.setProcessEnvironment(environment_);
        tool.start(program, arguments);
        tool.waitForFinished(kPatienceMs);
        return QString::fromLocal8Bit(tool.readAllStandardOutput());
    }

    QStringList Windows(const QStringList& search) const
    {
        return Tool("xdotool", QStringList{"search"} + search).split('\n', Qt::SkipEmptyParts);
    }
    QString FirstWindow(const QStringList& search) const { return Windows(search).value(0); }

    WindowInfo Info(const QString& window) const
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

    // In the window manager's list of managed windows: what taskbars show.
    bool Managed(const QString& window) const
    {
        const QString hex = "0x" + QString::number(window.toULongLong(), 16);
        return Tool("xprop", {"-root", "_NET_CLIENT_LIST"}).contains(QRegularExpression(hex + "\\b"));
    }

    // The program's window that sits in the panel.
    QString TrayIcon(const QString& mainWindow) const
    {
        const QRect panel = Info(panel_).rect;
        for (const QString& window : Windows({"--onlyvisible", "--class", "^DoRori$"}))
            if (window != mainWindow && panel.contains(Info(window).rect))
                return window;
        return {};
    }

    QByteArray Picture(const QString& window) const
    {
        QProcess import;
        import.setProcessEnvironment(environment_);
        import.start("import", {"-window", window, "rgb:-"});
        import.waitForFinished(kPatienceMs);
        return import.readAllStandardOutput();
    }

private:
    QProcessEnvironment environment_;
    std::vector<std::unique_ptr<QProcess>> processes_;
    QString panel_;
};

class TrayEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* tool : {"Xvfb", "openbox", "trayer", "xdotool", "xwininfo", "xprop", "import"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                GTEST_SKIP() << tool << " is not installed";
        const fs::path built = fs::path(QCoreApplication::applicationDirPath().toStdString()) / "DoRori";
        ASSERT_TRUE(fs::exists(built)) << built;
        fs::create_directory(dir / "program");
        fs::copy_file(built, dir / "program/DoRori");
        desktop = std::make_unique<TrayDesktop>(dir);
        const std::string failure = desktop->Start();
        ASSERT_TRUE(failure.empty()) << "no desktop with a notification area: " << failure;
    }

    QProcess& StartProgram()
    {
        return desktop->Spawn(QString::fromStdString((dir / "program/DoRori").string()), {},
                              QString::fromStdString((dir / "program").string()));
    }

    bool Shown(const QString& window) const
    {
        return desktop->Info(window).viewable && desktop->Managed(window);
    }
    bool InTray(const QString& window) const
    {
        return !desktop->Info(window).viewable && !desktop->Managed(window);
    }

    TempDir dir;
    std::unique_ptr<TrayDesktop> desktop;
};

TEST_F(TrayEndToEndTest, MinimisedIntoTheTrayAndBackByTheIconASecondStartAndTheMenu)
{
    QProcess& program = StartProgram();
    QString window, icon;
    ASSERT_TRUE(Eventually([&] {
        window = desktop->FirstWindow({"--onlyvisible", "--name", "^RIdavave$"});
        return !window.isEmpty() && !(icon = desktop->TrayIcon(window)).isEmpty();
    })) << "no window with its icon in the panel";
    const QByteArray normalPicture = desktop->Picture(icon);

    const auto minimise = [&] {
        desktop->Tool("xdotool", {"mousemove", "--window", window, "274", "14", "click", "1"}); // 最小化
        return Eventually([&] { return InTray(window); });
    };
    ASSERT_TRUE(minimise()) << "the window is still mapped or in the taskbar";
    EXPECT_TRUE(desktop->Info(icon).viewable);
    EXPECT_TRUE(Eventually([&] { return desktop->Picture(icon) != normalPicture; }))
        << "the icon does not show its minimised picture";

    const auto clickIcon = [&](const QStringList& click) {
        const QPoint centre = desktop->Info(icon).rect.center();
        desktop->Tool("xdotool", QStringList{"mousemove", QString::number(centre.x()),
                                             QString::number(centre.y()), "click"} +
                                     click);
    };
    clickIcon({"--repeat", "2", "--delay", "100", "1"});
    ASSERT_TRUE(Eventually([&] { return Shown(window); })) << "a double-click on the icon did not restore";
    EXPECT_TRUE(Eventually([&] { return desktop->Picture(icon) == normalPicture; }));

    ASSERT_TRUE(minimise());
    QProcess& second = StartProgram();
    ASSERT_TRUE(second.waitForFinished(kPatienceMs));
    EXPECT_EQ(second.exitCode(), 0);
    ASSERT_TRUE(Eventually([&] { return Shown(window); })) << "a second start did not restore";
    EXPECT_TRUE(Eventually([&] { return desktop->Picture(icon) == normalPicture; }));

    // 退出系统, the menu's last item, while the window is in the tray.
    ASSERT_TRUE(minimise());
    clickIcon({"3"});
    ASSERT_TRUE(Eventually([&] {
        return desktop->Windows({"--onlyvisible", "--class", "^DoRori$"}).size() > 1;
    })) << "a right click opened no menu";
    desktop->Tool("xdotool", {"key", "Up", "Return"});
    ASSERT_TRUE(program.waitForFinished(kPatienceMs)) << "the program goes on after 退出系统";
    EXPECT_EQ(program.exitCode(), 0);
    std::ifstream saved(dir / "config/ZYSOFT/DoRori.reg");
    const std::string text((std::istreambuf_iterator<char>(saved)), {});
    EXPECT_NE(text.find("QueryWord"), std::string::npos) << "the last words were not saved";
}

} // namespace
