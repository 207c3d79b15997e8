#pragma once
// SIGTERM, SIGINT and SIGHUP (log-out, kill, Ctrl+C, the terminal that started the program closed)
// end the program the ordinary way: open message boxes, file dialogs and menus close as if
// cancelled, then the main window closes, so the close sequence runs and nothing is lost.

#include <QObject>

class QWidget;

class SignalCloser : public QObject {
public:
    // Catches the signals from now on; called first in main, so that a signal that comes while the
    // program starts ends it the same way instead of killing it.
    static void CatchSignals();
    // True once a signal has come.
    static bool Received();

    // From its creation on, a signal (one that came before included) closes `window`.
    explicit SignalCloser(QWidget* window);

private:
    static void CloseEverything(QWidget* window);
};
