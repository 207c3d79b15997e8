#include "ui/skin/ZYForm.h"

#include "ui/skin/SkinRenderer.h"
#include "ui/skin/WindowDrag.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScopeGuard>
#include <QStyleHints>

#include <algorithm>
#include <cstdlib>
#include <exception>

TZYForm::TZYForm(QWidget* form) : QWidget(form), drag_(new TWindowDrag(this))
{
    setObjectName(QStringLiteral("ZYForm1"));
    setGeometry(form->rect());
    lower();
    // Hover moves must arrive: the cursor shows what a press will do before any button goes down.
    setMouseTracking(true);
    form->installEventFilter(this);
}

TZYForm::~TZYForm()
{
    if (!loaded_)
        return;
    TApplicationEvents& application = TApplicationEvents::Instance();
    application.OnDeactivate = savedAppDeactivate_;
    application.OnActivate = savedAppActivate_;
}

void TZYForm::SetPicture(const TSkinPicture& picture)
{
    picture_ = picture;
    // A hidden form's resizes reach the frame only when it shows: rendered at the form's size now,
    // the frame is not rendered again then.
    setGeometry(Form()->rect());
    Render();
    update();
}

void TZYForm::SetSizeable(bool sizeable)
{
    if (sizeable == sizeable_)
        return;
    sizeable_ = sizeable;
    update();
}

void TZYForm::Loaded()
{
    if (loaded_)
        return;
    loaded_ = true;
    savedDblClick_ = OnDblClick;
    OnDblClick = [this](QObject* sender) { TitleDblClick(sender); };
    TApplicationEvents& application = TApplicationEvents::Instance();
    savedAppDeactivate_ = application.OnDeactivate;
    savedAppActivate_ = application.OnActivate;
    application.OnDeactivate = Chained(&TZYForm::AppDeactivate, savedAppDeactivate_);
    application.OnActivate = Chained(&TZYForm::AppActivate, savedAppActivate_);
    // The form's own activation changes reach UpdateActiveLook through the filter on the form.
}

TZYForm::Handler TZYForm::Chained(void (TZYForm::*handler)(QObject*), Handler found)
{
    // A frame destroyed before one that was loaded after it leaves its link in the handler that
    // the later frame puts back; the link then passes the event on and touches nothing of its own.
    return [frame = QPointer<TZYForm>(this), handler, found](QObject* sender) {
        if (frame)
            (frame->*handler)(sender);
        else if (found)
            found(sender);
    };
}

void TZYForm::AppActivate(QObject* sender)
{
    UpdateActiveLook();
    if (savedAppActivate_)
        savedAppActivate_(sender);
}

void TZYForm::AppDeactivate(QObject* sender)
{
    UpdateActiveLook();
    if (savedAppDeactivate_)
        savedAppDeactivate_(sender);
}

void TZYForm::UpdateActiveLook()
{
    SetActiveLook(Form()->isActiveWindow());
}

void TZYForm::SetActiveLook(bool active)
{
    if (active == FActiveLook)
        return;
    FActiveLook = active;
    // The frame is rendered in colour, and greyed only while inactive.
    if (!active) {
        FSkin.GrayScale();
        skinGrey_ = true;
    } else if (skinGrey_) {
        Render();
    }
    update();
}

void TZYForm::Render()
{
    // A damaged picture must not take the window with it: the frame stays empty, the form shows
    // its plain face, and the reason is reported once.
    QString error;
    skinGrey_ = false;
    try {
        RenderSkin(picture_, width(), height(), FSkin);
    } catch (const std::exception& failure) {
        FSkin.Clear();
        error = QString::fromUtf8(failure.what());
    }
    if (!error.isEmpty() && error != renderError_)
        qWarning("The window's frame cannot be drawn: %s", qUtf8Printable(error));
    renderError_ = error;
}

void TZYForm::paintEvent(QPaintEvent*)
{
    if (FSkin.Empty())
        return;
    QPainter painter(this);
    FSkin.Draw(painter, QRect(0, 0, FSkin.Width(), FSkin.Height()));
}

void TZYForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (FSkin.Width() != width() || FSkin.Height() != height())
        Render();
}

bool TZYForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Form()) {
        if (event->type() == QEvent::Resize)
            setGeometry(Form()->rect());
        else if (event->type() == QEvent::ActivationChange && loaded_)
            UpdateActiveLook();
    }
    return false;
}

void TZYForm::SetHitZone(QPoint at)
{
    FHitZone = HitZoneAt(at, size(), sizeable_, Form()->isMaximized());
    const Qt::CursorShape shape = HitZoneCursor(FHitZone);
    if (cursor().shape() != shape)
        setCursor(shape);
}

void TZYForm::mouseMoveEvent(QMouseEvent* event)
{
    SetHitZone(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

void TZYForm::mousePressEvent(QMouseEvent* event)
{
    // The zone where the button went down: a press need not follow a move (the window may have
    // appeared under a resting pointer).
    SetHitZone(event->position().toPoint());
    const QPoint at = event->globalPosition().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (SecondPressOfDoubleClick(at)) {
            DoubleClick(at);
        } else {
            lastPressAt_ = at;
            lastPressClock_.start();
            StartMoveOrSize(at);
        }
    }
    QWidget::mousePressEvent(event);
}

void TZYForm::mouseDoubleClickEvent(QMouseEvent* event)
{
    SetHitZone(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        DoubleClick(event->globalPosition().toPoint());
    event->accept();
}

bool TZYForm::SecondPressOfDoubleClick(QPoint at) const
{
    // The application does not always see a double-click: presses handed on by another control
    // (the title) are made anew, and a move loop of the window system keeps a release from it.
    // Two presses close in time and place are one here, whichever way they came.
    const QStyleHints* hints = QGuiApplication::styleHints();
    const QPoint apart = at - lastPressAt_;
    return lastPressClock_.isValid() && lastPressClock_.elapsed() < hints->mouseDoubleClickInterval() &&
           std::max(std::abs(apart.x()), std::abs(apart.y())) <= hints->mouseDoubleClickDistance();
}

void TZYForm::DoubleClick(QPoint at)
{
    // The second press of a double-click: the handler first, which clears the zone when it
    // maximised or restored the form, then the press in the zone that is left. A third press is
    // a first one again.
    lastPressClock_.invalidate();
    eventPointer_ = at;
    const auto forget = qScopeGuard([this] { eventPointer_.reset(); });
    if (const Handler handler = OnDblClick)
        handler(this);
    StartMoveOrSize(at);
}

void TZYForm::StartMoveOrSize(QPoint pressedAt)
{
    if (FHitZone != THitZone::None)
        drag_->Start(pressedAt, HitZoneEdges(FHitZone));
}

void TZYForm::DragWindow(QPoint pressedAt, Qt::MouseButton button)
{
    drag_->Start(pressedAt, {}, button);
}

void TZYForm::TitleDblClick(QObject* sender)
{
    QWidget* form = Form();
    const QPoint at = form->mapFromGlobal(eventPointer_.value_or(QCursor::pos()));
    const bool inBand = at.x() >= 0 && at.x() <= width() && at.y() >= 0 && at.y() < kCaptionBand;
    if (sizeable_ && inBand) {
        FHitZone = THitZone::None;
        const Qt::WindowStates state = form->windowState();
        form->setWindowState(form->isMaximized() ? state & ~Qt::WindowMaximized
                                                 : (state & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    }
    if (savedDblClick_)
        savedDblClick_(sender);
}
