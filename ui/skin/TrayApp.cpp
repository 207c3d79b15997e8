#include "ui/skin/TrayApp.h"

#include "text/GbkText.h"
#include "ui/QtGbk.h"
#include "ui/skin/SystemNotifyArea.h"

#include <QApplication>
#include <QWidget>
#include <QWindowStateChangeEvent>

#include <cstdlib>
#include <utility>

namespace {

// A pointer closer than this to the work area's bottom opens the menu on that edge, just above
// the panel.
constexpr int kSnapDistance = 300;

QWidget* OwnerForm(QObject* owner)
{
    auto* form = qobject_cast<QWidget*>(owner);
    if (!form || !form->isWindow())
        throw EOwnerError("Class of the owner is not a TForm!");
    return form;
}

// The tip holds 63 GBK bytes; a longer one is cut before a whole character.
QString FittedTip(const QString& hint)
{
    return FromGbk(gbk::CutToWidth(ToGbkLossy(hint), tray::kTipBytes));
}

} // namespace

TTrayApp::TTrayApp(QObject* owner, std::unique_ptr<TNotifyArea> area)
    : QObject(owner), owner_(OwnerForm(owner)),
      area_(area ? std::move(area) : std::make_unique<TSystemNotifyArea>())
{
    connect(area_.get(), &TNotifyArea::Notified, this, &TTrayApp::Notified);
    connect(area_.get(), &TNotifyArea::AvailabilityChanged, this, [this] {
        if (appMinimized_)
            PlaceMinimizedWindow();
    });
    ApplyIconOption(iconNormalOption_);
    // The owner's state changes are the application's minimise and restore events.
    owner_->installEventFilter(this);
}

TTrayApp::~TTrayApp()
{
    SetIconVisible(false);
    owner_->removeEventFilter(this);
}

void TTrayApp::SetIconVisible(bool visible)
{
    if (visible == iconVisible_)
        return;
    iconVisible_ = visible;
    area_->Send(visible ? TNotifyCommand::Add : TNotifyCommand::Delete, record_);
}

void TTrayApp::Loaded()
{
    ApplyIconOption(iconNormalOption_);
}

void TTrayApp::ApplyIconOption(const TTrayIconOption& option)
{
    record_.Tip = FittedTip(option.Hint());
    record_.Icon = option.Icon;
    if (!record_.Icon.isNull() && iconVisible_)
        area_->Send(TNotifyCommand::Modify, record_);
}

void TTrayApp::RefreshIcon()
{
    ApplyIconOption(appMinimized_ ? iconOnMinOption_ : iconNormalOption_);
}

void TTrayApp::MinimizeApplication()
{
    if (appMinimized_)
        return;
    // Where the tray takes the window, it is hidden without being minimised first: a window the
    // program minimised carries that as a hint, and the window manager may still read it when the
    // window is shown again, minimising it anew.
    if (area_->IsAvailable()) {
        stateBeforeMinimize_ = owner_->windowState() & ~Qt::WindowActive;
        AppMinimize();
    } else {
        // Not showMinimized(): it shows the window again after the state change has hidden it.
        owner_->setWindowState(owner_->windowState() | Qt::WindowMinimized);
    }
}

void TTrayApp::RestoreApplication()
{
    if (!appMinimized_)
        return;
    // A window in the taskbar comes back through its state change, one hidden in the tray here.
    owner_->setWindowState(stateBeforeMinimize_);
    if (appMinimized_)
        AppRestore();
}

bool TTrayApp::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == owner_ && event->type() == QEvent::WindowStateChange) {
        const bool minimized = owner_->isMinimized();
        if (minimized && !appMinimized_) {
            stateBeforeMinimize_ = static_cast<QWindowStateChangeEvent*>(event)->oldState() &
                                   ~(Qt::WindowMinimized | Qt::WindowActive);
            AppMinimize();
        } else if (!minimized && appMinimized_ && owner_->isVisible()) {
            AppRestore();
        }
        // A window hidden in the tray comes back only through RestoreApplication: the window system
        // drops the minimised state of a hidden window (X does), which is no restore.
    }
    return QObject::eventFilter(watched, event);
}

void TTrayApp::AppMinimize()
{
    // Hidden once the minimise has run its course: whoever minimised may still be showing it.
    QMetaObject::invokeMethod(this, &TTrayApp::PlaceMinimizedWindow, Qt::QueuedConnection);
    appMinimized_ = true;
    ApplyIconOption(iconOnMinOption_);
    SetIconVisible(true);
}

void TTrayApp::AppRestore()
{
    owner_->show();
    appMinimized_ = false;
    ApplyIconOption(iconNormalOption_);
    SetIconVisible(true);
    QWidget* front = QApplication::activeModalWidget();
    if (!front)
        front = owner_;
    front->raise();
    front->activateWindow();
    if (auto* form = dynamic_cast<TActivatableForm*>(owner_))
        form->FormActivate(QCoreApplication::instance());
}

void TTrayApp::PlaceMinimizedWindow()
{
    if (!appMinimized_)
        return;
    if (area_->IsAvailable()) {
        owner_->hide();
    } else {
        // Back in the taskbar, minimised, whatever the window system made of it while hidden.
        owner_->setWindowState(owner_->windowState() | Qt::WindowMinimized);
        owner_->show();
    }
}

void TTrayApp::Notified(std::uint32_t mouseMessage)
{
    TTrayMessage message{tray::kCallbackMessage, 0, mouseMessage, 0};
    if (mouseMessage == tray::kLeftButtonDoubleClick && dbClickToRestore_) {
        if (appMinimized_)
            RestoreApplication();
        else
            MinimizeApplication();
    }
    if (OnMessage)
        OnMessage(*this, message, MenuPopupPoint());
}

QPoint TTrayApp::MenuPopupPoint() const
{
    QPoint point = area_->CursorPos();
    const QRect workArea = area_->WorkArea();
    const int bottom = workArea.y() + workArea.height();
    if (std::abs(point.y() - bottom) < kSnapDistance)
        point.setY(bottom);
    return point;
}
