#pragma once
// The colours an effect text is drawn in while its owner is disabled.

#include "ui/Color.h"

class TfcText;

class TfcDisabledColors {
public:
    // `text` owns this object; a change repaints its owner.
    explicit TfcDisabledColors(TfcText& text) : text_(text) {}
    TfcDisabledColors(const TfcDisabledColors&) = delete;
    TfcDisabledColors& operator=(const TfcDisabledColors&) = delete;

    TColor HighlightColor() const { return highlightColor_; }
    TColor ShadeColor() const { return shadeColor_; }

    void SetHighlightColor(TColor value);
    void SetShadeColor(TColor value);

private:
    TfcText& text_;
    TColor highlightColor_ = clBtnHighlight;
    TColor shadeColor_ = clBtnShadow;
};
