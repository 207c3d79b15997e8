#include "app/ActivationToken.h"

#include <QGuiApplication>

QByteArray LauncherActivationToken()
{
    const QByteArray wayland = qgetenv("XDG_ACTIVATION_TOKEN");
    return wayland.isEmpty() ? qgetenv("DESKTOP_STARTUP_ID") : wayland;
}

void UseActivationToken(const QByteArray& token)
{
    // The Wayland plugin reads it at the window's next activation, and then removes it.
    if (!token.isEmpty() && QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        qputenv("XDG_ACTIVATION_TOKEN", token);
}
