#pragma once
// Creates every control of the main window from one table: kind, name, place, anchors, hint and
// glyph. The window and its view find the controls by these names (app/NamedChild.h).

#include <memory>

class Anchors;
class QMenu;
class QWidget;
class TNotifyArea;

class FormMainControls {
public:
    // Creates the controls on `form`, sized at the designed 318 x 204, then widens the form to its
    // minimum width and anchors the form's own controls, so that right-anchored controls keep the
    // distances they have in a 325-wide window. The tray icon goes into `trayArea`, or into the
    // desktop's notification area when there is none.
    FormMainControls(QWidget& form, std::unique_ptr<TNotifyArea> trayArea);

    // Anchors the controls inside the pages. The page control lays its pages out only when it is
    // first shown, so this waits for the first showing.
    void AttachPageAnchors();

private:
    void CreateControls();
    void CreateMenuAndTray(std::unique_ptr<TNotifyArea> trayArea);
    // PopupMenu1 in the window's own colours, with its side picture.
    void PaintMenu(QMenu& menu);
    void AttachAnchors(bool onPages);

    QWidget& form_;
    Anchors* anchors_;
};
