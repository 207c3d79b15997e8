#include "app/SingleInstance.h"

#include <QLocalSocket>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void Send(const QByteArray& bytes)
{
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(SingleInstance::ChannelName());
    ASSERT_TRUE(socket.waitForConnected(1000));
    socket.write(bytes);
    socket.waitForBytesWritten(1000);
    QTest::qWait(100);
    socket.disconnectFromServer();
}

TEST(SingleInstance, OnlyTheRestoreMessageRestoresAndASecondClaimHandsOver)
{
    SingleInstance running;
    ASSERT_TRUE(running.Claim());
    QSignalSpy restored(&running, &SingleInstance::restoreRequested);

    Send(QByteArray(100000, '5'));
    Send("5121\n");
    Send("hello");
    Send("");
    QTest::qWait(100);
    EXPECT_EQ(restored.count(), 0);

    Send("5120\n");
    EXPECT_TRUE(restored.wait(1000) || restored.count() == 1);

    SingleInstance second;
    EXPECT_FALSE(second.Claim());
    EXPECT_TRUE(restored.wait(1000) || restored.count() == 2);
}

TEST(SingleInstance, AnotherSessionOrDisplayOfTheSameUserHasAnInstanceOfItsOwn)
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray display = qgetenv("DISPLAY");
    qputenv("DISPLAY", ":7");
    SingleInstance running;
    ASSERT_TRUE(running.Claim());
    qputenv("DISPLAY", ":7.0"); // the same display
    EXPECT_FALSE(SingleInstance().Claim());

    qputenv("DISPLAY", ":8");
    SingleInstance otherDisplay;
    EXPECT_TRUE(otherDisplay.Claim());
    qputenv("DISPLAY", ":7");
    qputenv("XDG_RUNTIME_DIR", runtime + "-other");
    SingleInstance otherSession;
    EXPECT_TRUE(otherSession.Claim());

    qputenv("XDG_RUNTIME_DIR", runtime);
    qputenv("DISPLAY", display);
}

} // namespace
