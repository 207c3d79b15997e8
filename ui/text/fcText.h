#pragma once
// Effect text: paints a caption in one of four looks (plain, lowered, raised, outlined), with an
// optional drop shadow and extrusion, rotated by whole degrees, in several CR LF separated lines,
// aligned inside an area, and in separate colours while its owner is disabled. It owns no window
// or font: the owner gives the font, the painter and the area, and is told when to re-measure and
// repaint itself.

#include "ui/Color.h"
#include "ui/text/fcDisabledColors.h"
#include "ui/text/fcExtrudeEffects.h"
#include "ui/text/fcShadowEffects.h"
#include "ui/text/fcTextTypes.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <functional>

class QFontMetrics;
class QPainter;

class TfcText {
public:
    // What the text needs of its owner. Any callback may be left empty.
    struct Owner {
        std::function<void()> NotifyRepaint;
        std::function<void()> NotifyResize; // the owner re-measures itself (auto-size)
        std::function<bool()> IsOwnerEnabled;
        std::function<QFont()> Font;
        std::function<QColor()> FontColor; // the normal text colour
    };

    explicit TfcText(Owner owner);
    virtual ~TfcText() = default;
    TfcText(const TfcText&) = delete;
    TfcText& operator=(const TfcText&) = delete;

    // Copies the effects, the colours, the line spacing, the options, the rotation, the style and
    // the text into `dest`; its alignments, word wrap and disabled colours stay its own.
    void AssignTo(TfcText& dest) const;
    void Assign(const TfcText& source) { source.AssignTo(*this); }

    TAlignment Alignment() const { return alignment_; }
    TfcVAlignment VAlignment() const { return vAlignment_; }
    TfcLabelStyle Style() const { return style_; }
    TfcTextOptions Options() const { return options_; }
    TColor OutlineColor() const { return outlineColor_; }
    TColor HighlightColor() const { return highlightColor_; }
    TColor ShadeColor() const { return shadeColor_; }
    int LineSpacing() const { return lineSpacing_; }
    int Rotation() const { return rotation_; }
    bool WordWrap() const { return wordWrap_; }
    TfcShadowEffects& Shadow() { return shadow_; }
    const TfcShadowEffects& Shadow() const { return shadow_; }
    TfcExtrudeEffects& ExtrudeEffects() { return extrudeEffects_; }
    const TfcExtrudeEffects& ExtrudeEffects() const { return extrudeEffects_; }
    TfcDisabledColors& DisabledColors() { return disabledColors_; }
    const TfcDisabledColors& DisabledColors() const { return disabledColors_; }

    void SetAlignment(TAlignment value);
    void SetVAlignment(TfcVAlignment value);
    void SetStyle(TfcLabelStyle value);
    void SetOptions(TfcTextOptions value);
    void SetOutlineColor(TColor value);
    void SetHighlightColor(TColor value);
    void SetShadeColor(TColor value);
    void SetLineSpacing(int value);
    // Counter-clockwise degrees, stored in 0..360 (see NormalisedRotation); always re-measures.
    void SetRotation(int value);
    void SetWordWrap(bool value);

    // The caption; setting it notifies nobody, the owner re-measures and repaints itself.
    const QString& Text() const { return text_; }
    void SetText(const QString& value) { text_ = value; }

    // The area to paint into, given by the owner before each Draw; Draw narrows it by alignment.
    QRect AreaRect() const { return areaRect_; }
    void SetAreaRect(const QRect& value) { areaRect_ = value; }
    // Where the text was last laid out (moved along by an extrusion).
    QRect DrawRect() const { return drawRect_; }
    // The Qt text flags every line is drawn and measured with.
    int DrawFlags() const { return drawFlags_; }

    void Draw(QPainter& canvas);
    // The rectangle the text with all its effects occupies; clipped to the area unless `unclipped`.
    QRect CalcRect(bool unclipped) const;

    // The font the text is drawn with: the owner's, rotated text from outline faces only.
    QFont GetLogFont() const;
    // The text alone: the widest line, the lines' heights with LineSpacing between them.
    QSize GetTextSize() const;
    // The text with its extrusion, shadow and outline, rotated, clipped unless `unclipped`.
    QSize GetEffectsSize(bool unclipped) const;
    // The rotated text centred on the area; its top-left is the text's origin.
    QRect CalcDrawRect(bool unclipped) const;
    // The shadow's share of the layout; an offset against the extrusion's direction counts as 0.
    QPoint ShadowOffset() const;
    // The extrusion's share of the layout: (Depth, Depth), or per axis of its step when `absolute`.
    QPoint ExtrudeOffset(bool absolute) const;

    // Repaints the owner.
    void Changed() const;
    // Lets the owner re-measure itself.
    void NotifyResize() const;
    void NotifyRepaint() const;

private:
    bool IsOwnerEnabled() const;
    QColor OwnerFontColor() const;
    long double Theta() const;
    bool Rotated() const { return rotation_ % 360 != 0; }
    QFontMetrics Metrics() const;
    int LineHeight(const QFontMetrics& metrics, const QString& line, int width) const;
    void Resized();
    void NarrowArea();

    void PrepareFont();
    void DrawDefaultStyle();
    void DrawOutlineStyle();
    void DrawEmbossedStyle(bool raised);
    void DrawExtrusion();
    void DrawShadow(const QRect& r);
    void DrawOutline();
    void DrawEmbossed(bool raised);
    void DrawTextLines(QRect r, QColor color);
    void DrawLine(const QRect& r, const QString& line, const QFontMetrics& metrics);

    Owner owner_;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TfcVAlignment vAlignment_ = TfcVAlignment::vaTop;
    TfcLabelStyle style_ = TfcLabelStyle::fclsDefault;
    TfcTextOptions options_ = TfcTextOption::toShowAccel;
    TColor outlineColor_ = clBlack;
    TColor highlightColor_ = clBtnHighlight;
    TColor shadeColor_ = clBtnShadow;
    int lineSpacing_ = 5;
    int rotation_ = 0;
    bool wordWrap_ = false;
    TfcShadowEffects shadow_{*this};
    TfcExtrudeEffects extrudeEffects_{*this};
    TfcDisabledColors disabledColors_{*this};

    QString text_;
    QRect areaRect_;
    QRect drawRect_;
    int drawFlags_;
    QPainter* canvas_ = nullptr; // only while drawing
};

// The text of a label's TextOptions.
class TfcCaptionText : public TfcText {
public:
    using TfcText::TfcText;
};
