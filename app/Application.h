#pragma once
// The application: an error that escapes a handler is shown by the standard error report and the
// program goes on.

#include <QApplication>

#include <functional>

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    std::function<void(const QString&)> reportError;
};
