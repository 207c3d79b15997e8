#pragma once
// A small list that drops below an edit box without taking its focus: a heading above entries.
// Down and Up in the box move through the entries, and each entry moved to is picked at once; a
// click picks an entry and closes the list; Escape in the box closes it, and so does the box's
// window moving, hiding or losing the focus. It knows nothing of what its entries are.

#include <QFrame>
#include <QString>
#include <QStringList>

class QLabel;
class QLineEdit;
class QListWidget;

class TDropDownList : public QFrame {
    Q_OBJECT

public:
    // The most entries shown at once; more scroll.
    static constexpr int kVisibleRows = 8;

    explicit TDropDownList(QLineEdit& box);

    // Shows the entries below the box, none of them chosen yet.
    void ShowEntries(const QString& heading, const QStringList& entries);

    QLabel* const Label_Heading;
    QListWidget* const List;

signals:
    void Picked(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Step(int rows);
    void PlaceBelowBox();

    QLineEdit& box_;
};
