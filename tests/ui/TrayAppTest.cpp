// The tray component against a notification area that records what it is sent.
#include "ui/skin/TrayApp.h"

#include "support/FakeNotifyArea.h"
#include "ui/skin/SystemNotifyArea.h"

#include <QApplication>
#include <QPixmap>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

QIcon StandIn(Qt::GlobalColor colour)
{
    QPixmap picture(16, 16);
    picture.fill(colour);
    return QIcon(picture);
}

// A main window that counts its activations.
class ActivatableWindow : public QWidget, public TActivatableForm {
public:
    void FormActivate(QObject* sender) override { activations.push_back({sender, isVisible()}); }
    struct Activation {
        QObject* sender;
        bool visible;
    };
    std::vector<Activation> activations;
};

struct Received {
    std::uint32_t msg;
    std::uint32_t lParam;
    bool appMinimized;
    QPoint point;
};

class TrayAppTest : public ::testing::Test {
protected:
    TrayAppTest()
    {
        auto fake = std::make_unique<FakeNotifyArea>();
        area = fake.get();
        area->log = &sent;
        tray = std::make_unique<TTrayApp>(&owner, std::move(fake));
        tray->OnMessage = [this](TTrayApp& sender, TTrayMessage& message, QPoint point) {
            EXPECT_EQ(&sender, tray.get());
            received.push_back({message.Msg, message.LParam, sender.AppMinimized(), point});
        };
        owner.resize(200, 100);
    }

    // What the main window does: the icon appears at reading, its pictures at the first showing.
    void StartLikeTheProgram()
    {
        tray->SetIconVisible(true);
        tray->Loaded();
        tray->IconNormalOption().Icon = normalIcon;
        tray->IconNormalOption().SetHint(QStringLiteral("词典"));
        tray->IconOnMinOption().Icon = minIcon;
        tray->IconOnMinOption().SetHint(QStringLiteral("词典 (最小化)"));
        tray->RefreshIcon();
        owner.show();
        sent.clear();
    }

    static void Settle() { QCoreApplication::processEvents(); }

    const QIcon normalIcon = StandIn(Qt::blue);
    const QIcon minIcon = StandIn(Qt::gray);
    // Declared before the component, which still sends while it is destroyed.
    std::vector<Sent> sent;
    std::vector<Received> received;
    ActivatableWindow owner;
    FakeNotifyArea* area = nullptr;
    std::unique_ptr<TTrayApp> tray;
};

} // namespace

TEST_F(TrayAppTest, SendsOnlyChangesAndOnlyOptionsWithAnIcon)
{
    EXPECT_TRUE(sent.empty()) << "construction applies an option without icon";
    EXPECT_FALSE(tray->IconVisible());
    EXPECT_TRUE(tray->DBClickToRestore());

    tray->SetIconVisible(true);
    tray->SetIconVisible(true);
    tray->Loaded();
    EXPECT_EQ(sent, (std::vector<Sent>{{TNotifyCommand::Add, "", 0}}));

    // No icon: the tip is stored but nothing is sent, though the icon is visible.
    TTrayIconOption tipOnly;
    tipOnly.SetHint(QStringLiteral("只有提示"));
    tray->ApplyIconOption(tipOnly);
    EXPECT_EQ(sent.size(), 1u);
    tray->SetIconVisible(false);
    tray->SetIconVisible(false);
    EXPECT_EQ(sent.back(), (Sent{TNotifyCommand::Delete, "只有提示", 0}));
    EXPECT_EQ(sent.size(), 2u);

    tray->IconNormalOption().Icon = normalIcon;
    tray->IconOnMinOption().Icon = minIcon;
    tray->RefreshIcon();
    EXPECT_EQ(sent.size(), 2u) << "a hidden icon is not modified";
    tray->SetIconVisible(true);
    tray->RefreshIcon();
    EXPECT_EQ(sent.back(), (Sent{TNotifyCommand::Modify, "", normalIcon.cacheKey()}));
}

TEST_F(TrayAppTest, LongTipsAreCutBeforeAWholeGbkCharacter)
{
    tray->SetIconVisible(true);
    TTrayIconOption option;
    option.Icon = normalIcon;
    const QString han(40, QChar(0x6C49)); // 80 bytes
    const auto tipOf = [&](const QString& hint) {
        option.SetHint(hint);
        tray->ApplyIconOption(option);
        return sent.back().tip;
    };
    EXPECT_EQ(tipOf(han), han.left(31)) << "62 bytes: the 32nd character would need 64";
    EXPECT_EQ(tipOf("a" + han), "a" + han.left(31)) << "63 bytes exactly";
    EXPECT_EQ(tipOf(QString(63, 'x')), QString(63, 'x'));
    EXPECT_EQ(tipOf(QString(64, 'x')), QString(63, 'x'));
}

TEST_F(TrayAppTest, MinimisingHidesTheWindowAndRestoringBringsItBackOnce)
{
    StartLikeTheProgram();
    owner.showMaximized();
    Settle();
    sent.clear();
    owner.showMinimized(); // shows the window again after the state change: hiding must come later
    Settle();
    EXPECT_TRUE(tray->AppMinimized());
    EXPECT_FALSE(owner.isVisible()) << "no taskbar entry while in the tray";
    EXPECT_EQ(sent, (std::vector<Sent>{{TNotifyCommand::Modify, "词典 (最小化)", minIcon.cacheKey()}}));

    sent.clear();
    tray->RestoreApplication();
    Settle();
    EXPECT_FALSE(tray->AppMinimized());
    EXPECT_TRUE(owner.isVisible());
    EXPECT_TRUE(owner.isMaximized()) << "restoring returns to the state before minimising";
    EXPECT_EQ(sent, (std::vector<Sent>{{TNotifyCommand::Modify, "词典", normalIcon.cacheKey()}}));
    ASSERT_EQ(owner.activations.size(), 1u);
    EXPECT_EQ(owner.activations[0].sender, QCoreApplication::instance());
    EXPECT_TRUE(owner.activations[0].visible);

    tray->RestoreApplication();
    EXPECT_EQ(owner.activations.size(), 1u) << "a window that is not minimised is not restored";
}

TEST_F(TrayAppTest, ADoubleClickTogglesBeforeTheOwnerHearsOfIt)
{
    StartLikeTheProgram();
    area->Click(tray::kLeftButtonDoubleClick);
    Settle();
    EXPECT_FALSE(owner.isVisible());
    // Hidden, not minimised: a minimised window may be shown minimised again by the window manager.
    EXPECT_FALSE(owner.isMinimized());
    area->Click(tray::kRightButtonUp);
    area->Click(tray::kLeftButtonDoubleClick);
    Settle();
    EXPECT_TRUE(owner.isVisible());
    EXPECT_FALSE(owner.isMinimized());
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[0].msg, tray::kCallbackMessage);
    EXPECT_EQ(received[0].lParam, tray::kLeftButtonDoubleClick);
    EXPECT_TRUE(received[0].appMinimized) << "the component minimised first";
    EXPECT_EQ(received[1].lParam, tray::kRightButtonUp);
    EXPECT_TRUE(received[1].appMinimized);
    EXPECT_FALSE(received[2].appMinimized);

    received.clear();
    tray->SetDBClickToRestore(false);
    area->Click(tray::kLeftButtonDoubleClick);
    Settle();
    EXPECT_TRUE(owner.isVisible());
    EXPECT_FALSE(tray->AppMinimized());
    ASSERT_EQ(received.size(), 1u) << "with restoring off the double-click only reaches the owner";
    EXPECT_EQ(received[0].lParam, tray::kLeftButtonDoubleClick);
}

TEST_F(TrayAppTest, TheMenuPointSnapsToTheWorkAreaBottomWithin300Pixels)
{
    const auto pointFor = [&](QPoint cursor) {
        area->cursor = cursor;
        received.clear();
        area->Click(tray::kRightButtonUp);
        return received.at(0).point;
    };
    EXPECT_EQ(pointFor({900, 701}), QPoint(900, 1000)) << "299 pixels above the bottom";
    EXPECT_EQ(pointFor({900, 700}), QPoint(900, 700)) << "300 pixels above the bottom";
    EXPECT_EQ(pointFor({900, 1020}), QPoint(900, 1000)) << "over the panel below the work area";
}

TEST_F(TrayAppTest, WithoutANotificationAreaTheWindowStaysInTheTaskbar)
{
    area->available = false;
    StartLikeTheProgram();
    owner.showMinimized();
    Settle();
    EXPECT_TRUE(tray->AppMinimized());
    EXPECT_TRUE(owner.isVisible());
    EXPECT_TRUE(owner.isMinimized());

    // The taskbar restores it.
    owner.setWindowState(Qt::WindowNoState);
    EXPECT_FALSE(tray->AppMinimized());
    EXPECT_EQ(owner.activations.size(), 1u);
}

TEST_F(TrayAppTest, ANotificationAreaComingOrGoingNeverLosesTheWindow)
{
    StartLikeTheProgram();
    owner.showMinimized();
    Settle();
    ASSERT_FALSE(owner.isVisible());

    area->SetAvailable(false); // the panel quits
    EXPECT_TRUE(owner.isVisible());
    EXPECT_TRUE(owner.isMinimized());
    area->SetAvailable(true); // and comes back
    EXPECT_FALSE(owner.isVisible());

    tray->RestoreApplication();
    area->SetAvailable(false);
    area->SetAvailable(true);
    EXPECT_TRUE(owner.isVisible());
    EXPECT_FALSE(owner.isMinimized());
}

TEST_F(TrayAppTest, WhatTheWindowSystemReportsOfAHiddenWindowIsNoRestore)
{
    StartLikeTheProgram();
    owner.showMaximized();
    owner.showMinimized();
    Settle();
    ASSERT_FALSE(owner.isVisible());
    owner.setWindowState(Qt::WindowNoState); // X drops the minimised state of a withdrawn window
    Settle();
    EXPECT_FALSE(owner.isVisible());
    EXPECT_TRUE(tray->AppMinimized());

    area->Click(tray::kLeftButtonDoubleClick);
    Settle();
    EXPECT_TRUE(owner.isVisible());
    EXPECT_TRUE(owner.isMaximized()) << "restoring returns to the state before minimising";
    EXPECT_EQ(owner.activations.size(), 1u);

    // A panel that quits meanwhile puts the window back into the taskbar, still minimised.
    owner.showMinimized();
    Settle();
    owner.setWindowState(Qt::WindowNoState);
    area->SetAvailable(false);
    EXPECT_TRUE(owner.isVisible());
    EXPECT_TRUE(owner.isMinimized());
    EXPECT_TRUE(tray->AppMinimized());
}

TEST_F(TrayAppTest, DestroyingTheComponentRemovesItsIconAndItsHooks)
{
    StartLikeTheProgram();
    tray.reset();
    EXPECT_EQ(sent, (std::vector<Sent>{{TNotifyCommand::Delete, "词典", normalIcon.cacheKey()}}));

    owner.showMinimized();
    Settle();
    EXPECT_TRUE(owner.isVisible()) << "no component is left to bring a hidden window back";
}

TEST(TrayAppOwner, MustBeATopLevelWindow)
{
    QWidget window;
    auto* child = new QWidget(&window);
    QObject plain;
    for (QObject* owner : {static_cast<QObject*>(nullptr), static_cast<QObject*>(child), &plain}) {
        try {
            TTrayApp tray(owner);
            ADD_FAILURE() << "accepted a non-window owner";
        } catch (const EOwnerError& error) {
            EXPECT_STREQ(error.what(), "Class of the owner is not a TForm!");
        }
    }
    EXPECT_TRUE(plain.children().isEmpty()) << "a refused component leaves nothing behind";
    TTrayApp tray(&window);
    EXPECT_EQ(tray.parent(), &window);
}

TEST(SystemNotifyArea, MouseNotificationsAndAnIconThatWaitsForItsPicture)
{
    struct Row {
        const char* name;
        bool xcb;
        bool statusNotifierHost;
        std::uint32_t leftClick; // what Trigger stands for
        bool shownWithoutTray;
    };
    const Row rows[] = {
        {"XEmbed tray", true, false, tray::kLeftButtonUp, true},
        {"StatusNotifierItem host on X", true, true, tray::kLeftButtonDoubleClick, true},
        {"Wayland without a host", false, false, tray::kLeftButtonUp, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        bool available = false;
        TSystemNotifyArea area(nullptr, TSystemNotifyArea::Desktop{row.xcb, row.statusNotifierHost,
                                                                   [&available] { return available; }});
        area.Send(TNotifyCommand::Add, {QIcon(), QStringLiteral("tip")});
        EXPECT_EQ(area.findChild<QSystemTrayIcon*>(), nullptr) << "no icon is made before its picture";
        area.Send(TNotifyCommand::Modify, {StandIn(Qt::red), QStringLiteral("tip")});
        auto* icon = area.findChild<QSystemTrayIcon*>();
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->isVisible(), row.shownWithoutTray);
        EXPECT_EQ(icon->toolTip(), "tip");

        QSignalSpy notified(&area, &TNotifyArea::Notified);
        for (const auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick,
                                  QSystemTrayIcon::Context, QSystemTrayIcon::Unknown})
            emit icon->activated(reason);
        ASSERT_EQ(notified.size(), 3);
        EXPECT_EQ(notified[0][0].value<std::uint32_t>(), row.leftClick);
        EXPECT_EQ(notified[1][0].value<std::uint32_t>(), tray::kLeftButtonDoubleClick);
        EXPECT_EQ(notified[2][0].value<std::uint32_t>(), tray::kRightButtonUp);

        if (!row.shownWithoutTray) {
            // A host that turns up later gets the icon once the poll sees it.
            QSignalSpy changed(&area, &TNotifyArea::AvailabilityChanged);
            available = true;
            ASSERT_TRUE(changed.wait(5000));
            EXPECT_TRUE(icon->isVisible());
        }
        area.Send(TNotifyCommand::Delete, {});
        area.Send(TNotifyCommand::Modify, {StandIn(Qt::red), QStringLiteral("tip")});
        EXPECT_FALSE(icon->isVisible()) << "a deleted icon stays away until it is added again";
    }

    // Offscreen has neither a notification area nor a host to ask about.
    TSystemNotifyArea area;
    EXPECT_FALSE(area.IsAvailable());
    area.Send(TNotifyCommand::Add, {StandIn(Qt::red), QStringLiteral("tip")});
    QSignalSpy notified(&area, &TNotifyArea::Notified);
    emit area.findChild<QSystemTrayIcon*>()->activated(QSystemTrayIcon::Trigger);
    ASSERT_EQ(notified.size(), 1);
    EXPECT_EQ(notified[0][0].value<std::uint32_t>(), tray::kLeftButtonUp);
}
