#pragma once
// Moves or sizes a window from the mouse moves until the button is released, where the window
// system refuses to run its own move or size loop (no window manager). An application-wide filter
// follows the moves whichever of the window's controls gets them: the press may have landed on
// another control, which the pointer then stays grabbed by.

#include <QObject>
#include <QPoint>
#include <QRect>
#include <Qt>

class QMouseEvent;
class QWidget;

class THandDrag : public QObject {
public:
    explicit THandDrag(QWidget* control);
    ~THandDrag() override;

    // The window of the control follows the pointer from pressedAt (screen pixels) on: it moves
    // when no edges are given, else those edges follow and the others stay, within the window's
    // minimum and maximum size.
    void Start(QPoint pressedAt, Qt::Edges edges);
    bool Active() const { return active_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Follow(const QMouseEvent& event);
    void Stop();
    QRect SizedGeometry(QPoint moved) const;

    QWidget* control_;
    bool active_ = false;
    Qt::Edges edges_;
    QPoint pressedAt_;
    QRect startFrame_;    // the frame geometry, for moving
    QRect startGeometry_; // the client geometry, for sizing
};
