#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QScopeGuard>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QByteArray kRestore = QByteArray::number(SingleInstance::kRestoreMessage) + '\n';
constexpr int kWaitMs = 500;
// A start holds the lock for one connection and one listen; a holder that takes longer is stuck.
constexpr int kLockWaitMs = 2000;
constexpr int kRetryMs = 1000;

bool PeerIsThisUser(int descriptor)
{
    ucred peer{};
    socklen_t length = sizeof peer;
    return getsockopt(descriptor, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && peer.uid == getuid();
}

// A folder only this user can change: a real folder (not a link to one), the user's, that nobody
// else may write into.
bool IsPrivateFolder(const QByteArray& path)
{
    struct stat status {};
    return !path.isEmpty() && lstat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == getuid() && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

QByteArray ChannelFolder()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (IsPrivateFolder(runtime))
        return runtime;
    // Otherwise a folder of the user's cache, which lies in the home folder no one else may write.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty() || !QDir().mkpath(cache))
        return {};
    const QByteArray folder = QFile::encodeName(cache) + "/dorori";
    mkdir(folder.constData(), S_IRWXU);
    return IsPrivateFolder(folder) ? folder : QByteArray();
}

enum class Listener { None, Stale, ThisUsers, AnotherUsers, Unreachable };

// The address of the socket file, or false when the path is too long for one.
bool SocketAddress(const QByteArray& path, sockaddr_un& address)
{
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    if (path.size() >= static_cast<qsizetype>(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    return true;
}

// Connects to the socket file and, only when the listener is this user's and `mayHandOver`,
// sends it the restore message.
Listener Reach(const QByteArray& path, bool mayHandOver)
{
    sockaddr_un address;
    if (!SocketAddress(path, address))
        return Listener::Unreachable;
    const int descriptor = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (descriptor < 0)
        return Listener::Unreachable;
    const auto closer = qScopeGuard([descriptor] { close(descriptor); });
    const timeval timeout{0, kWaitMs * 1000};
    setsockopt(descriptor, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    if (connect(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (errno == ENOENT)
            return Listener::None;
        // Nobody listens on the file a crashed instance left behind.
        return errno == ECONNREFUSED ? Listener::Stale : Listener::Unreachable;
    }
    if (!PeerIsThisUser(descriptor))
        return Listener::AnotherUsers;
    if (!mayHandOver)
        return Listener::ThisUsers;
    // An instance that went away before it read the message is as good as none.
    const bool sent = send(descriptor, kRestore.constData(), static_cast<std::size_t>(kRestore.size()),
                           MSG_NOSIGNAL) == kRestore.size();
    return sent ? Listener::ThisUsers : Listener::Stale;
}

// Holds the lock beside the socket file until it goes out of scope, or holds nothing when another
// start kept it for `waitMs`.
class ClaimLock {
public:
    ClaimLock(const QByteArray& path, int waitMs)
        : descriptor_(open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, S_IRUSR | S_IWUSR))
    {
        QElapsedTimer waited;
        waited.start();
        while (descriptor_ >= 0 && !held_) {
            held_ = flock(descriptor_, LOCK_EX | LOCK_NB) == 0;
            if (!held_ && waited.elapsed() >= waitMs)
                break;
            if (!held_)
                QThread::msleep(20);
        }
    }
    ~ClaimLock()
    {
        if (descriptor_ >= 0)
            close(descriptor_);
    }
    ClaimLock(const ClaimLock&) = delete;
    ClaimLock& operator=(const ClaimLock&) = delete;

    bool Held() const { return held_; }

private:
    int descriptor_;
    bool held_ = false;
};

} // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent), retry_(new QTimer(this))
{
    retry_->setInterval(kRetryMs);
    // Another instance found listening in the meantime is found by later starts just as well.
    connect(retry_, &QTimer::timeout, this, [this] {
        if (TryClaim(0, false) != Claimed::NotListening)
            retry_->stop();
    });
}

QString SingleInstance::ChannelName()
{
    const QByteArray folder = ChannelFolder();
    if (folder.isEmpty())
        return {};
    // A window lookup finds the windows of one desktop only: the user's session (its runtime
    // folder) and the display the program shows on. Another session of the same user, or another
    // display, has its own instance; so has another machine sharing the home folder.
    const QString platform = QGuiApplication::platformName();
    QByteArray display =
        qgetenv(platform.startsWith(QLatin1String("wayland")) ? "WAYLAND_DISPLAY" : "DISPLAY");
    // ":0" and ":0.0" name one display.
    const auto colon = display.lastIndexOf(':');
    if (const auto dot = display.indexOf('.', colon); colon >= 0 && dot > colon)
        display.truncate(dot);
    const QByteArray desktop = qgetenv("XDG_RUNTIME_DIR") + '\n' + platform.toUtf8() + '\n' + display + '\n' +
                               QSysInfo::machineHostName().toUtf8();
    const QByteArray digest = QCryptographicHash::hash(desktop, QCryptographicHash::Sha256).toHex().left(16);
    return QFile::decodeName(folder) +
           QStringLiteral("/ZA_Zedarud_OrOviv-%1").arg(QString::fromLatin1(digest));
}

SingleInstance::Claimed SingleInstance::Claim()
{
    const Claimed claimed = TryClaim(kLockWaitMs, true);
    if (claimed == Claimed::NotListening)
        retry_->start();
    return claimed;
}

SingleInstance::Claimed SingleInstance::TryClaim(int lockWaitMs, bool mayHandOver)
{
    const QString name = ChannelName();
    if (name.isEmpty())
        return Claimed::NotListening;
    const QByteArray path = QFile::encodeName(name);
    // Of two starts at once, the second looks only once the first listens.
    const ClaimLock lock(path + ".lock", lockWaitMs);
    if (!lock.Held())
        return Claimed::NotListening;
    switch (Reach(path, mayHandOver)) {
    case Listener::ThisUsers:
        return Claimed::HandedOver;
    case Listener::Unreachable:
        return Claimed::NotListening;
    case Listener::Stale:
    case Listener::AnotherUsers: // it is handed nothing, and its file in this user's folder goes
        unlink(path.constData());
        break;
    case Listener::None:
        break;
    }
    return Listen(path) ? Claimed::Listening : Claimed::NotListening;
}

// A plain socket and a notifier rather than the toolkit's network module, whose libraries would
// be linked and loaded at every start for this one socket.
bool SingleInstance::Listen(const QByteArray& path)
{
    sockaddr_un address;
    if (!SocketAddress(path, address))
        return false;
    const int descriptor = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (descriptor < 0)
        return false;
    if (bind(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        listen(descriptor, SOMAXCONN) != 0) {
        close(descriptor);
        return false;
    }
    // Like each connection, the socket is closed with its notifier, and its file goes with it.
    auto* accepting = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
    connect(accepting, &QObject::destroyed, [descriptor, path] {
        close(descriptor);
        unlink(path.constData());
    });
    connect(accepting, &QSocketNotifier::activated, this, [this, descriptor] {
        int connection;
        while ((connection = accept4(descriptor, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0)
            Accept(connection);
    });
    return true;
}

void SingleInstance::Accept(int connection)
{
    if (!PeerIsThisUser(connection)) {
        close(connection);
        return;
    }
    // The connection is closed with its notifier, also when the instance ends first.
    auto* reader = new QSocketNotifier(connection, QSocketNotifier::Read, this);
    connect(reader, &QObject::destroyed, [connection] { close(connection); });
    const auto drop = [reader] {
        reader->setEnabled(false);
        reader->deleteLater();
    };
    // Anything but the restore message, however long or slow, is dropped.
    QTimer::singleShot(2000, reader, drop);
    auto received = std::make_shared<QByteArray>();
    connect(reader, &QSocketNotifier::activated, this, [this, connection, received, drop] {
        char bytes[64];
        const ssize_t count = recv(connection, bytes, sizeof bytes, 0);
        if (count < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        if (count <= 0) { // the other end went away
            drop();
            return;
        }
        received->append(bytes, count);
        if (received->size() > kRestore.size() || !kRestore.startsWith(*received)) {
            drop();
            return;
        }
        if (*received == kRestore) {
            drop();
            emit restoreRequested();
        }
    });
}
