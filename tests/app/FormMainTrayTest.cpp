// The main window's tray icon: its pictures, its menu, minimising into it and coming back, and the
// menu's commands while the window is hidden there.
#include "FormMainFixture.h"
#include "platform/Registry.h"
#include "support/Gbk.h"
#include "ui/skin/SkinResources.h"
#include "ui/skin/TrayApp.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

bool SamePicture(const QIcon& shown, const QString& resource)
{
    return shown.pixmap(22).toImage() == ResourceIcon(resource).pixmap(22).toImage();
}

class FormMainTrayTest : public FormMainFixture {
protected:
    TTrayApp& Tray() { return Widget<TTrayApp>("TrayApp1"); }
    Sent NormalIcon()
    {
        return {TNotifyCommand::Modify, QString(), Tray().IconNormalOption().Icon.cacheKey()};
    }
    Sent MinimisedIcon()
    {
        return {TNotifyCommand::Modify, QString(), Tray().IconOnMinOption().Icon.cacheKey()};
    }

    void MinimiseToTray()
    {
        QTest::mouseClick(&Widget<QToolButton>("SpeedButton_Min"), Qt::LeftButton);
        QCoreApplication::processEvents(); // the window is hidden once the minimise has run its course
    }
};

TEST_F(FormMainTrayTest, TheIconIsAddedWithTheWindowAndGetsItsPicturesOnceTheWindowIsPainted)
{
    EXPECT_TRUE(Tray().IconVisible());
    EXPECT_TRUE(Tray().DBClickToRestore());
    EXPECT_EQ(traySent, (std::vector<Sent>{{TNotifyCommand::Add, QString(), 0}}));

    Show();
    EXPECT_TRUE(SamePicture(Tray().IconNormalOption().Icon, "mainicon"));
    EXPECT_TRUE(SamePicture(Tray().IconOnMinOption().Icon, "trayicon_small"));
    EXPECT_FALSE(SamePicture(Tray().IconOnMinOption().Icon, "mainicon"));
    ASSERT_EQ(traySent.size(), 2u);
    EXPECT_EQ(traySent[1], NormalIcon());
}

TEST_F(FormMainTrayTest, MinimisingHidesTheWindowInTheTrayAndADoubleClickBringsItBackAsItWas)
{
    AddWords({{"cat", G("猫")}, {"dog", G("狗")}});
    Show();
    Widget<QLineEdit>("Edit_Input").setText("cat");
    // A first-show work run again would put the saved word back into the box.
    Registry registry;
    ASSERT_TRUE(registry.OpenKey("\\SOFTWARE\\ZYSOFT\\DoRori", true));
    registry.WriteString("QueryWord", "dog");
    traySent.clear();

    MinimiseToTray();
    EXPECT_TRUE(Tray().AppMinimized());
    EXPECT_FALSE(form->isVisible()) << "no taskbar entry while in the tray";
    EXPECT_EQ(traySent, (std::vector<Sent>{MinimisedIcon()}));

    traySent.clear();
    trayArea->Click(tray::kLeftButtonDoubleClick);
    QCoreApplication::processEvents();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->isMinimized());
    EXPECT_EQ(traySent, (std::vector<Sent>{NormalIcon()}));
    EXPECT_FALSE(Widget<QMenu>("PopupMenu1").isVisible()) << "a double-click opens no menu";
    EXPECT_EQ(Widget<QLineEdit>("Edit_Input").text(), QStringLiteral("cat"));
    EXPECT_FALSE(form->pages.state.FirstShow);
}

TEST_F(FormMainTrayTest, ASecondStartRestoresAWindowInTheTrayAndOtherwiseOnlyRaisesIt)
{
    Show();
    MinimiseToTray();
    traySent.clear();
    form->WMRestoreApp();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->isMinimized());
    EXPECT_FALSE(Tray().AppMinimized());
    EXPECT_EQ(traySent, (std::vector<Sent>{NormalIcon()}));

    traySent.clear();
    form->WMRestoreApp();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(traySent.empty());
}

TEST_F(FormMainTrayTest, WithoutANotificationAreaMinimisingKeepsTheTaskbarEntry)
{
    trayArea->available = false;
    Show();
    MinimiseToTray();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->isMinimized());
    form->WMRestoreApp();
    EXPECT_FALSE(form->isMinimized());
    EXPECT_FALSE(Tray().AppMinimized());
}

TEST_F(FormMainTrayTest, ARightClickOpensTheCommandMenuToTheLeftOfThePoint)
{
    Show();
    auto& menu = Widget<QMenu>("PopupMenu1");
    trayArea->cursor = QPoint(500, 100); // far above the work area's bottom: not moved
    trayArea->Click(tray::kLeftButtonUp);
    trayArea->Click(tray::kMiddleButtonUp);
    EXPECT_FALSE(menu.isVisible());

    trayArea->Click(tray::kRightButtonUp);
    ASSERT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.geometry().topLeft() + QPoint(menu.width(), 0), QPoint(500, 100));
    menu.close();
}

TEST_F(FormMainTrayTest, TheMenuCommandsWhileInTheTray)
{
    AddWords({{"cat", G("猫")}, {"dog", G("狗")}});
    Show();
    form->pages.state.DictationWord = "dog";
    auto& pages = Widget<QTabWidget>("PageControl1");
    MinimiseToTray();

    Widget<QAction>("MenuItem_setting").trigger();
    EXPECT_FALSE(form->isVisible()) << "设置 switches the page of the hidden window";
    EXPECT_TRUE(Tray().AppMinimized());
    EXPECT_EQ(pages.currentIndex(), PageSetting);
    EXPECT_TRUE(pages.isTabVisible(PageSetting));

    // A page command restores the window, then runs the page's entry actions.
    Widget<QAction>("N2").trigger();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->isMinimized());
    EXPECT_FALSE(Tray().AppMinimized());
    EXPECT_EQ(pages.currentIndex(), PageDictation);
    EXPECT_FALSE(pages.isTabVisible(PageSetting));
    EXPECT_EQ(Widget<QLabel>("Label_Interpret").text(), QStringLiteral("狗"));
}

TEST_F(FormMainTrayTest, ExitFromTheTrayMenuSavesTheLastWordsAndEndsTheProgram)
{
    Show();
    form->pages.state.QueryWord = "cat";
    form->pages.state.DictationWord = "dog";
    MinimiseToTray();
    ASSERT_FALSE(form->isVisible());

    QTimer::singleShot(0, &Widget<QAction>("N6"), &QAction::trigger);
    QTimer stillRunning; // a program that goes on after the exit ends the loop with 1
    stillRunning.callOnTimeout([] { QCoreApplication::exit(1); });
    stillRunning.start(10000);
    EXPECT_EQ(QCoreApplication::exec(), 0);

    Registry registry;
    ASSERT_TRUE(registry.OpenKey("\\SOFTWARE\\ZYSOFT\\DoRori", false));
    EXPECT_EQ(registry.ReadString("QueryWord"), "cat");
    EXPECT_EQ(registry.ReadString("DictationWord"), "dog");
}

} // namespace
