#pragma once
// The extrusion of an effect text: `Depth` copies stepping away from the text towards
// `Orientation`, coloured from `FarColor` (the farthest) to `NearColor` (the nearest).

#include "ui/Color.h"
#include "ui/text/fcTextTypes.h"

class TfcText;

class TfcExtrudeEffects {
public:
    // `text` owns this object and is told of every change.
    explicit TfcExtrudeEffects(TfcText& text) : text_(text) {}
    TfcExtrudeEffects(const TfcExtrudeEffects&) = delete;
    TfcExtrudeEffects& operator=(const TfcExtrudeEffects&) = delete;

    // Copies every field into `dest`, through its setters.
    void AssignTo(TfcExtrudeEffects& dest) const;

    int Depth() const { return depth_; }
    bool Enabled() const { return enabled_; }
    TColor FarColor() const { return farColor_; }
    TColor NearColor() const { return nearColor_; }
    TfcOrientation Orientation() const { return orientation_; }
    bool Striated() const { return striated_; }

    void SetDepth(int value);
    void SetEnabled(bool value);
    void SetFarColor(TColor value);
    void SetNearColor(TColor value);
    void SetOrientation(TfcOrientation value);
    void SetStriated(bool value);

private:
    void Resized();

    TfcText& text_;
    int depth_ = 10;
    bool enabled_ = false;
    TColor farColor_ = clBlack;
    TColor nearColor_ = clBlack;
    TfcOrientation orientation_ = TfcOrientation::fcBottomRight;
    bool striated_ = false;
};
