#include "ui/text/fcExtrudeEffects.h"

#include "ui/text/SetIfChanged.h"
#include "ui/text/fcText.h"

void TfcExtrudeEffects::AssignTo(TfcExtrudeEffects& dest) const
{
    dest.SetDepth(depth_);
    dest.SetEnabled(enabled_);
    dest.SetFarColor(farColor_);
    dest.SetNearColor(nearColor_);
    dest.SetOrientation(orientation_);
    dest.SetStriated(striated_);
}

void TfcExtrudeEffects::SetDepth(int value)
{
    if (SetIfChanged(depth_, value))
        Resized();
}

void TfcExtrudeEffects::SetEnabled(bool value)
{
    if (SetIfChanged(enabled_, value))
        Resized();
}

void TfcExtrudeEffects::SetFarColor(TColor value)
{
    if (SetIfChanged(farColor_, value))
        text_.Changed();
}

void TfcExtrudeEffects::SetNearColor(TColor value)
{
    if (SetIfChanged(nearColor_, value))
        text_.Changed();
}

void TfcExtrudeEffects::SetOrientation(TfcOrientation value)
{
    if (SetIfChanged(orientation_, value))
        Resized();
}

void TfcExtrudeEffects::SetStriated(bool value)
{
    if (SetIfChanged(striated_, value))
        text_.Changed();
}

void TfcExtrudeEffects::Resized()
{
    text_.NotifyResize();
    text_.Changed();
}
