#pragma once
// The program's off-screen picture: one 24-bit top-down pixel buffer (blue, green, red; each row
// padded to a multiple of 4 bytes) with a table of row addresses for work directly on memory, while
// the same pixels stay drawable with a QPainter on its canvas.

#include <QColor>
#include <QImage>

#include <vector>

class QPainter;
class QPaintDevice;
class QRect;

class TZYBitmap {
public:
    TZYBitmap() = default;
    // The row table points into the buffer: copies are made only through Assign, which copies pixels.
    TZYBitmap(const TZYBitmap&) = delete;
    TZYBitmap& operator=(const TZYBitmap&) = delete;

    // A fresh width x height buffer, black (or FillColor when one is set). Any dimension of 0 or
    // less, or a buffer that cannot be allocated, leaves the object empty.
    void SetSize(int width, int height);
    void Clear() { ReleaseImage(); }
    void ReleaseImage();

    bool Empty() const { return image_.isNull(); }
    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    int Padding() const { return Width() % 4; }
    int Stride() const { return 3 * Width() + Padding(); }
    qsizetype ImageSize() const { return qsizetype(Stride()) * Height(); }
    // Row y, blue-green-red triples from the left.
    uchar* ScanLine(int y) const { return rows_[y]; }

    // Drawing on the canvas changes the pixels; null while the object is empty.
    QPaintDevice* Canvas();
    // The pixels as an image, for reading and drawing; valid until the next SetSize or Clear.
    const QImage& Image() const { return image_; }

    // Draws the whole image into rect: one copy at the same size, else stretched (bilinear
    // when SmoothStretch is set, otherwise the painter's plain nearest-pixel stretch).
    void Draw(QPainter& canvas, const QRect& rect) const;
    void DrawSmooth(QPainter& canvas, const QRect& rect) const;

    // In place: grey = 0.30 red + 0.59 green + 0.11 blue, each term truncated, in all three channels.
    void GrayScale();

    // Copies the pixels in from another bitmap or any image, or out into another bitmap or an image.
    void Assign(const TZYBitmap& source) { source.AssignTo(*this); }
    void Assign(const QImage& source);
    void AssignTo(TZYBitmap& dest) const;
    void AssignTo(QImage& dest) const;

    bool SmoothStretch() const { return smoothStretch_; }
    void SetSmoothStretch(bool smooth) { smoothStretch_ = smooth; }
    // An invalid colour (the default) means a fresh image is not filled.
    QColor FillColor() const { return fillColor_; }
    void SetFillColor(const QColor& colour) { fillColor_ = colour; }

private:
    // A zeroed (black) buffer of that size, or empty; no fill.
    void Allocate(int width, int height);
    void AttachBuffer();
    // Before writing: a copy of Image() still held elsewhere must not see the change.
    void Detach();

    bool smoothStretch_ = false;
    QColor fillColor_;
    QImage image_; // Format_BGR888 over a buffer of our own, never shared, so the row table stays valid
    std::vector<uchar*> rows_;
};
