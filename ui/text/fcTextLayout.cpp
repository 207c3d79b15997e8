// The effect text's measuring: the size of the text and its effects, and where it is laid out.
#include "ui/text/TextArithmetic.h"
#include "ui/text/fcText.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

QFont TfcText::GetLogFont() const
{
    QFont font = owner_.Font ? owner_.Font() : QFont();
    font.setWeight(font.bold() ? QFont::Bold : QFont::Normal);
    int strategy = font.styleStrategy() | QFont::PreferQuality;
    if (rotation_ != 0)
        strategy |= QFont::ForceOutline; // bitmap faces do not rotate
    font.setStyleStrategy(static_cast<QFont::StyleStrategy>(strategy));
    return font;
}

QFontMetrics TfcText::Metrics() const
{
    // While painting, measure for the device painted on: its resolution sizes point fonts.
    if (canvas_)
        return QFontMetrics(GetLogFont(), canvas_->device());
    return QFontMetrics(GetLogFont());
}

long double TfcText::Theta() const
{
    return rotation_ * std::numbers::pi_v<long double> / 180;
}

int TfcText::LineHeight(const QFontMetrics& metrics, const QString& line, int width) const
{
    if (!wordWrap_)
        return metrics.height();
    return metrics.boundingRect(QRect(0, 0, width, 0), drawFlags_, line).height();
}

QSize TfcText::GetTextSize() const
{
    const QFontMetrics metrics = Metrics();
    const bool accelerators = options_ & TfcTextOption::toShowAccel;
    int width = 0;
    int height = 0;
    bool first = true;
    for (const QString& line : SplitLines(text_)) {
        int lineWidth;
        if (wordWrap_) // the layout flags drop the accelerator marks themselves
            lineWidth = metrics.boundingRect(QRect(0, 0, areaRect_.width(), 0), drawFlags_, line).width();
        else
            lineWidth = metrics.horizontalAdvance(accelerators ? StripAccelerators(line) : line);
        width = std::max(width, lineWidth);
        height += LineHeight(metrics, line, areaRect_.width()) + (first ? 0 : lineSpacing_);
        first = false;
    }
    return {width, height};
}

QPoint TfcText::ExtrudeOffset(bool absolute) const
{
    if (!extrudeEffects_.Enabled())
        return {};
    const int depth = std::max(extrudeEffects_.Depth(), 0);
    if (!absolute)
        return {depth, depth};
    const QPoint step = OrientationStep(extrudeEffects_.Orientation());
    return {depth * std::abs(step.x()), depth * std::abs(step.y())};
}

QPoint TfcText::ShadowOffset() const
{
    if (!shadow_.Enabled())
        return {};
    QPoint offset(shadow_.XOffset(), shadow_.YOffset());
    if (extrudeEffects_.Enabled()) {
        const QPoint step = OrientationStep(extrudeEffects_.Orientation());
        if ((step.x() >= 0) != (offset.x() > 0))
            offset.setX(0);
        if ((step.y() >= 0) != (offset.y() > 0))
            offset.setY(0);
    }
    return offset;
}

QSize TfcText::GetEffectsSize(bool unclipped) const
{
    const QSize text = GetTextSize();
    const QPoint extrusion = ExtrudeOffset(true);
    const QPoint shadow = ShadowOffset();
    const int outline = style_ == TfcLabelStyle::fclsOutline ? 2 : 0;
    const long double w = text.width() + extrusion.x() + std::abs(shadow.x()) + outline;
    const long double h = text.height() + extrusion.y() + std::abs(shadow.y()) + outline;
    const long double cos = std::fabs(std::cos(Theta()));
    const long double sin = std::fabs(std::sin(Theta()));
    QSize size(FloorRound(cos * w + sin * h), FloorRound(sin * w + cos * h));
    if (!unclipped)
        size = size.boundedTo(areaRect_.size());
    return size;
}

QRect TfcText::CalcDrawRect(bool unclipped) const
{
    const QRect& area = areaRect_;
    QPoint origin(area.left() + area.width() / 2, area.top() + area.height() / 2);
    const QPoint shadow = ShadowOffset();
    const QPoint extrusion = ExtrudeOffset(false);
    origin -= QPoint(shadow.x() / 2, shadow.y() / 2);
    origin -= QPoint(extrusion.x() / 2, extrusion.y() / 2);

    const QSize text = GetTextSize();
    const long double cos = std::cos(Theta());
    const long double sin = std::sin(Theta());
    origin.rx() -= FloorRound(cos * text.width()) / 2;
    origin.ry() += FloorRound(sin * text.width()) / 2;
    origin.ry() -= FloorRound(cos * text.height()) / 2;
    origin.rx() -= FloorRound(sin * text.height()) / 2;

    QRect rect(origin, GetEffectsSize(unclipped));
    if (rect.top() < area.top())
        rect.moveTop(area.top());
    if (rect.left() < area.left())
        rect.moveLeft(area.left());
    return rect;
}

QRect TfcText::CalcRect(bool unclipped) const
{
    return CalcDrawRect(unclipped);
}
