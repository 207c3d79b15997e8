#include "ui/ApplicationEvents.h"

#include <QGuiApplication>

TApplicationEvents& TApplicationEvents::Instance()
{
    static TApplicationEvents events;
    return events;
}

TApplicationEvents::TApplicationEvents()
    : active_(QGuiApplication::applicationState() == Qt::ApplicationActive)
{
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, qApp,
                     [this](Qt::ApplicationState state) { StateChanged(state); });
}

void TApplicationEvents::StateChanged(Qt::ApplicationState state)
{
    // Hidden and suspended are further steps away from active: one deactivation for all of them.
    const bool active = state == Qt::ApplicationActive;
    if (active == active_)
        return;
    active_ = active;
    if (active)
        Activate();
    else
        Deactivate();
}

// A handler may replace the handlers while it runs (a window closing): it runs from a copy.
void TApplicationEvents::Activate()
{
    if (const Handler handler = OnActivate)
        handler(qApp);
}

void TApplicationEvents::Deactivate()
{
    if (const Handler handler = OnDeactivate)
        handler(qApp);
}
