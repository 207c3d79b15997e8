#pragma once
// A small borderless modal dialog in the message box's skin that offers a choice among entries, a
// name and a detail each (in two columns): the caption band with its title, a list, a button that
// chooses and one that cancels. Enter, a double-click or the choosing button take the current entry;
// Escape, "取消" and the close glyph choose nothing. Dragging the title moves it.

#include <QDialog>
#include <QPoint>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

class QLabel;
class QToolButton;
class QTreeWidget;
class TZYButton;
class TZYForm;

class TZYListDlg : public QDialog {
    Q_OBJECT

public:
    using Entry = std::pair<QString, QString>;

    TZYListDlg(QWidget* parent, const QString& title, const std::vector<Entry>& entries,
               const QString& chooseCaption);

    // Shows the dialog modally; the chosen entry's index, nothing when it was closed without one.
    std::optional<int> Choose();

    QLabel* const Label_Title;
    QTreeWidget* const List;
    TZYButton* const ZYButton1; // chooses
    TZYButton* const ZYButton2; // "取消"
    QToolButton* const SpeedButton1;
    TZYForm* const ZYForm1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LayOut(int rows);
    void ChooseClick();

    std::optional<int> chosen_;
};
