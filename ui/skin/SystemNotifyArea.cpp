#include "ui/skin/SystemNotifyArea.h"

#include <QCursor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QScreen>

#include <cstdint>
#include <utility>

namespace {

constexpr int kAvailabilityPollMs = 1000;

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");

// Where Qt's platform theme offers its StatusNotifierItem tray at all; offscreen and the like
// have none, and are not to start a session bus for the question.
bool DesktopPlatform(const QString& platform)
{
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

TSystemNotifyArea::Desktop ThisDesktop()
{
    const QString platform = QGuiApplication::platformName();
    // Qt asks when its first tray icon is made and keeps the answer for the process.
    static const bool statusNotifierHost =
        DesktopPlatform(platform) && StatusNotifierHostRegistered(QDBusConnection::sessionBus());
    return {platform == QLatin1String("xcb"), statusNotifierHost};
}

// An XEmbed tray reports every left click as Trigger and a double click besides; a
// StatusNotifierItem host reports one left click as Trigger and never a double click, so there
// the click stands for it.
std::optional<std::uint32_t> MouseMessage(QSystemTrayIcon::ActivationReason reason, bool statusNotifierHost)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return statusNotifierHost ? tray::kLeftButtonDoubleClick : tray::kLeftButtonUp;
    case QSystemTrayIcon::DoubleClick:
        return tray::kLeftButtonDoubleClick;
    case QSystemTrayIcon::Context:
        return tray::kRightButtonUp;
    case QSystemTrayIcon::MiddleClick:
        return tray::kMiddleButtonUp;
    case QSystemTrayIcon::Unknown:
        break;
    }
    return std::nullopt;
}

} // namespace

bool StatusNotifierHostRegistered(const QDBusConnection& bus)
{
    // Asked only of a watcher that runs: a call to an absent one could have the bus start one.
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kWatcher))
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(kWatcher, QStringLiteral("/StatusNotifierWatcher"),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << kWatcher << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(get);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().constFirst().value<QDBusVariant>().variant().toBool();
}

TSystemNotifyArea::TSystemNotifyArea(QObject* parent, std::optional<Desktop> desktop)
    : TNotifyArea(parent), desktop_(std::move(desktop))
{
    availabilityPoll_.setInterval(kAvailabilityPollMs);
    connect(&availabilityPoll_, &QTimer::timeout, this, &TSystemNotifyArea::PollAvailability);
}

QSystemTrayIcon& TSystemNotifyArea::Icon()
{
    if (!icon_) {
        icon_ = std::make_unique<QSystemTrayIcon>(this);
        connect(icon_.get(), &QSystemTrayIcon::activated, this, &TSystemNotifyArea::Activated);
        if (!desktop_)
            desktop_ = ThisDesktop();
        available_ = Available();
    }
    return *icon_;
}

bool TSystemNotifyArea::Available() const
{
    return desktop_ ? desktop_->available() : QSystemTrayIcon::isSystemTrayAvailable();
}

void TSystemNotifyArea::Send(TNotifyCommand command, const TNotifyIconData& data)
{
    if (command == TNotifyCommand::Delete) {
        added_ = false;
        availabilityPoll_.stop();
        if (icon_)
            icon_->hide();
        return;
    }
    if (command == TNotifyCommand::Add) {
        added_ = true;
        if (icon_)
            available_ = Available();
        availabilityPoll_.start();
    }
    // An icon added before it has a picture appears with its first picture.
    if (!icon_ && data.Icon.isNull())
        return;
    QSystemTrayIcon& icon = Icon();
    icon.setIcon(data.Icon);
    icon.setToolTip(data.Tip);
    // Off xcb Qt's stand-in for a missing host only warns, so there the icon waits for a host.
    if (added_ && !data.Icon.isNull() && (desktop_->xcb || available_))
        icon.show();
}

bool TSystemNotifyArea::IsAvailable() const
{
    // isVisible() claims true without a notification area; only this question is reliable.
    return Available();
}

QPoint TSystemNotifyArea::CursorPos() const
{
    return QCursor::pos();
}

QRect TSystemNotifyArea::WorkArea() const
{
    const QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void TSystemNotifyArea::Activated(QSystemTrayIcon::ActivationReason reason)
{
    if (const auto message = MouseMessage(reason, desktop_->statusNotifierHost))
        emit Notified(*message);
}

void TSystemNotifyArea::PollAvailability()
{
    if (!icon_)
        return; // nothing shown yet: the icon takes the tray's state when it is made
    const bool available = Available();
    if (available == available_)
        return;
    available_ = available;
    if (available && added_ && !icon_->icon().isNull())
        icon_->show();
    emit AvailabilityChanged(available);
}
