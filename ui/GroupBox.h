#pragma once
// A group box drawn as the forms have always had it: an etched frame whose top line runs through
// the middle of the caption, which is set into the line at the left. Controls placed below
// the caption's lower half stay clear of the frame, whatever the style would do with the title.

#include <QGroupBox>

class TGroupBox : public QGroupBox {
    Q_OBJECT
public:
    explicit TGroupBox(const QString& caption, QWidget* parent = nullptr);

    // The row of the frame's top line (its shadow; the light line lies one below).
    int FrameTop() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
