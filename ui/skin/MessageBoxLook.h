#pragma once
// The look the message box and the dialogs in its skin share.

class QDialog;
class QLabel;
class QObject;
class TZYForm;

// The message box's picture on `frame` beneath every other control of `dialog`, and `title` in
// white on its caption band as the handle that drags the dialog: `dragFilter` watches its mouse.
void DressLikeMessageBox(QDialog& dialog, TZYForm& frame, QLabel& title, QObject& dragFilter);
