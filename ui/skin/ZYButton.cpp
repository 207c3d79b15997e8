#include "ui/skin/ZYButton.h"

#include "ui/skin/FocusRect.h"

#include <QPainter>
#include <qdrawutil.h>

TZYButton::TZYButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

void TZYButton::SetColor(const QColor& color)
{
    if (color == FColor)
        return;
    FColor = color;
    update();
}

void TZYButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colors = palette();
    // In a dialog the focused button is the default one: Enter presses it.
    const bool isDefault = this->isDefault();
    const bool focused = hasFocus();
    QRect face = rect();
    if (isDefault || focused) {
        painter.setPen(colors.color(QPalette::Shadow));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(face.adjusted(0, 0, -1, -1));
        face.adjust(1, 1, -1, -1);
    }
    if (isDown()) {
        painter.setPen(colors.color(QPalette::Dark));
        painter.setBrush(FColor);
        painter.drawRect(face.adjusted(0, 0, -1, -1));
        face.adjust(1, 1, -1, -1);
    } else {
        qDrawWinButton(&painter, face, colors, false, nullptr);
        face.adjust(2, 2, -2, -2);
    }
    painter.fillRect(face, FColor);
    DrawCaption(painter);
    if (isDefault && focused)
        DrawFocusRect(painter, rect().adjusted(4, 4, -4, -4), colors.color(QPalette::ButtonText));
}

void TZYButton::DrawCaption(QPainter& painter) const
{
    const QFontMetrics metrics(font());
    const QString caption = text();
    // Centred on the whole button, pressed or not: the caption never moves.
    const int x = width() / 2 - metrics.horizontalAdvance(caption) / 2;
    const int baseline = height() / 2 - metrics.height() / 2 + metrics.ascent();
    painter.setFont(font());
    QColor color = palette().color(QPalette::ButtonText);
    if (!isEnabled()) {
        // The emboss in the colours of an enabled face: the disabled ones would wash it out.
        painter.setPen(palette().color(QPalette::Active, QPalette::Light));
        painter.drawText(x + 1, baseline + 1, caption);
        color = palette().color(QPalette::Active, QPalette::Dark);
    }
    painter.setPen(color);
    painter.drawText(x, baseline, caption);
}
