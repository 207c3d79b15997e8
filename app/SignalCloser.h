#pragma once
// SIGTERM and SIGINT (log-out, kill, Ctrl+C) close the main window the ordinary way, so the close
// sequence runs and nothing is lost.

#include <QObject>

class QWidget;

class SignalCloser : public QObject {
public:
    explicit SignalCloser(QWidget* window);
};
