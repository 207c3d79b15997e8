#include "ui/skin/SystemNotifyArea.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace {

constexpr int kAvailabilityPollMs = 1000;

} // namespace

TSystemNotifyArea::TSystemNotifyArea(QObject* parent)
    : TNotifyArea(parent), icon_(this), available_(QSystemTrayIcon::isSystemTrayAvailable())
{
    connect(&icon_, &QSystemTrayIcon::activated, this, &TSystemNotifyArea::Activated);
    availabilityPoll_.setInterval(kAvailabilityPollMs);
    connect(&availabilityPoll_, &QTimer::timeout, this, &TSystemNotifyArea::PollAvailability);
}

void TSystemNotifyArea::Send(TNotifyCommand command, const TNotifyIconData& data)
{
    if (command == TNotifyCommand::Delete) {
        added_ = false;
        availabilityPoll_.stop();
        icon_.hide();
        return;
    }
    if (command == TNotifyCommand::Add) {
        added_ = true;
        available_ = QSystemTrayIcon::isSystemTrayAvailable();
        availabilityPoll_.start();
    }
    icon_.setIcon(data.Icon);
    icon_.setToolTip(data.Tip);
    // An icon added before it has a picture appears with its first picture.
    if (added_ && !data.Icon.isNull())
        icon_.show();
}

bool TSystemNotifyArea::IsAvailable() const
{
    // isVisible() claims true without a notification area; only this question is reliable.
    return QSystemTrayIcon::isSystemTrayAvailable();
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
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        emit Notified(tray::kLeftButtonUp);
        break;
    case QSystemTrayIcon::DoubleClick:
        emit Notified(tray::kLeftButtonDoubleClick);
        break;
    case QSystemTrayIcon::Context:
        emit Notified(tray::kRightButtonUp);
        break;
    case QSystemTrayIcon::MiddleClick:
        emit Notified(tray::kMiddleButtonUp);
        break;
    case QSystemTrayIcon::Unknown:
        break;
    }
}

void TSystemNotifyArea::PollAvailability()
{
    const bool available = QSystemTrayIcon::isSystemTrayAvailable();
    if (available == available_)
        return;
    available_ = available;
    emit AvailabilityChanged(available);
}
