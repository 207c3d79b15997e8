#include "ui/skin/AcceleratorText.h"

#include <QFontMetrics>
#include <QPainter>

AcceleratorText SplitAccelerator(const QString& caption)
{
    const qsizetype amp = caption.indexOf(QLatin1Char('&'));
    if (amp < 0)
        return {caption, {}, {}};
    // A doubled "&&" is no escape here: the second '&' is the underlined key. The key is one
    // character, both halves of a surrogate pair.
    const qsizetype keyLength = amp + 2 < caption.size() && caption.at(amp + 1).isHighSurrogate() ? 2 : 1;
    return {caption.left(amp), caption.mid(amp + 1, keyLength), caption.mid(amp + 1 + keyLength)};
}

void DrawAcceleratorText(QPainter& painter, int x, int y, const QString& caption)
{
    const AcceleratorText text = SplitAccelerator(caption);
    const QFont font = painter.font();
    const QFontMetrics metrics(font);
    const int baseline = y + metrics.ascent();
    painter.drawText(x, baseline, text.before);
    if (text.key.isEmpty())
        return;
    x += metrics.horizontalAdvance(text.before);
    QFont underlined = font;
    underlined.setUnderline(true);
    painter.setFont(underlined);
    painter.drawText(x, baseline, text.key);
    x += metrics.horizontalAdvance(text.key);
    painter.setFont(font);
    painter.drawText(x, baseline, text.after);
}
