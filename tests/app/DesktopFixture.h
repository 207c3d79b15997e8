#pragma once
// The real program, started from a copy of its folder, on a desktop of its own with a window
// manager and a panel that has a notification area.

#include "TestDesktop.h"
#include "support/TempDir.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class DesktopFixture : public ::testing::Test {
protected:
    // Skips the test when a tool is missing, fails it when the desktop does not come up.
    void StartDesktop(const PanelCommand& panel);
    QProcess& StartProgram();

    // The main window, once it has shown.
    QString MainWindow() const;
    // Mapped and in the taskbar.
    bool Shown(const QString& window) const;
    // Neither mapped nor in the taskbar.
    bool InTray(const QString& window) const;
    // Clicks the window's 最小化 button; true once the window is in the tray.
    bool Minimise(const QString& window) const;
    // Clicks the middle of `rect` with `click` (xdotool's click arguments).
    void ClickAt(const QRect& rect, const QStringList& click) const;
    // Asks with `ask` until one more of the program's windows shows: its menu.
    bool MenuOpens(const std::function<void()>& ask) const;

    TempDir dir;
    std::unique_ptr<TestDesktop> desktop;
};
