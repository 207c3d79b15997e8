#pragma once
// The application's activate and deactivate events: the program became the one the user works in,
// or another program took over. Each event has one handler. A component that wants an event keeps
// the handler it found and calls it on, so that several components form a chain.

#include <QObject>

#include <functional>

class TApplicationEvents {
public:
    using Handler = std::function<void(QObject* sender)>;

    // The one instance; from its first use it follows the application's state.
    static TApplicationEvents& Instance();

    Handler OnActivate;
    Handler OnDeactivate;

    // Call the handlers with the application as sender, as a change of its state does.
    void Activate();
    void Deactivate();

private:
    TApplicationEvents();
    void StateChanged(Qt::ApplicationState state);

    bool active_;
};
