#include "DesktopFixture.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include <filesystem>

namespace fs = std::filesystem;

void DesktopFixture::StartDesktop(const PanelCommand& panel)
{
    for (const QString& tool : {QString("dbus-daemon"), QString("Xvfb"), QString("openbox"), panel.program,
                                QString("xdotool"), QString("xwininfo"), QString("xprop"), QString("import")})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            GTEST_SKIP() << tool.toStdString() << " is not installed";
    const fs::path built = fs::path(QCoreApplication::applicationDirPath().toStdString()) / "DoRori";
    ASSERT_TRUE(fs::exists(built)) << built;
    fs::create_directory(dir / "program");
    fs::copy_file(built, dir / "program/DoRori");
    desktop = std::make_unique<TestDesktop>(dir);
    const std::string failure = desktop->Start(panel);
    ASSERT_TRUE(failure.empty()) << "no desktop with a notification area: " << failure;
}

QProcess& DesktopFixture::StartProgram()
{
    return desktop->Spawn(QString::fromStdString((dir / "program/DoRori").string()), {},
                          QString::fromStdString((dir / "program").string()));
}

QString DesktopFixture::MainWindow() const
{
    return desktop->FirstWindow({"--onlyvisible", "--name", "^RIdavave$"});
}

bool DesktopFixture::Shown(const QString& window) const
{
    return desktop->Info(window).viewable && desktop->Managed(window);
}

bool DesktopFixture::InTray(const QString& window) const
{
    return !desktop->Info(window).viewable && !desktop->Managed(window);
}

bool DesktopFixture::Minimise(const QString& window) const
{
    desktop->Tool("xdotool", {"mousemove", "--window", window, "274", "14", "click", "1"});
    return Eventually([&] { return InTray(window); });
}

void DesktopFixture::ClickAt(const QRect& rect, const QStringList& click) const
{
    const QPoint centre = rect.center();
    desktop->Tool(
        "xdotool",
        QStringList{"mousemove", QString::number(centre.x()), QString::number(centre.y()), "click"} + click);
}

bool DesktopFixture::MenuOpens(const std::function<void()>& ask) const
{
    const auto shown = [this] { return desktop->Windows({"--onlyvisible", "--class", "^DoRori$"}).size(); };
    const qsizetype before = shown();
    // A menu asked for while the window just hidden into the tray is still losing the focus may
    // close at once (seen with four desktops at a time on two cores): a user asks again, and so
    // does the test.
    return Eventually([&] {
        ask();
        return Eventually([&] { return shown() > before; }, kPatienceMs / 5);
    });
}
