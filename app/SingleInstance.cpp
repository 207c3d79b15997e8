#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScopeGuard>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QByteArray kRestore = QByteArray::number(SingleInstance::kRestoreMessage);
// The instance's answer once it has restored its window.
const QByteArray kAnswer = "ok\n";
// The restore message and a token of at most this many bytes, then LF.
constexpr int kMaxToken = 256;
constexpr int kWaitMs = 500;
// How long a start waits for the answer: an instance that is closing answers nothing at once, a
// live one within milliseconds; one that hangs this long is as good as none.
constexpr int kAnswerWaitMs = 3000;
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

// Tokens are printable ASCII; anything else is not passed on.
bool UsableToken(const QByteArray& token)
{
    return token.size() <= kMaxToken &&
           std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 0x7F; });
}

QByteArray RestoreMessage(const QByteArray& token)
{
    return kRestore + (token.isEmpty() || !UsableToken(token) ? QByteArray() : ' ' + token) + '\n';
}

// The token of a whole restore message, or nothing when the bytes are no restore message.
std::optional<QByteArray> TokenOf(const QByteArray& message)
{
    if (message == kRestore + '\n')
        return QByteArray();
    if (!message.startsWith(kRestore + ' ') || !message.endsWith('\n'))
        return std::nullopt;
    const QByteArray token = message.mid(kRestore.size() + 1).chopped(1);
    if (token.isEmpty() || !UsableToken(token))
        return std::nullopt;
    return token;
}

// True when the instance answers within kAnswerWaitMs; it closes the connection unanswered when
// it is closing.
bool Answered(int descriptor)
{
    QByteArray answer;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        pollfd readable{descriptor, POLLIN, 0};
        const int left = kAnswerWaitMs - int(waited.elapsed());
        if (left <= 0 || poll(&readable, 1, left) <= 0)
            return false;
        char bytes[8];
        const ssize_t count = recv(descriptor, bytes, sizeof bytes, 0);
        if (count <= 0)
            return false;
        answer.append(bytes, count);
        if (answer == kAnswer)
            return true;
        if (!kAnswer.startsWith(answer))
            return false;
    }
}

// The file a socket was bound to, as the file system names it: a later start may replace it.
struct BoundFile {
    dev_t device = 0;
    ino_t inode = 0;
};

BoundFile BoundFileAt(const QByteArray& path)
{
    struct stat status {};
    return lstat(path.constData(), &status) == 0 ? BoundFile{status.st_dev, status.st_ino} : BoundFile{};
}

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

// Connects to the socket file and, only when the listener is this user's and there is a message,
// sends it and waits for the answer.
Listener Reach(const QByteArray& path, const QByteArray* message)
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
    if (!message)
        return Listener::ThisUsers;
    // An instance that went away before it read the message, or that is closing and answers
    // nothing, is as good as none.
    const bool sent = send(descriptor, message->constData(), static_cast<std::size_t>(message->size()),
                           MSG_NOSIGNAL) == message->size();
    return sent && Answered(descriptor) ? Listener::ThisUsers : Listener::Stale;
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

SingleInstance::SingleInstance(std::function<bool()> closing, QObject* parent)
    : QObject(parent), closing_(std::move(closing)), retry_(new QTimer(this))
{
    retry_->setInterval(kRetryMs);
    // Another instance found listening in the meantime is found by later starts just as well.
    connect(retry_, &QTimer::timeout, this, [this] {
        if (TryClaim(0, nullptr) != Claimed::NotListening)
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
    // display, has its own instance; so has another machine sharing the home folder. A Wayland
    // session names its compositor, whichever window system the program itself talks to: a start
    // through the session's X server belongs to the same desktop.
    QByteArray display = qgetenv("WAYLAND_DISPLAY");
    if (display.isEmpty()) {
        display = qgetenv("DISPLAY");
        // ":0" and ":0.0" name one display.
        const auto colon = display.lastIndexOf(':');
        if (const auto dot = display.indexOf('.', colon); colon >= 0 && dot > colon)
            display.truncate(dot);
    }
    const QByteArray desktop =
        qgetenv("XDG_RUNTIME_DIR") + '\n' + display + '\n' + QSysInfo::machineHostName().toUtf8();
    const QByteArray digest = QCryptographicHash::hash(desktop, QCryptographicHash::Sha256).toHex().left(16);
    return QFile::decodeName(folder) +
           QStringLiteral("/ZA_Zedarud_OrOviv-%1").arg(QString::fromLatin1(digest));
}

SingleInstance::Claimed SingleInstance::Claim(const QByteArray& activationToken)
{
    const QByteArray message = RestoreMessage(activationToken);
    const Claimed claimed = TryClaim(kLockWaitMs, &message);
    if (claimed == Claimed::NotListening)
        retry_->start();
    return claimed;
}

SingleInstance::Claimed SingleInstance::TryClaim(int lockWaitMs, const QByteArray* message)
{
    if (stopped_)
        return Claimed::NotListening;
    const QString name = ChannelName();
    if (name.isEmpty())
        return Claimed::NotListening;
    const QByteArray path = QFile::encodeName(name);
    // Of two starts at once, the second looks only once the first listens.
    const ClaimLock lock(path + ".lock", lockWaitMs);
    if (!lock.Held())
        return Claimed::NotListening;
    switch (Reach(path, message)) {
    case Listener::ThisUsers:
        return Claimed::HandedOver;
    case Listener::Unreachable:
        return Claimed::NotListening;
    case Listener::Stale:        // its listener, if any, keeps its socket but loses the file
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
    // Like each connection, the socket is closed with its notifier, and its file goes with it
    // unless a later start has put a socket of its own there meanwhile.
    auto* accepting = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
    connect(accepting, &QObject::destroyed, [descriptor, path, bound = BoundFileAt(path)] {
        close(descriptor);
        const BoundFile now = BoundFileAt(path);
        if (now.inode == bound.inode && now.device == bound.device)
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
        const bool prefix = received->size() <= kRestore.size() ? kRestore.startsWith(*received)
                                                                : received->startsWith(kRestore);
        if (!prefix || received->size() > kRestore.size() + 2 + kMaxToken) {
            drop();
            return;
        }
        if (received->endsWith('\n')) {
            Received(connection, *received);
            drop();
        }
    });
}

void SingleInstance::Received(int connection, const QByteArray& message)
{
    const std::optional<QByteArray> token = TokenOf(message);
    // A process about to close answers nothing: the start becomes the instance in its place.
    if (!token || stopped_ || (closing_ && closing_()))
        return;
    emit restoreRequested(*token);
    send(connection, kAnswer.constData(), static_cast<std::size_t>(kAnswer.size()), MSG_NOSIGNAL);
}

void SingleInstance::StopListening()
{
    stopped_ = true;
    retry_->stop();
    // The listener's notifier closes its socket and removes its file; each connection's closes it
    // unanswered.
    for (QSocketNotifier* notifier : findChildren<QSocketNotifier*>(Qt::FindDirectChildrenOnly))
        delete notifier;
}
