#include "ui/text/fcShadowEffects.h"

#include "ui/text/SetIfChanged.h"
#include "ui/text/fcText.h"

void TfcShadowEffects::AssignTo(TfcShadowEffects& dest) const
{
    dest.SetColor(color_);
    dest.SetEnabled(enabled_);
    dest.SetXOffset(xOffset_);
    dest.SetYOffset(yOffset_);
}

void TfcShadowEffects::SetColor(TColor value)
{
    if (SetIfChanged(color_, value))
        text_.Changed();
}

void TfcShadowEffects::SetEnabled(bool value)
{
    if (SetIfChanged(enabled_, value))
        Resized();
}

void TfcShadowEffects::SetXOffset(int value)
{
    if (SetIfChanged(xOffset_, value))
        Resized();
}

void TfcShadowEffects::SetYOffset(int value)
{
    if (SetIfChanged(yOffset_, value))
        Resized();
}

void TfcShadowEffects::Resized()
{
    text_.NotifyResize();
    text_.Changed();
}
