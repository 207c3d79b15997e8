#pragma once
// The drop shadow of an effect text: one copy of the text in its own colour, offset from it.

#include "ui/Color.h"

class TfcText;

class TfcShadowEffects {
public:
    // `text` owns this object and is told of every change.
    explicit TfcShadowEffects(TfcText& text) : text_(text) {}
    TfcShadowEffects(const TfcShadowEffects&) = delete;
    TfcShadowEffects& operator=(const TfcShadowEffects&) = delete;

    // Copies every field into `dest`, through its setters.
    void AssignTo(TfcShadowEffects& dest) const;

    TColor Color() const { return color_; }
    bool Enabled() const { return enabled_; }
    int XOffset() const { return xOffset_; }
    int YOffset() const { return yOffset_; }

    void SetColor(TColor value);
    void SetEnabled(bool value);
    void SetXOffset(int value);
    void SetYOffset(int value);

private:
    void Resized();

    TfcText& text_;
    TColor color_ = clBtnShadow;
    bool enabled_ = false;
    int xOffset_ = 10;
    int yOffset_ = 10;
};
