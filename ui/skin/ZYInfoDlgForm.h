#pragma once
// The dialog behind TZYInfoDlg::MessageBox: a borderless, always-on-top modal box that shows a
// title, a text, an optional icon and up to four buttons numbered from the right, sizes itself
// to the text and records the code of the button that closed it.

#include "ui/skin/MessageBoxFlags.h"
#include "ui/skin/ZYButton.h"

#include <QDialog>
#include <QPoint>

class QLabel;
class QPushButton;
class QToolButton;
class TZYForm;

class TZYInfoDlgForm : public QDialog {
    Q_OBJECT

public:
    explicit TZYInfoDlgForm(QWidget* parent = nullptr);

    // Fills and lays out the dialog from the flags word of ui/skin/MessageBoxFlags.h. Text may
    // break lines with CR LF.
    void InitMessageBox(const QString& text, const QString& caption, int flags);

    // Click handler of the four buttons and the close glyph: the glyph answers with button 1's code.
    void ZYButton1Click(QObject* sender);

    // The code MessageBox returns: the pressed button's code, kIdCancel when closed any other way.
    int Result() const { return FResult; }

    // Button 1 (rightmost) to 4 (leftmost).
    TZYButton* Button(int number) const;
    // The result code a button carries.
    static int ButtonTag(const QPushButton* button);

    QLabel* const Label_Title;
    QLabel* const Image1;
    QLabel* const Label_Text;
    TZYButton* const ZYButton1;
    TZYButton* const ZYButton2;
    TZYButton* const ZYButton3;
    TZYButton* const ZYButton4;
    QToolButton* const SpeedButton1;
    // The frame beneath the other controls; pressing in its top band moves the dialog.
    TZYForm* const ZYForm1;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetButtonSet(int set);
    void SetFocusOrder(int defaultButton);
    void SetIcon(int icon);
    void SetDialogSize(int width, int height);
    void FollowAnchors();
    void Label_TitleMouseDown(QPoint pressedAt, Qt::MouseButton button);

    int FResult = kIdCancel;
};
