#include "ui/skin/WindowDrag.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// The moved edge's new place: the pointer's distance added, but the window no narrower than its
// minimum and no wider than its maximum, measured from the edge that stays.
int Bounded(int moved, int fixed, int minimum, int maximum, bool growsAway)
{
    if (growsAway)
        return std::clamp(moved, fixed + minimum, fixed + std::max(minimum, maximum));
    return std::clamp(moved, fixed - std::max(minimum, maximum), fixed - minimum);
}

} // namespace

TWindowDrag::TWindowDrag(QWidget* control) : QObject(control), control_(control) {}

TWindowDrag::~TWindowDrag()
{
    Stop();
}

void TWindowDrag::Start(QPoint pressedAt, Qt::Edges edges, Qt::MouseButton button)
{
    QWidget* window = control_->window();
    edges_ = edges;
    button_ = button;
    pressedAt_ = pressedAt;
    startFrame_ = window->frameGeometry();
    startGeometry_ = window->geometry();
    if (stage_ == TStage::Idle)
        qApp->installEventFilter(this);
    stage_ = TStage::Pressed;
}

void TWindowDrag::Stop()
{
    if (stage_ != TStage::Idle)
        qApp->removeEventFilter(this);
    stage_ = TStage::Idle;
}

bool TWindowDrag::eventFilter(QObject* watched, QEvent* event)
{
    const bool mouse = event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonRelease;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (stage_ == TStage::Idle || !mouse || !widget || widget->window() != control_->window())
        return false;
    const auto& mouseEvent = *static_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseMove)
        return Moved(mouseEvent);
    if (mouseEvent.button() != button_)
        return stage_ == TStage::ByHand;
    // The release of a click reaches its control as usual; the end of a drag by hand is ours.
    const bool byHand = stage_ == TStage::ByHand;
    Stop();
    return byHand;
}

bool TWindowDrag::Moved(const QMouseEvent& event)
{
    if (stage_ == TStage::Pressed) {
        // Without the button the release went elsewhere: nothing is dragged any more.
        if (!(event.buttons() & button_)) {
            Stop();
            return false;
        }
        if (button_ == Qt::LeftButton && HandedToSystem()) {
            Stop();
            return false;
        }
        stage_ = TStage::ByHand;
    }
    Follow(event);
    return true;
}

bool TWindowDrag::HandedToSystem() const
{
    QWindow* handle = control_->window()->windowHandle();
    if (!handle)
        return false;
    return edges_ ? handle->startSystemResize(edges_) : handle->startSystemMove();
}

void TWindowDrag::Follow(const QMouseEvent& event)
{
    QWidget* window = control_->window();
    const QPoint moved = event.globalPosition().toPoint() - pressedAt_;
    if (edges_)
        window->setGeometry(SizedGeometry(moved));
    else
        window->move(startFrame_.topLeft() + moved);
}

QRect TWindowDrag::SizedGeometry(QPoint moved) const
{
    const QWidget* window = control_->window();
    const QSize minimum = window->minimumSize();
    const QSize maximum = window->maximumSize();
    // Right and bottom as the first pixel outside, so that widths are plain differences.
    int left = startGeometry_.left();
    int top = startGeometry_.top();
    int right = left + startGeometry_.width();
    int bottom = top + startGeometry_.height();
    if (edges_ & Qt::LeftEdge)
        left = Bounded(left + moved.x(), right, minimum.width(), maximum.width(), false);
    if (edges_ & Qt::RightEdge)
        right = Bounded(right + moved.x(), left, minimum.width(), maximum.width(), true);
    if (edges_ & Qt::TopEdge)
        top = Bounded(top + moved.y(), bottom, minimum.height(), maximum.height(), false);
    if (edges_ & Qt::BottomEdge)
        bottom = Bounded(bottom + moved.y(), top, minimum.height(), maximum.height(), true);
    return QRect(left, top, right - left, bottom - top);
}
