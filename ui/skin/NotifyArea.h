#pragma once
// The notification area as the tray component sees it: one icon added, modified or deleted with a
// record of icon and tip, the icon's mouse notifications as the message numbers the component
// dispatches, whether a notification area exists at all, and the pointer and work area that place
// the tray menu. TSystemNotifyArea is the real one; tests stand in their own.

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace tray {

// The message that carries the icon's mouse notifications; its second parameter says which.
constexpr std::uint32_t kCallbackMessage = 2024;
constexpr std::uint32_t kLeftButtonUp = 0x202;
constexpr std::uint32_t kLeftButtonDoubleClick = 0x203;
constexpr std::uint32_t kRightButtonUp = 0x205;
constexpr std::uint32_t kMiddleButtonUp = 0x208;

// The tip's room: 63 bytes of GBK text and its terminating zero.
constexpr std::size_t kTipBytes = 63;

} // namespace tray

// What every call to the notification area carries.
struct TNotifyIconData {
    QIcon Icon;
    QString Tip;
};

enum class TNotifyCommand { Add, Modify, Delete };

class TNotifyArea : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    ~TNotifyArea() override;

    virtual void Send(TNotifyCommand command, const TNotifyIconData& data) = 0;
    // Whether a notification area exists on this desktop now; an icon shown without one is unseen.
    virtual bool IsAvailable() const = 0;
    virtual QPoint CursorPos() const = 0;
    // The desktop minus its panels, on the screen under the pointer.
    virtual QRect WorkArea() const = 0;

signals:
    // A mouse notification of the icon (tray::kLeftButtonDoubleClick, tray::kRightButtonUp, ...).
    void Notified(std::uint32_t mouseMessage);
    // The notification area appeared or went away (a panel started, quit or restarted).
    void AvailabilityChanged(bool available);
};
