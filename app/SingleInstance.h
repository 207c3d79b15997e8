#pragma once
// One running instance per user: the first start listens on a local socket named after the window
// class and the user; a later start sends it the restore message and ends.

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
