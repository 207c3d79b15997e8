#include "ui/text/fcDisabledColors.h"

#include "ui/text/SetIfChanged.h"
#include "ui/text/fcText.h"

void TfcDisabledColors::SetHighlightColor(TColor value)
{
    if (SetIfChanged(highlightColor_, value))
        text_.NotifyRepaint();
}

void TfcDisabledColors::SetShadeColor(TColor value)
{
    if (SetIfChanged(shadeColor_, value))
        text_.NotifyRepaint();
}
