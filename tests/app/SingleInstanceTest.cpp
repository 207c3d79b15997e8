#include "app/SingleInstance.h"

#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <pwd.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace {

using Claimed = SingleInstance::Claimed;

// The running instance on a thread of its own, as in a process of its own: a start on the test's
// thread waits for its answer meanwhile.
class RunningInstance {
public:
    explicit RunningInstance(std::function<bool()> closing = {})
        : instance_(new SingleInstance(std::move(closing)))
    {
        QObject::connect(instance_, &SingleInstance::restoreRequested, instance_,
                         [this](const QByteArray& token) {
                             const std::lock_guard lock(mutex_);
                             tokens_.push_back(token);
                         });
        instance_->moveToThread(&thread_);
        thread_.start();
    }
    ~RunningInstance()
    {
        OnItsThread([this] { delete instance_; });
        thread_.quit();
        thread_.wait();
    }

    Claimed Claim()
    {
        Claimed claimed{};
        OnItsThread([&] { claimed = instance_->Claim(); });
        return claimed;
    }
    void StopListening()
    {
        OnItsThread([this] { instance_->StopListening(); });
    }
    // The tokens of the restores so far.
    std::vector<QByteArray> Tokens()
    {
        const std::lock_guard lock(mutex_);
        return tokens_;
    }

private:
    void OnItsThread(const std::function<void()>& work)
    {
        QMetaObject::invokeMethod(instance_, work, Qt::BlockingQueuedConnection);
    }

    QThread thread_;
    SingleInstance* instance_;
    std::mutex mutex_;
    std::vector<QByteArray> tokens_;
};

// Sends the bytes and waits until the instance has read them: it closes every connection once
// it has read a message, or what can be none.
void Send(const QByteArray& bytes)
{
    QLocalSocket socket;
    socket.connectToServer(SingleInstance::ChannelName());
    ASSERT_TRUE(socket.waitForConnected(1000));
    if (bytes.isEmpty())
        return;
    socket.write(bytes);
    ASSERT_TRUE(socket.waitForDisconnected(3000));
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

    // What it received before this call: a last message of the test's own, sent to the abstract
    // name (a start may have replaced the socket file), marks the end.
    QByteArray Received(const QString& path)
    {
        QLocalSocket marker;
        marker.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
        marker.connectToServer(path);
        EXPECT_TRUE(marker.waitForConnected(1000));
        marker.write("end");
        marker.waitForBytesWritten(1000);
        QByteArray received;
        while (!received.endsWith("b'end'") && process_.waitForReadyRead(5000))
            received += process_.readAllStandardOutput();
        EXPECT_TRUE(received.endsWith("b'end'")) << received.toStdString();
        return received.chopped(6);
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

TEST(SingleInstance, OnlyTheRestoreMessageRestoresAndASecondClaimHandsOverItsToken)
{
    RunningInstance running;
    ASSERT_EQ(running.Claim(), Claimed::Listening);

    for (const QByteArray& wrong :
         {QByteArray(100000, '5'), QByteArray("5121\n"), QByteArray("hello"), QByteArray(""),
          QByteArray("5120 \n"), QByteArray("5120 a b\n"), QByteArray("5120 ") + QByteArray(300, 't') + '\n'})
        Send(wrong);
    Send("5120\n");
    Send("5120 launcher-1_TIME42\n");
    // The instance answers once it has restored: the last restore is in when the claim returns.
    EXPECT_EQ(SingleInstance().Claim("token-3"), Claimed::HandedOver);
    EXPECT_EQ(running.Tokens(), (std::vector<QByteArray>{"", "launcher-1_TIME42", "token-3"}));
}

TEST(SingleInstance, AStartWhileTheInstanceClosesBecomesTheInstanceItself)
{
    const QString name = SingleInstance::ChannelName();
    std::atomic<bool> closing = false;
    auto running = std::make_unique<RunningInstance>([&closing] { return closing.load(); });
    ASSERT_EQ(running->Claim(), Claimed::Listening);

    // A signal that closes the instance came: it answers nothing, and the start takes its place.
    closing = true;
    SingleInstance later;
    EXPECT_EQ(later.Claim(), Claimed::Listening);
    EXPECT_TRUE(running->Tokens().empty());
    // The closing instance's end leaves the new socket file alone.
    running.reset();
    EXPECT_TRUE(QFile::exists(name));
    EXPECT_TRUE(Reachable());

    // An instance that stops listening as it closes is not there for a start at all.
    later.StopListening();
    EXPECT_FALSE(QFile::exists(name));
    EXPECT_EQ(SingleInstance().Claim(), Claimed::Listening);
}

// True once the other end has closed the connection, within a second.
bool ClosedByTheInstance(QLocalSocket& socket)
{
    return QTest::qWaitFor([&] { return socket.state() == QLocalSocket::UnconnectedState; }, 1000);
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
    const ScopedEnvironment noWayland("WAYLAND_DISPLAY", "");
    RunningInstance running;
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
    {
        // In a Wayland session, a start through the session's X server is the same desktop.
        const ScopedEnvironment wayland("WAYLAND_DISPLAY", "wayland-7");
        const QString onWayland = SingleInstance::ChannelName();
        const ScopedEnvironment throughX("DISPLAY", ":9");
        EXPECT_EQ(SingleInstance::ChannelName(), onWayland);
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
        RunningInstance started;
        EXPECT_EQ(started.Claim(), Claimed::Listening);
        EXPECT_EQ(SingleInstance().Claim(), Claimed::HandedOver);
        EXPECT_EQ(started.Tokens().size(), 1u);
        EXPECT_EQ(squatter.Received(QFile::decodeName(path)), "");
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
        EXPECT_EQ(squatter.Received(inForeign), "");
        Squatter::Own(foreign.path(), false);
    }
}

TEST(SingleInstance, AClaimThatCannotListenSaysSoAndListensOnceItCan)
{
    // Another start holds the claim's lock and does not let go.
    const QByteArray lockPath = QFile::encodeName(SingleInstance::ChannelName()) + ".lock";
    const int held = open(lockPath.constData(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    RunningInstance running;
    EXPECT_EQ(running.Claim(), Claimed::NotListening);
    EXPECT_FALSE(Reachable());

    close(held);
    EXPECT_TRUE(QTest::qWaitFor(Reachable, 5000));
    EXPECT_EQ(SingleInstance().Claim(), Claimed::HandedOver);
    EXPECT_EQ(running.Tokens().size(), 1u);
}

} // namespace
