#pragma once
// The frame of a borderless form: a control that fills its form beneath the other controls, paints
// the frame and lets the user move the form by pressing in its caption band, the top 25 pixels.

#include <QCursor>
#include <QPoint>
#include <QWidget>

class TZYForm : public QWidget {
    Q_OBJECT
public:
    // Fills `form` from now on, whatever size it takes.
    explicit TZYForm(QWidget* form);

    static constexpr int kCaptionBand = 25;

    // Hands the form to the window system's own move loop. Where the system refuses (no window
    // manager), the form follows the mouse by hand, from the point the button went down at, until
    // the button is released, whichever of the form's controls the mouse events go to.
    void DragWindow(QPoint pressedAt = QCursor::pos());

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool FollowHand(const QMouseEvent& event);

    bool draggingByHand_ = false;
    QPoint grabOffset_; // from the form's top-left corner to the pointer, in screen pixels
};
