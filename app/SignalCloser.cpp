#include "app/SignalCloser.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};
volatile std::sig_atomic_t received = 0;

void OnSignal(int)
{
    received = 1;
    const char byte = 1;
    [[maybe_unused]] const auto written = write(signalPipe[1], &byte, 1);
}

} // namespace

void SignalCloser::CatchSignals()
{
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

bool SignalCloser::Received()
{
    return received != 0;
}

SignalCloser::SignalCloser(QWidget* window) : QObject(window)
{
    if (signalPipe[0] < 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, window, [window] {
        char byte;
        [[maybe_unused]] const auto read = ::read(signalPipe[0], &byte, 1);
        CloseEverything(window);
    });
}

void SignalCloser::CloseEverything(QWidget* window)
{
    // Each box, dialog or menu runs a loop of its own: closing them lets every one return as if
    // cancelled, and the handler that waited on it ends as it does on Cancel.
    QWidget* popup = nullptr;
    while ((popup = QApplication::activePopupWidget()) && popup->close()) {
    }
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible())
            dialog->reject();
    window->close();
}
