#pragma once
// One running instance per user and desktop: the first start listens on a socket file in the
// user's own runtime folder, named after the window class and the desktop session; a later start
// in the same session sends it the restore message, with its launcher's activation token, and ends
// once the instance has answered. Both sides check that the other end belongs to this user, and a
// lock file beside the socket lets one start at a time claim it. An instance that closes stops
// listening first, and a start whose message is never answered becomes the instance itself, so
// that a start while the instance closes never ends with no window.

#include <QByteArray>
#include <QObject>

#include <functional>

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

    // `closing` tells whether this process is about to close (a signal came that closes it): it
    // then answers no later start, which becomes the instance in its place.
    explicit SingleInstance(std::function<bool()> closing = {}, QObject* parent = nullptr);

    // `activationToken` goes with the restore message: the launcher's leave for the running
    // window to come to the front.
    Claimed Claim(const QByteArray& activationToken = {});
    // Nothing is accepted or answered from now on, and the socket file goes.
    void StopListening();
    // The socket file; empty when neither the runtime folder nor the fallback is the user's own.
    static QString ChannelName();

signals:
    // `activationToken` is the later start's, empty when its launcher gave none.
    void restoreRequested(const QByteArray& activationToken);

private:
    // Without a message a listener of this user is only found, and HandedOver says it is there.
    Claimed TryClaim(int lockWaitMs, const QByteArray* message);
    bool Listen(const QByteArray& path);
    void Accept(int connection);
    void Received(int connection, const QByteArray& message);

    std::function<bool()> closing_;
    QTimer* retry_;
    bool stopped_ = false;
};
