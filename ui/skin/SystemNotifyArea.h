#pragma once
// The desktop's notification area through QSystemTrayIcon. Qt tells nobody when a panel with a
// notification area starts or quits, so its presence is polled while the icon is added.

#include "ui/skin/NotifyArea.h"

#include <QSystemTrayIcon>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class QDBusConnection;

// Whether the bus has a StatusNotifierItem watcher with a host behind it (KDE Plasma, GNOME's
// AppIndicator, xfce4-panel): Qt's tray then speaks StatusNotifierItem instead of XEmbed.
bool StatusNotifierHostRegistered(const QDBusConnection& bus);

class TSystemNotifyArea : public TNotifyArea {
    Q_OBJECT

public:
    // The desktop's tray as Qt meets it when the icon is made.
    struct Desktop {
        // Qt embeds an icon shown without a tray once a tray appears; elsewhere it cannot.
        bool xcb = false;
        // Clicks arrive as StatusNotifierItem activations, which have no double click.
        bool statusNotifierHost = false;
        std::function<bool()> available = &QSystemTrayIcon::isSystemTrayAvailable;
    };

    // Without a desktop, this process's.
    explicit TSystemNotifyArea(QObject* parent = nullptr, std::optional<Desktop> desktop = std::nullopt);

    void Send(TNotifyCommand command, const TNotifyIconData& data) override;
    bool IsAvailable() const override;
    QPoint CursorPos() const override;
    QRect WorkArea() const override;

private:
    // The icon is made with its first picture: making one has Qt ask the session bus which tray
    // the desktop speaks, which a start need not wait for.
    QSystemTrayIcon& Icon();
    bool Available() const;
    void Activated(QSystemTrayIcon::ActivationReason reason);
    void PollAvailability();

    std::unique_ptr<QSystemTrayIcon> icon_;
    std::optional<Desktop> desktop_; // taken after the icon is made, when Qt has chosen its tray
    QTimer availabilityPoll_;
    bool added_ = false;
    bool available_ = false;
};
