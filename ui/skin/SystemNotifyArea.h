#pragma once
// The desktop's notification area through QSystemTrayIcon. Qt tells nobody when a panel with a
// notification area starts or quits, so its presence is polled while the icon is added.

#include "ui/skin/NotifyArea.h"

#include <QSystemTrayIcon>
#include <QTimer>

class TSystemNotifyArea : public TNotifyArea {
    Q_OBJECT

public:
    explicit TSystemNotifyArea(QObject* parent = nullptr);

    void Send(TNotifyCommand command, const TNotifyIconData& data) override;
    bool IsAvailable() const override;
    QPoint CursorPos() const override;
    QRect WorkArea() const override;

private:
    void Activated(QSystemTrayIcon::ActivationReason reason);
    void PollAvailability();

    QSystemTrayIcon icon_;
    QTimer availabilityPoll_;
    bool added_ = false;
    bool available_ = false;
};
