#include "ui/GroupBox.h"

#include "ui/Color.h"

#include <QPainter>

namespace {

constexpr int kCaptionLeft = 8;
constexpr int kCaptionGap = 2;

} // namespace

TGroupBox::TGroupBox(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

int TGroupBox::FrameTop() const
{
    return fontMetrics().height() / 2 - 1;
}

void TGroupBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The line stops short of the caption on either side, on whatever background the box has.
    const QRect caption(QPoint(kCaptionLeft, 0), fontMetrics().size(Qt::TextSingleLine, title()));
    if (!title().isEmpty())
        painter.setClipRegion(QRegion(rect()) - caption.adjusted(-kCaptionGap, 0, kCaptionGap, 0));
    // The light frame one pixel below and to the right of the shadow frame: an etched line. A
    // drawn rectangle covers one pixel more than its size in each direction.
    const QRect shadow(0, FrameTop(), width() - 2, height() - FrameTop() - 2);
    painter.setPen(ColorToRgb(clBtnHighlight));
    painter.drawRect(shadow.translated(1, 1));
    painter.setPen(ColorToRgb(clBtnShadow));
    painter.drawRect(shadow);
    painter.setClipping(false);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(caption, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, title());
}
