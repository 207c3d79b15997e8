#pragma once
// Moves or sizes a window from a press. The first move with the left button down hands the window
// to the window system's own move or size loop; where the system refuses (no window manager), or
// for another button, whose release the system's loop would not wait for, the window follows the
// pointer by hand, from the press on, until that button is released. A release before any move was
// a click, and moves nothing.
//
// Waiting for the first move keeps clicks (and the double-clicks made of them) from the system's
// loop, which would otherwise take a release that came before it started for the start of a move;
// the window system's loop then starts from where the pointer is, one move event late.
// An application-wide filter sees the moves whichever of the window's controls gets them: the press
// may have landed on another control, which then keeps the pointer.

#include <QObject>
#include <QPoint>
#include <QRect>
#include <Qt>

class QMouseEvent;
class QWidget;

class TWindowDrag : public QObject {
public:
    explicit TWindowDrag(QWidget* control);
    ~TWindowDrag() override;

    // `button` went down at pressedAt (screen pixels) on the control's window: a drag moves the
    // window when no edges are given, else those edges follow and the others stay, within the
    // window's minimum and maximum size.
    void Start(QPoint pressedAt, Qt::Edges edges, Qt::MouseButton button = Qt::LeftButton);
    bool Active() const { return stage_ != TStage::Idle; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class TStage { Idle, Pressed, ByHand };

    bool Moved(const QMouseEvent& event);
    bool HandedToSystem() const;
    void Follow(const QMouseEvent& event);
    void Stop();
    QRect SizedGeometry(QPoint moved) const;

    QWidget* control_;
    TStage stage_ = TStage::Idle;
    Qt::Edges edges_;
    Qt::MouseButton button_ = Qt::LeftButton;
    QPoint pressedAt_;
    QRect startFrame_;    // the frame geometry, for moving
    QRect startGeometry_; // the client geometry, for sizing
};
