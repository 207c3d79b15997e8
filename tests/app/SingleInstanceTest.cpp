#include "app/SingleInstance.h"

#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using Claimed = SingleInstance::Claimed;

void Send(const QByteArray& bytes)
{
    QLocalSocket socket;
    socket.connectToServer(SingleInstance::ChannelName());
    ASSERT_TRUE(socket.waitForConnected(1000));
    socket.write(bytes);
    socket.waitForBytesWritten(1000);
    QTest::qWait(100);
    socket.disconnectFromServer();
}

bool Reachable()
{
    QLocalSocket socket;
    socket.connectToServer(SingleInstance::ChannelName());
    return socket.waitForConnected(100);
}

// Sets an environment variable for the scope of a test.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : name_(name), was_(qgetenv(name)), wasSet_(qEnvironmentVariableIsSet(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnvironment()
    {
        if (wasSet_)
            qputenv(name_, was_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    QByteArray was_;
    bool wasSet_;
};

// A listener of the user `nobody` on the given socket file and on the abstract name of the same
// text; it prints "ready" once it listens and then every message it receives.
class Squatter {
public:
    static QString SkipReason()
    {
        if (getuid() != 0)
            return QStringLiteral("dropping to another user needs root");
        if (!getpwnam("nobody"))
            return QStringLiteral("there is no user nobody");
        if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty() || Python().isEmpty())
            return QStringLiteral("setpriv or python3 is not installed");
        return {};
    }

    // Gives `folder` to the squatter's user, or back to this one.
    static void Own(const QString& folder, bool squatters)
    {
        const passwd* nobody = getpwnam("nobody");
        ASSERT_EQ(chown(QFile::encodeName(folder).constData(), squatters ? nobody->pw_uid : getuid(),
                        squatters ? nobody->pw_gid : getgid()),
                  0);
    }

    explicit Squatter(const QString& path)
    {
        static const char* const kListener = R"(
import select, socket, sys
servers = []
for address in (sys.argv[1], "\0" + sys.argv[1]):
    server = socket.socket(socket.AF_UNIX)
    try:
        server.bind(address)
        server.listen()
        servers.append(server)
    except OSError:
        pass
print("ready", flush=True)
while True:
    for ready in select.select(servers, [], [])[0]:
        client, _ = ready.accept()
        client.settimeout(1)
        try:
            received = client.recv(100)
            if received:
                sys.stdout.write(repr(received))
                sys.stdout.flush()
        except OSError:
            pass
        client.close()
)";
        process_.start(QStringLiteral("setpriv"), {"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                                   Python(), "-c", kListener, path});
        while (!process_.canReadLine() && process_.waitForReadyRead(5000)) {
        }
        EXPECT_EQ(process_.readLine(), "ready\n") << process_.readAllStandardError().toStdString();
    }
    ~Squatter()
    {
        process_.kill();
        process_.waitForFinished();
    }

    QByteArray Received()
    {
        QTest::qWait(200);
        return process_.readAllStandardOutput();
    }

private:
    // The system's interpreter: one under root's home folder is out of the other user's reach.
    static QString Python()
    {
        return QStandardPaths::findExecutable(QStringLiteral("python3"),
                                              {"/usr/local/bin", "/usr/bin", "/bin"});
    }

    QProcess process_;
};

TEST(SingleInstance, OnlyTheRestoreMessageRestoresAndASecondClaimHandsOver)
{
    SingleInstance running;
    ASSERT_EQ(running.Claim(), Claimed::Listening);
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
    EXPECT_EQ(second.Claim(), Claimed::HandedOver);
    EXPECT_TRUE(restored.wait(1000) || restored.count() == 2);
}

// True once the other end has closed the connection, within a second.
bool ClosedByTheInstance(QLocalSocket& socket)
{
    for (int i = 0; i < 100 && socket.state() != QLocalSocket::UnconnectedState; ++i)
        QTest::qWait(10);
    return socket.state() == QLocalSocket::UnconnectedState;
}

TEST(SingleInstance, ConnectionsCloseAndTheSocketFileGoesWhenTheInstanceEnds)
{
    const QString name = SingleInstance::ChannelName();
    QLocalSocket wrong, silent;
    {
        SingleInstance running;
        ASSERT_EQ(running.Claim(), Claimed::Listening);
        for (QLocalSocket* socket : {&wrong, &silent}) {
            socket->connectToServer(name);
            ASSERT_TRUE(socket->waitForConnected(1000));
        }
        wrong.write("hello");
        EXPECT_TRUE(ClosedByTheInstance(wrong)) << "a wrong message";
        EXPECT_EQ(silent.state(), QLocalSocket::ConnectedState);
    }
    EXPECT_TRUE(ClosedByTheInstance(silent)) << "still open when the instance ended";
    EXPECT_FALSE(QFile::exists(name));
    SingleInstance next;
    EXPECT_EQ(next.Claim(), Claimed::Listening);
}

TEST(SingleInstance, AnotherSessionOrDisplayOfTheSameUserHasAnInstanceOfItsOwn)
{
    const ScopedEnvironment display("DISPLAY", ":7");
    SingleInstance running;
    ASSERT_EQ(running.Claim(), Claimed::Listening);
    {
        const ScopedEnvironment sameDisplay("DISPLAY", ":7.0");
        EXPECT_EQ(SingleInstance().Claim(), Claimed::HandedOver);
    }
    {
        const ScopedEnvironment otherDisplay("DISPLAY", ":8");
        SingleInstance onOtherDisplay;
        EXPECT_EQ(onOtherDisplay.Claim(), Claimed::Listening);
    }
    const QTemporaryDir otherRuntime;
    const ScopedEnvironment otherSession("XDG_RUNTIME_DIR", QFile::encodeName(otherRuntime.path()));
    SingleInstance inOtherSession;
    EXPECT_EQ(inOtherSession.Claim(), Claimed::Listening);
}

TEST(SingleInstance, AStaleSocketFileOrAListenerOfAnotherUserNeverStopsTheStart)
{
    const QTemporaryDir runtime;
    const QTemporaryDir cache;
    const ScopedEnvironment session("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    const ScopedEnvironment cacheHome("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    const QByteArray path = QFile::encodeName(SingleInstance::ChannelName());
    ASSERT_TRUE(path.startsWith(QFile::encodeName(runtime.path()) + '/'));
    {
        // What a crash leaves: a socket file nobody listens on.
        const int bound = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
        ASSERT_EQ(bind(bound, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        close(bound);
        SingleInstance afterCrash;
        EXPECT_EQ(afterCrash.Claim(), Claimed::Listening);
        EXPECT_TRUE(Reachable());
    }

    if (const QString reason = Squatter::SkipReason(); !reason.isEmpty())
        GTEST_SKIP() << reason.toStdString();
    {
        // Another user's listener on the very socket file (it owned the folder for a moment).
        Squatter::Own(runtime.path(), true);
        Squatter squatter(QFile::decodeName(path));
        Squatter::Own(runtime.path(), false);
        SingleInstance started;
        EXPECT_EQ(started.Claim(), Claimed::Listening);
        QSignalSpy restored(&started, &SingleInstance::restoreRequested);
        EXPECT_EQ(SingleInstance().Claim(), Claimed::HandedOver);
        EXPECT_TRUE(restored.wait(1000) || restored.count() == 1);
        EXPECT_EQ(squatter.Received(), "");
    }
    {
        // A runtime folder that another user owns, with that user's listener in it, is not used.
        const QTemporaryDir foreign;
        const ScopedEnvironment foreignSession("XDG_RUNTIME_DIR", QFile::encodeName(foreign.path()));
        const QString inForeign = SingleInstance::ChannelName();
        Squatter::Own(foreign.path(), true);
        Squatter squatter(inForeign);
        EXPECT_FALSE(SingleInstance::ChannelName().startsWith(foreign.path()));
        SingleInstance started;
        EXPECT_EQ(started.Claim(), Claimed::Listening);
        EXPECT_EQ(squatter.Received(), "");
        Squatter::Own(foreign.path(), false);
    }
}

TEST(SingleInstance, AClaimThatCannotListenSaysSoAndListensOnceItCan)
{
    // Another start holds the claim's lock and does not let go.
    const QByteArray lockPath = QFile::encodeName(SingleInstance::ChannelName()) + ".lock";
    const int held = open(lockPath.constData(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    SingleInstance running;
    EXPECT_EQ(running.Claim(), Claimed::NotListening);
    EXPECT_FALSE(Reachable());

    close(held);
    EXPECT_TRUE(QTest::qWaitFor(Reachable, 5000));
    QSignalSpy restored(&running, &SingleInstance::restoreRequested);
    EXPECT_EQ(SingleInstance().Claim(), Claimed::HandedOver);
    EXPECT_TRUE(restored.wait(1000) || restored.count() == 1);
}

} // namespace
