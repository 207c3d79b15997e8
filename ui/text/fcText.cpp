// The effect text's properties: what each change re-measures and repaints.
#include "ui/text/fcText.h"

#include "ui/text/SetIfChanged.h"
#include "ui/text/TextArithmetic.h"

#include <utility>

TfcText::TfcText(Owner owner) : owner_(std::move(owner)), drawFlags_(Qt::TextDontClip | Qt::TextShowMnemonic)
{
}

void TfcText::AssignTo(TfcText& dest) const
{
    extrudeEffects_.AssignTo(dest.extrudeEffects_);
    shadow_.AssignTo(dest.shadow_);
    dest.SetHighlightColor(highlightColor_);
    dest.SetLineSpacing(lineSpacing_);
    dest.SetOptions(options_);
    dest.SetOutlineColor(outlineColor_);
    dest.SetRotation(rotation_);
    dest.SetShadeColor(shadeColor_);
    dest.SetStyle(style_);
    dest.SetText(text_);
}

void TfcText::SetAlignment(TAlignment value)
{
    if (SetIfChanged(alignment_, value))
        Changed();
}

void TfcText::SetVAlignment(TfcVAlignment value)
{
    if (SetIfChanged(vAlignment_, value))
        Changed();
}

void TfcText::SetStyle(TfcLabelStyle value)
{
    if (SetIfChanged(style_, value))
        Resized();
}

void TfcText::SetOptions(TfcTextOptions value)
{
    if (!SetIfChanged(options_, value))
        return;
    drawFlags_ &= ~Qt::TextShowMnemonic;
    if (options_ & TfcTextOption::toShowAccel)
        drawFlags_ |= Qt::TextShowMnemonic;
    Resized();
}

void TfcText::SetOutlineColor(TColor value)
{
    if (SetIfChanged(outlineColor_, value))
        Changed();
}

void TfcText::SetHighlightColor(TColor value)
{
    if (SetIfChanged(highlightColor_, value))
        Changed();
}

void TfcText::SetShadeColor(TColor value)
{
    if (SetIfChanged(shadeColor_, value))
        Changed();
}

void TfcText::SetLineSpacing(int value)
{
    if (SetIfChanged(lineSpacing_, value))
        Resized();
}

void TfcText::SetRotation(int value)
{
    rotation_ = NormalisedRotation(value);
    Resized();
}

void TfcText::SetWordWrap(bool value)
{
    if (!SetIfChanged(wordWrap_, value))
        return;
    drawFlags_ &= ~Qt::TextWordWrap;
    if (wordWrap_)
        drawFlags_ |= Qt::TextWordWrap;
    Changed();
}

void TfcText::Changed() const
{
    NotifyRepaint();
}

void TfcText::NotifyResize() const
{
    if (owner_.NotifyResize)
        owner_.NotifyResize();
}

void TfcText::NotifyRepaint() const
{
    if (owner_.NotifyRepaint)
        owner_.NotifyRepaint();
}

void TfcText::Resized()
{
    NotifyResize();
    Changed();
}

bool TfcText::IsOwnerEnabled() const
{
    return !owner_.IsOwnerEnabled || owner_.IsOwnerEnabled();
}

QColor TfcText::OwnerFontColor() const
{
    return owner_.FontColor ? owner_.FontColor() : QColor(Qt::black);
}
