#pragma once
// A window may come to the front only with its launcher's leave: on Wayland an activation token
// (XDG_ACTIVATION_TOKEN), on X a startup id (DESKTOP_STARTUP_ID). A later start hands its own to
// the running instance, which uses it where the toolkit can: Qt 6.4 activates a Wayland window with
// the token in XDG_ACTIVATION_TOKEN, and offers no way to use a startup id for a window already
// shown (X window managers raise it on the instance's own request).

#include <QByteArray>

// The token this start was launched with. Read before the application object exists: the toolkit
// takes the startup id out of the environment as it connects.
QByteArray LauncherActivationToken();

// Lets the next activation of a window use `token`, where the window system takes one.
void UseActivationToken(const QByteArray& token);
