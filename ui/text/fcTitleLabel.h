#pragma once
// The title of a borderless skinned window: white bold outlined text that keeps itself centred on
// its form and hands the pointer to the window's frame control (MasterCtrl), so that dragging the
// title moves the window and double-clicking it maximises or restores it. The frame receives
// ordinary Qt mouse events in its own coordinates: every move over the title, a left press at the
// last moved point ((0, 0) before any move) and a left double-click.
// Given the window's caption buttons, the title keeps left of them: centred while it fits, moved
// left as far as the form's left edge when it would reach them, and cut with an ellipsis where it
// is still too long.

#include "ui/text/fcLabel.h"

#include <QEvent>
#include <QPoint>
#include <QPointer>

class TfcTitleLabel : public TfcLabel {
    Q_OBJECT
    Q_PROPERTY(QWidget* MasterCtrl READ MasterCtrl WRITE SetMasterCtrl)

public:
    explicit TfcTitleLabel(QWidget* parent = nullptr);

    QWidget* MasterCtrl() const { return masterCtrl_; }
    void SetMasterCtrl(QWidget* value) { masterCtrl_ = value; }
    // The leftmost of the caption buttons, a sibling of the title; followed wherever it moves.
    void SetCaptionButtons(QWidget* leftmost);

    // Measures the title and centres it on its form, now and after every resize of the form; the
    // form's own resize handling still runs, after the title has moved.
    void Loaded() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void OwnerResized();
    // The width left of the caption buttons from the title's left edge; the label's width without them.
    int Room() const;
    void ForwardToMaster(QEvent::Type type, QPoint at, Qt::MouseButton button, const QMouseEvent& cause);

    QPointer<QWidget> masterCtrl_;
    QPointer<QWidget> captionButtons_;
    QPoint FMasterPoint; // the last pointer position over the title, in MasterCtrl's coordinates
};
