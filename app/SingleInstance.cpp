#include "app/SingleInstance.h"

#include "app/FormMain.h"

#include <QCryptographicHash>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

#include <sys/socket.h>
#include <unistd.h>

namespace {

const QByteArray kRestore = QByteArray::number(TFormMain::kRestoreMessage) + '\n';
constexpr int kTries = 20;
constexpr int kWaitMs = 500;

// Abstract socket names are machine-wide and carry no file permissions: only the same user counts.
bool PeerIsThisUser(const QLocalSocket* socket)
{
    ucred peer{};
    socklen_t length = sizeof peer;
    return getsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer,
                      &length) == 0 &&
           peer.uid == getuid();
}

bool SendRestore()
{
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(SingleInstance::ChannelName());
    if (!socket.waitForConnected(kWaitMs))
        return false;
    socket.write(kRestore);
    socket.waitForBytesWritten(kWaitMs);
    socket.disconnectFromServer();
    return true;
}

} // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent), server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection())
            Accept(socket);
    });
}

QString SingleInstance::ChannelName()
{
    // A window lookup finds the windows of one desktop only: the user's session (its runtime
    // folder) and the display the program shows on. Another session of the same user, or another
    // display, has its own instance.
    const QString platform = QGuiApplication::platformName();
    QByteArray display =
        qgetenv(platform.startsWith(QLatin1String("wayland")) ? "WAYLAND_DISPLAY" : "DISPLAY");
    // ":0" and ":0.0" name one display.
    const auto colon = display.lastIndexOf(':');
    if (const auto dot = display.indexOf('.', colon); colon >= 0 && dot > colon)
        display.truncate(dot);
    const QByteArray desktop = qgetenv("XDG_RUNTIME_DIR") + '\n' + platform.toUtf8() + '\n' + display;
    const QByteArray digest = QCryptographicHash::hash(desktop, QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("ZA_Zedarud_OrOviv-%1-%2").arg(getuid()).arg(QString::fromLatin1(digest));
}

bool SingleInstance::Claim()
{
    // Listening is atomic on an abstract name: of two starts at once, exactly one gets it.
    for (int attempt = 0; attempt < kTries; ++attempt) {
        if (server_->listen(ChannelName()))
            return true;
        if (SendRestore())
            return false;
        // The owner of the name is going away; try again.
        QThread::msleep(50);
    }
    return true;
}

void SingleInstance::Accept(QLocalSocket* socket)
{
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    if (!PeerIsThisUser(socket)) {
        socket->abort();
        return;
    }
    // Anything but the restore message, however long or slow, is dropped.
    QTimer::singleShot(2000, socket, [socket] { socket->abort(); });
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        QByteArray received = socket->property("received").toByteArray() + socket->readAll();
        if (received.size() > kRestore.size() || !kRestore.startsWith(received)) {
            socket->abort();
            return;
        }
        socket->setProperty("received", received);
        if (received == kRestore) {
            socket->disconnectFromServer();
            emit restoreRequested();
        }
    });
}
