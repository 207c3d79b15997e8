#include "ui/skin/HandDrag.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

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

THandDrag::THandDrag(QWidget* control) : QObject(control), control_(control) {}

THandDrag::~THandDrag()
{
    Stop();
}

void THandDrag::Start(QPoint pressedAt, Qt::Edges edges)
{
    QWidget* window = control_->window();
    edges_ = edges;
    pressedAt_ = pressedAt;
    startFrame_ = window->frameGeometry();
    startGeometry_ = window->geometry();
    if (!active_)
        qApp->installEventFilter(this);
    active_ = true;
}

void THandDrag::Stop()
{
    if (active_)
        qApp->removeEventFilter(this);
    active_ = false;
}

bool THandDrag::eventFilter(QObject* watched, QEvent* event)
{
    const bool mouse = event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonRelease;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (active_ && mouse && widget && widget->window() == control_->window())
        return Follow(*static_cast<QMouseEvent*>(event));
    return false;
}

bool THandDrag::Follow(const QMouseEvent& event)
{
    if (event.type() == QEvent::MouseButtonRelease) {
        Stop();
        return true;
    }
    QWidget* window = control_->window();
    const QPoint moved = event.globalPosition().toPoint() - pressedAt_;
    if (edges_)
        window->setGeometry(SizedGeometry(moved));
    else
        window->move(startFrame_.topLeft() + moved);
    return true;
}

QRect THandDrag::SizedGeometry(QPoint moved) const
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
