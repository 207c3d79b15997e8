#pragma once
// One running instance per user and desktop: the first start listens on a socket file in the
// user's own runtime folder, named after the window class and the desktop session; a later start
// in the same session sends it the restore message and ends. Both sides check that the other end
// belongs to this user, and a lock file beside the socket lets one start at a time claim it.

#include <QByteArray>
#include <QObject>

class QTimer;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // What a later start sends; the running instance restores its window on it.
    static constexpr int kRestoreMessage = 5120;

    enum class Claimed {
        Listening,   // this process is the instance, and later starts find it
        HandedOver,  // another instance of this desktop got the restore message
        NotListening // this process runs as the instance but cannot be found yet; it keeps trying
    };

    explicit SingleInstance(QObject* parent = nullptr);

    Claimed Claim();
    // The socket file; empty when neither the runtime folder nor the fallback is the user's own.
    static QString ChannelName();

signals:
    void restoreRequested();

private:
    // Without `mayHandOver` a listener of this user is only found, and HandedOver says it is there.
    Claimed TryClaim(int lockWaitMs, bool mayHandOver);
    bool Listen(const QByteArray& path);
    void Accept(int connection);

    QTimer* retry_;
};
