#pragma once
// Creates every control of the main window from one table: kind, name, place, anchors, hint and
// glyph. The window and its view find the controls by these names (app/NamedChild.h); the table
// is the one place that names the page logic's controls.

#include "app/ControlBinding.h"
#include "study/Control.h"

#include <QSize>

#include <memory>
#include <utility>
#include <vector>

class Anchors;
class QMenu;
class QWidget;
class TNotifyArea;

// The control's name in the window, e.g. "Edit_Input".
const char* ControlName(Control control);
// How the view reaches each of the page logic's controls made so far on a form these controls
// were made on.
std::vector<std::pair<Control, ControlBinding>> BindControls(QWidget& form);

class FormMainControls {
public:
    // Creates the controls on `form`, sized at the designed 318 x 204, then widens the form to its
    // minimum width and anchors the form's own controls, so that right-anchored controls keep the
    // distances they have in a 325-wide window. The tray icon goes into `trayArea`, or into the
    // desktop's notification area when there is none. Of the pages, only the first one shown gets
    // its controls: the others are not needed before the window is on the screen.
    FormMainControls(QWidget& form, std::unique_ptr<TNotifyArea> trayArea);

    // Anchors the controls inside the pages. The page control lays its pages out only when it is
    // first shown, so this waits for the first showing.
    void AttachPageAnchors();
    // Makes the controls of the other pages, anchored if the pages are laid out; false when they
    // are made already.
    bool MakeOtherPages();

private:
    // The rows made with the window, or those of the other pages, placed as designed.
    void CreateRows(bool atStart);
    // The title, the grip, the status timer and the lookup's suggestions.
    void SetUpFormControls();
    void CreateMenuAndTray(std::unique_ptr<TNotifyArea> trayArea);
    // PopupMenu1 in the window's own colours, with its side picture.
    void PaintMenu(QMenu& menu);
    void AttachAnchors(bool onPages, bool otherPagesOnly = false);

    QWidget& form_;
    Anchors* anchors_;
    // Every page has the size the page shown had when first laid out (invalid until then): the
    // window may have been resized since the controls placed as designed were made.
    QSize pageDesignSize_;
    bool otherPagesMade_ = false;
};
