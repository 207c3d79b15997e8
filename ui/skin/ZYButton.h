#pragma once
// A push button that draws itself flat in its own face colour: the system's raised frame, a sunken
// outline while pressed, a dark rectangle round the default or focused button, a dotted focus
// rectangle, and an embossed caption when disabled. The caption stays centred whatever the state,
// and stays the button's text, so screen readers still read it.

#include <QColor>
#include <QPushButton>

class TZYButton : public QPushButton {
    Q_OBJECT

public:
    explicit TZYButton(const QString& caption = QString(), QWidget* parent = nullptr);

    QColor Color() const { return FColor; }
    void SetColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawCaption(QPainter& painter) const;

    QColor FColor{223, 223, 223};
};
