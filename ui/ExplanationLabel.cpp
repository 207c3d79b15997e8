#include "ui/ExplanationLabel.h"

#include "ui/ExplanationLines.h"

#include <QPainter>
#include <QStyle>

void TExplanationLabel::paintEvent(QPaintEvent*)
{
    QStringList lines = text().split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    const int lineHeight = ExplanationLineHeight(font());
    const QRect area = contentsRect();
    const QRect block = QStyle::alignedRect(layoutDirection(), alignment() & Qt::AlignVertical_Mask,
                                            QSize(area.width(), lineHeight * int(lines.size())), area);
    QPainter painter(this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    QRect line(block.left(), block.top(), block.width(), lineHeight);
    for (const QString& text : lines) {
        painter.drawText(
            line, int(alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter | Qt::TextSingleLine, text);
        line.translate(0, lineHeight);
    }
}
