// The effect text's painting: alignment, the four looks, the shadow, the extrusion and the lines.
#include "ui/text/TextArithmetic.h"
#include "ui/text/fcText.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

void TfcText::Draw(QPainter& canvas)
{
    canvas_ = &canvas;
    canvas.save();
    NarrowArea();
    switch (style_) {
    case TfcLabelStyle::fclsDefault:
        DrawDefaultStyle();
        break;
    case TfcLabelStyle::fclsLowered:
        DrawEmbossedStyle(false);
        break;
    case TfcLabelStyle::fclsRaised:
        DrawEmbossedStyle(true);
        break;
    case TfcLabelStyle::fclsOutline:
        DrawOutlineStyle();
        break;
    }
    canvas.restore();
    canvas_ = nullptr;
}

void TfcText::NarrowArea()
{
    drawFlags_ &= ~(Qt::AlignHCenter | Qt::AlignRight);
    if (Rotated())
        return; // CalcDrawRect centres rotated text on the whole area
    if (alignment_ == TAlignment::taCenter)
        drawFlags_ |= Qt::AlignHCenter;
    else if (alignment_ == TAlignment::taRightJustify)
        drawFlags_ |= Qt::AlignRight;

    const int width = CalcRect(false).width();
    if (alignment_ == TAlignment::taLeftJustify)
        areaRect_.setWidth(width);
    else if (alignment_ == TAlignment::taRightJustify)
        areaRect_.setLeft(areaRect_.left() + areaRect_.width() - width);

    const int height = CalcRect(false).height();
    if (vAlignment_ == TfcVAlignment::vaTop)
        areaRect_.setHeight(height);
    else if (vAlignment_ == TfcVAlignment::vaBottom)
        areaRect_.setTop(areaRect_.top() + areaRect_.height() - height);
}

void TfcText::PrepareFont()
{
    canvas_->setFont(GetLogFont());
    drawRect_ = CalcDrawRect(false);
}

void TfcText::DrawDefaultStyle()
{
    if (!IsOwnerEnabled()) { // a disabled plain text looks engraved
        DrawEmbossedStyle(false);
        return;
    }
    PrepareFont();
    DrawExtrusion();
    DrawShadow(drawRect_);
    DrawTextLines(drawRect_, OwnerFontColor());
}

void TfcText::DrawOutlineStyle()
{
    PrepareFont();
    DrawExtrusion();
    DrawShadow(drawRect_);
    DrawOutline();
}

void TfcText::DrawEmbossedStyle(bool raised)
{
    PrepareFont();
    DrawExtrusion();
    DrawShadow(drawRect_);
    DrawEmbossed(raised);
}

void TfcText::DrawExtrusion()
{
    if (!extrudeEffects_.Enabled())
        return;
    const QPoint step = OrientationStep(extrudeEffects_.Orientation());
    const QPoint extent = ExtrudeOffset(true);
    const QColor nearColor = ColorToRgb(extrudeEffects_.NearColor());
    const QColor farColor = ColorToRgb(extrudeEffects_.FarColor());
    // Start at the far end; the layers then step back towards the text, which is drawn where the
    // last layer was.
    drawRect_.translate(extent.x() / 2 - step.x() * (extent.x() / 2),
                        extent.y() / 2 - step.y() * (extent.y() / 2));
    const int depth = extrudeEffects_.Depth();
    for (int layer = 1; layer <= depth; ++layer) {
        drawRect_.translate(step);
        DrawTextLines(drawRect_,
                      ExtrusionLayerColor(nearColor, farColor, layer, depth, extrudeEffects_.Striated()));
    }
}

void TfcText::DrawShadow(const QRect& r)
{
    if (!shadow_.Enabled())
        return;
    const TColor color = IsOwnerEnabled() ? shadow_.Color() : disabledColors_.ShadeColor();
    // The raw offsets: only the layout ignores an offset against the extrusion.
    DrawTextLines(r.translated(shadow_.XOffset(), shadow_.YOffset()), ColorToRgb(color));
}

void TfcText::DrawOutline()
{
    const bool enabled = IsOwnerEnabled();
    const QColor ring = ColorToRgb(enabled ? outlineColor_ : disabledColors_.ShadeColor());
    for (const QPoint& step : OrientationSteps())
        DrawTextLines(drawRect_.translated(step), ring);
    DrawTextLines(drawRect_, enabled ? OwnerFontColor() : ColorToRgb(disabledColors_.HighlightColor()));
}

void TfcText::DrawEmbossed(bool raised)
{
    const bool enabled = IsOwnerEnabled();
    const TColor highlight = enabled ? highlightColor_ : disabledColors_.HighlightColor();
    const TColor shade = enabled ? shadeColor_ : disabledColors_.ShadeColor();
    if (enabled && (shade != clNone || raised) && !(highlight == clNone && raised))
        DrawTextLines(drawRect_.translated(-1, -1), ColorToRgb(raised ? highlight : shade));
    if ((highlight != clNone || raised) && !(shade == clNone && raised))
        DrawTextLines(drawRect_.translated(1, 1), ColorToRgb(raised ? shade : highlight));
    DrawTextLines(drawRect_, enabled ? OwnerFontColor() : ColorToRgb(disabledColors_.ShadeColor()));
}

void TfcText::DrawTextLines(QRect r, QColor color)
{
    if (!color.isValid())
        return; // clNone draws nothing
    canvas_->setPen(color);
    const QFontMetrics metrics = Metrics();
    const long double sin = std::sin(Theta());
    const long double cos = std::cos(Theta());
    for (const QString& line : SplitLines(text_)) {
        DrawLine(r, line, metrics);
        // The next line starts below this one, perpendicular to the baseline.
        const int advance = LineHeight(metrics, line, r.width()) + lineSpacing_;
        r.translate(FloorRound(sin * advance), FloorRound(cos * advance));
    }
}

void TfcText::DrawLine(const QRect& r, const QString& line, const QFontMetrics& metrics)
{
    QString shown = line;
    if (options_ & TfcTextOption::toShowEllipsis && !wordWrap_)
        shown = metrics.elidedText(line, Qt::ElideRight, r.width(), drawFlags_ & Qt::TextShowMnemonic);
    if (!Rotated()) {
        canvas_->drawText(r, drawFlags_, shown);
        return;
    }
    canvas_->save();
    canvas_->translate(r.topLeft());
    canvas_->rotate(-rotation_); // the painter turns clockwise
    canvas_->drawText(QRect(QPoint(), r.size()), drawFlags_, shown);
    canvas_->restore();
}
