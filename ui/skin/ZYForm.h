#pragma once
// The skinned frame of a borderless form: a control that fills its form beneath the other controls
// and paints a frame rendered from a small picture at the form's size. Dragging its top band
// (25 pixels) moves the form; in a sizeable form dragging near an edge or in a corner sizes it and
// a double-click in the band maximises or restores it. While the form is inactive it is grey.
//
// Another control may hand the pointer to the frame (the window's title): mouse moves, presses and
// double-clicks sent to the frame as ordinary mouse events in the frame's coordinates act exactly
// as the frame's own.

#include "ui/ApplicationEvents.h"
#include "ui/skin/HitZone.h"
#include "ui/skin/SkinPicture.h"
#include "ui/skin/ZYBitmap.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <optional>

class TWindowDrag;

class TZYForm : public QWidget {
    Q_OBJECT
public:
    using Handler = TApplicationEvents::Handler;

    // Fills `form` from now on, whatever size it takes. Nothing is hooked before Loaded.
    explicit TZYForm(QWidget* form);
    // Puts back the application's handlers that Loaded found.
    ~TZYForm() override;

    static constexpr int kCaptionBand = 25;

    const TSkinPicture& Picture() const { return picture_; }
    // Copies the picture, renders the frame from it and repaints.
    void SetPicture(const TSkinPicture& picture);
    // Enables the eight resize zones and the double-click that maximises.
    bool Sizeable() const { return sizeable_; }
    void SetSizeable(bool sizeable);

    // The control's double-click handler. Loaded keeps the one set here and puts TitleDblClick in
    // its place, which calls the kept one on.
    Handler OnDblClick;

    // Once the form has set the frame's properties: takes over the double-click handler, chains
    // into the application's activate and deactivate handlers and follows the form's activation.
    void Loaded();

    // In the caption band of a sizeable form (the pointer's position decides): maximised becomes
    // normal, anything else maximised. Then the double-click handler found by Loaded, if any.
    void TitleDblClick(QObject* sender);
    // Called on a press of `button` at pressedAt (screen pixels): the first move with the left
    // button down hands the form to the window system's own move loop; for another button, or
    // where the system refuses (no window manager), the form follows the mouse by hand until the
    // button is released, whichever of the form's controls the mouse events go to. A release
    // without a move moves nothing.
    void DragWindow(QPoint pressedAt = QCursor::pos(), Qt::MouseButton button = Qt::LeftButton);

    // Grey while the form is inactive, in colour while it is active.
    void UpdateActiveLook();
    void SetActiveLook(bool active);
    void AppActivate(QObject* sender);
    void AppDeactivate(QObject* sender);

    bool ActiveLook() const { return FActiveLook; }
    // The zone under the pointer at the last move or press.
    THitZone HitZone() const { return FHitZone; }
    // The frame as rendered for the current size and look; empty without a picture.
    const TZYBitmap& Skin() const { return FSkin; }
    // Why the last rendering left the frame empty (a damaged picture); empty when it succeeded.
    const QString& RenderError() const { return renderError_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Render();
    void SetHitZone(QPoint at);
    void StartMoveOrSize(QPoint pressedAt);
    bool SecondPressOfDoubleClick(QPoint at) const;
    void DoubleClick(QPoint at);
    Handler Chained(void (TZYForm::*handler)(QObject*), Handler found);
    QWidget* Form() const { return parentWidget(); }

    bool FActiveLook = false;
    TSkinPicture picture_;
    TZYBitmap FSkin;
    bool skinGrey_ = false;
    bool sizeable_ = false;
    THitZone FHitZone = THitZone::None;
    Handler savedDblClick_;
    Handler savedAppActivate_;
    Handler savedAppDeactivate_;
    bool loaded_ = false;
    QString renderError_;
    // The pointer's screen position while a mouse event of the frame is handled; otherwise the
    // cursor's position stands for it.
    std::optional<QPoint> eventPointer_;
    TWindowDrag* drag_;
    // Where and when the left button last went down, to tell double-clicks.
    QPoint lastPressAt_;
    QElapsedTimer lastPressClock_;
};
