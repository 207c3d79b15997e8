#pragma once
// The one component through which the main window asks every question and shows every notice:
// MessageBox shows a TZYInfoDlgForm modally and returns the code of the button pressed. The flags
// and the codes are those of ui/skin/MessageBoxFlags.h; custom captions answer 0-3.

#include <QObject>
#include <QString>

#include <array>
#include <functional>

class QWidget;
class TZYInfoDlgForm;

class TZYInfoDlg : public QObject {
    Q_OBJECT

public:
    // Answers a laid-out dialog instead of a person; its return value is MessageBox's result.
    using Answerer = std::function<int(TZYInfoDlgForm&)>;

    // The owner window is the dialogs' parent.
    explicit TZYInfoDlg(QWidget* owner = nullptr);

    int MessageBox(const QString& text, const QString& caption, int flags);

    // Captions for the next MessageBox call, whoever makes it, leftmost first; an empty caption
    // hides its button. That call uses the custom button set and keeps its icon and focus bits.
    void SetButtonCaptions(const QString& c1, const QString& c2, const QString& c3, const QString& c4);

    // While set, every MessageBox call hands its dialog to the answerer instead of a modal loop
    // (tests and scripted runs). An empty function restores the modal loop.
    static void SetAnswerer(Answerer answerer);

private:
    bool FPendingCaptions = false;
    std::array<QString, 4> captions_; // C1..C4, left to right

    static Answerer answerer_;
};
