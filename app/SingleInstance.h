#pragma once
// One running instance per user and desktop: the first start listens on a local socket named after
// the window class, the user and the desktop session; a later start in the same session sends it
// the restore message and ends.

#include <QObject>

class QLocalServer;
class QLocalSocket;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);

    // True when this process is now the running instance; false when it handed over to one.
    bool Claim();
    static QString ChannelName();

signals:
    void restoreRequested();

private:
    void Accept(QLocalSocket* socket);
    QLocalServer* server_;
};
