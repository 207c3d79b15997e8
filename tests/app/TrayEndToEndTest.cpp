// The real program on a desktop of its own, with a window manager and a panel that has an XEmbed
// notification area: minimised into the tray and back by the icon, by a second start, and ended
// from the tray menu while hidden there.

#include "DesktopFixture.h"

#include <QProcess>
#include <QRect>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

class TrayEndToEndTest : public DesktopFixture {
protected:
    void SetUp() override
    {
        StartDesktop({"trayer",
                      {"--edge", "bottom", "--align", "right", "--widthtype", "request", "--height", "24",
                       "--SetDockType", "true", "--SetPartialStrut", "true"},
                      "^trayer$"});
    }

    // The program's window that sits in the panel.
    QString TrayIcon(const QString& mainWindow) const
    {
        const QRect panel = desktop->Info(desktop->Panel()).rect;
        for (const QString& window : desktop->Windows({"--onlyvisible", "--class", "^DoRori$"}))
            if (window != mainWindow && panel.contains(desktop->Info(window).rect))
                return window;
        return {};
    }
};

TEST_F(TrayEndToEndTest, MinimisedIntoTheTrayAndBackByTheIconASecondStartAndTheMenu)
{
    QProcess& program = StartProgram();
    QString window, icon;
    ASSERT_TRUE(Eventually([&] {
        window = MainWindow();
        return !window.isEmpty() && !(icon = TrayIcon(window)).isEmpty();
    })) << "no window with its icon in the panel";
    const QByteArray normalPicture = desktop->SettledPicture(icon);
    ASSERT_FALSE(normalPicture.isEmpty()) << "the icon shows no picture";

    ASSERT_TRUE(Minimise(window)) << "the window is still mapped or in the taskbar";
    EXPECT_TRUE(desktop->Info(icon).viewable);
    EXPECT_TRUE(Eventually([&] { return desktop->Picture(icon) != normalPicture; }))
        << "the icon does not show its minimised picture";

    // Qt reports the first click of the two as well: only the double-click restores.
    ClickAt(desktop->Info(icon).rect, {"--repeat", "2", "--delay", "100", "1"});
    ASSERT_TRUE(Eventually([&] { return Shown(window); })) << "a double-click on the icon did not restore";
    EXPECT_TRUE(Eventually([&] { return desktop->Picture(icon) == normalPicture; }));

    ASSERT_TRUE(Minimise(window));
    QProcess& second = StartProgram();
    ASSERT_TRUE(second.waitForFinished(kPatienceMs));
    EXPECT_EQ(second.exitCode(), 0);
    ASSERT_TRUE(Eventually([&] { return Shown(window); })) << "a second start did not restore";
    EXPECT_TRUE(Eventually([&] { return desktop->Picture(icon) == normalPicture; }));

    // 退出系统, the menu's last item, while the window is in the tray.
    ASSERT_TRUE(Minimise(window));
    ASSERT_TRUE(MenuOpens([&] { ClickAt(desktop->Info(icon).rect, {"3"}); }))
        << "a right click opened no menu";
    desktop->Tool("xdotool", {"key", "Up", "Return"});
    ASSERT_TRUE(program.waitForFinished(kPatienceMs)) << "the program goes on after 退出系统";
    EXPECT_EQ(program.exitCode(), 0);
    std::ifstream saved(dir / "config/ZYSOFT/DoRori.reg");
    const std::string text((std::istreambuf_iterator<char>(saved)), {});
    EXPECT_NE(text.find("QueryWord"), std::string::npos) << "the last words were not saved";
}

} // namespace
