#pragma once
// The program's icon in the notification area. While the owner window is minimised it is hidden
// (no taskbar entry) and the icon shows the on-minimise option; restoring shows the window again,
// brings it to the front and switches back to the normal option. A double-click on the icon (a
// click, where the desktop reports no double click) toggles the two, and every notification
// reaches OnMessage with a point to open a menu at.
// Where the desktop has no notification area, minimising leaves the window minimised with its
// taskbar entry: no window is ever hidden where no icon can bring it back.

#include "ui/skin/NotifyArea.h"
#include "ui/skin/TrayIconOption.h"

#include <QObject>
#include <QPoint>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>

class QWidget;

class EOwnerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A form that has an activation handler; restoring from the tray calls it.
class TActivatableForm {
public:
    virtual void FormActivate(QObject* sender) = 0;

protected:
    ~TActivatableForm() = default;
};

// One notification as the owner's handler sees it; the handler may set Result.
struct TTrayMessage {
    std::uint32_t Msg = 0;
    std::uint32_t WParam = 0;
    std::uint32_t LParam = 0;
    std::int32_t Result = 0;
};

class TTrayApp : public QObject {
    Q_OBJECT

public:
    using MessageEvent = std::function<void(TTrayApp& sender, TTrayMessage& message, QPoint menuPopupPoint)>;

    // The owner must be a top-level window (EOwnerError otherwise). Without an area of its own the
    // component uses the desktop's notification area.
    explicit TTrayApp(QObject* owner, std::unique_ptr<TNotifyArea> area = nullptr);
    ~TTrayApp() override;

    TTrayIconOption& IconNormalOption() { return iconNormalOption_; }
    TTrayIconOption& IconOnMinOption() { return iconOnMinOption_; }

    bool IconVisible() const { return iconVisible_; }
    void SetIconVisible(bool visible);
    bool DBClickToRestore() const { return dbClickToRestore_; }
    void SetDBClickToRestore(bool enabled) { dbClickToRestore_ = enabled; }
    bool AppMinimized() const { return appMinimized_; }

    MessageEvent OnMessage;

    // Called once the owner has set the component's properties.
    void Loaded();
    void ApplyIconOption(const TTrayIconOption& option);
    // Shows the option of the current state; the program calls it after loading the icons.
    void RefreshIcon();

    // The requests a double-click makes; each ends in AppMinimize or AppRestore.
    void MinimizeApplication();
    void RestoreApplication();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AppMinimize();
    void AppRestore();
    void Notified(std::uint32_t mouseMessage);
    QPoint MenuPopupPoint() const;
    // Hidden while a notification area can bring the window back, minimised with a taskbar
    // entry otherwise.
    void PlaceMinimizedWindow();

    QWidget* owner_;
    std::unique_ptr<TNotifyArea> area_;
    TNotifyIconData record_;
    TTrayIconOption iconOnMinOption_;
    TTrayIconOption iconNormalOption_;
    bool iconVisible_ = false;
    bool dbClickToRestore_ = true;
    bool appMinimized_ = false;
    Qt::WindowStates stateBeforeMinimize_; // what restoring returns to
};
