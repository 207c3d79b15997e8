// The real program on a desktop whose panel hosts StatusNotifierItems, as KDE Plasma's and GNOME's
// AppIndicator do: xfce4-panel's status tray, which runs the watcher itself. There a click on the
// icon arrives without any double click, and one click brings the window back or hides it.

#include "DesktopFixture.h"
#include "ui/skin/SystemNotifyArea.h"

#include <QDBusMessage>
#include <QDBusVariant>
#include <QProcess>
#include <QRect>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// One panel at the bottom with only the status tray; without a configuration the panel asks at
// its first start what it should hold.
constexpr char kPanelConfiguration[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=8;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="26"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
)";

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");

class StatusNotifierEndToEndTest : public DesktopFixture {
protected:
    void SetUp() override
    {
        const fs::path channels = dir / "config/xfce4/xfconf/xfce-perchannel-xml";
        fs::create_directories(channels);
        std::ofstream(channels / "xfce4-panel.xml") << kPanelConfiguration;
        StartDesktop({"xfce4-panel", {}, "^xfce4-panel$"});
        if (IsSkipped() || HasFatalFailure())
            return;
        // Qt speaks StatusNotifierItem only to a host that is there when the program starts.
        const std::string failure = desktop->AwaitFromPanel(
            [this] { return StatusNotifierHostRegistered(desktop->Bus()); }, "the panel registered no host");
        ASSERT_TRUE(failure.empty()) << failure;
    }

    // The items the panel shows, as its watcher names them: "service/path".
    QStringList Items() const
    {
        QDBusMessage get = QDBusMessage::createMethodCall(kWatcher, "/StatusNotifierWatcher",
                                                          "org.freedesktop.DBus.Properties", "Get");
        get << kWatcher << "RegisteredStatusNotifierItems";
        const QDBusMessage reply = desktop->Bus().call(get);
        return reply.arguments().value(0).value<QDBusVariant>().variant().toStringList();
    }

    // The panel draws the items itself, in its status tray's window, which has no width until the
    // first item comes.
    QString StatusTray() const
    {
        const QRect panel = desktop->Info(desktop->Panel()).rect;
        for (const QString& window : desktop->Windows({"--onlyvisible", "--class", "^wrapper-2\\.0$"}))
            if (const QRect tray = desktop->Info(window).rect; panel.contains(tray) && tray.width() > 1)
                return window;
        return {};
    }

    // Calls a method of the program's item, as a host does.
    void CallItem(const QString& method, QPoint at) const
    {
        const QString item = Items().value(0);
        QDBusMessage call = QDBusMessage::createMethodCall(
            item.section('/', 0, 0), "/" + item.section('/', 1), "org.kde.StatusNotifierItem", method);
        call << at.x() << at.y();
        desktop->Bus().call(call);
    }
};

TEST_F(StatusNotifierEndToEndTest, OneClickOnTheIconBringsTheWindowBackOrHidesIt)
{
    QProcess& program = StartProgram();
    QString window, icon;
    ASSERT_TRUE(Eventually([&] {
        window = MainWindow();
        icon = StatusTray();
        return !window.isEmpty() && !icon.isEmpty() && Items().size() == 1;
    })) << "no window with its icon in the panel";
    const QByteArray normalPicture = desktop->SettledPicture(icon);
    ASSERT_FALSE(normalPicture.isEmpty()) << "the icon shows no picture";

    ASSERT_TRUE(Minimise(window)) << "the window is still mapped or in the taskbar";
    EXPECT_TRUE(Eventually([&] { return desktop->Picture(icon) != normalPicture; }))
        << "the panel does not show the icon's minimised picture";

    ClickAt(desktop->Info(icon).rect, {"1"});
    ASSERT_TRUE(Eventually([&] { return Shown(window); })) << "one click on the icon did not restore";
    ClickAt(desktop->Info(icon).rect, {"1"});
    ASSERT_TRUE(Eventually([&] { return InTray(window); }))
        << "one click on the icon did not hide the window";

    // The panel's right click opens its own menu at an item that has none on the bus; KDE Plasma
    // asks the item for its menu instead, as here. 退出系统 is the menu's last item.
    ASSERT_TRUE(MenuOpens([&] { CallItem("ContextMenu", desktop->Info(icon).rect.center()); }))
        << "the item's context menu opened no menu";
    desktop->Tool("xdotool", {"key", "Up", "Return"});
    ASSERT_TRUE(program.waitForFinished(kPatienceMs)) << "the program goes on after 退出系统";
    EXPECT_EQ(program.exitCode(), 0);
}

} // namespace
