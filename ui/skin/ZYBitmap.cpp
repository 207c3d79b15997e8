#include "ui/skin/ZYBitmap.h"

#include <QPainter>
#include <QRect>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kOne = 1 << 15; // 1.0 in the 15-bit fixed point of the bilinear resampler

struct GreyTables {
    std::array<uchar, 256> red, green, blue;
};

// The weights are taken in 64-bit-mantissa extended precision (long double here), where 0.59 x 100
// and 0.59 x 200 fall just short of 59 and 118: green 100 gives 58 and green 200 gives 117, and pure
// white gives 254. Grey pictures have always had exactly these values.
const GreyTables& Grey()
{
    static const GreyTables tables = [] {
        GreyTables t{};
        for (int i = 0; i < 256; ++i) {
            t.red[i] = static_cast<uchar>(0.30L * i);
            t.green[i] = static_cast<uchar>(0.59L * i);
            t.blue[i] = static_cast<uchar>(0.11L * i);
        }
        return t;
    }();
    return tables;
}

// Where each target column (or row) reads in the source: the first of the two neighbours and
// the weight of the second.
struct Sample {
    int first;
    int second;
    int weight;
};

std::vector<Sample> Samples(int sourceSize, int targetSize)
{
    const qint64 step = (qint64(sourceSize - 1) * kOne) / targetSize;
    std::vector<Sample> samples(targetSize);
    for (int i = 0; i < targetSize; ++i) {
        const qint64 at = i * step;
        const int first = int(at >> 15);
        samples[i] = {first, std::min(first + 1, sourceSize - 1), int(at & (kOne - 1))};
    }
    return samples;
}

} // namespace

void TZYBitmap::Allocate(int width, int height)
{
    ReleaseImage();
    if (width <= 0 || height <= 0)
        return;
    const qsizetype stride = 3 * qsizetype(width) + width % 4;
    // Zeroed pages come from the system already black, without a pass over a large buffer.
    void* pixels = std::calloc(std::size_t(stride), std::size_t(height));
    if (!pixels)
        return;
    image_ = QImage(
        static_cast<uchar*>(pixels), width, height, stride, QImage::Format_BGR888,
        [](void* buffer) { std::free(buffer); }, pixels);
    if (image_.isNull()) {
        std::free(pixels);
        return;
    }
    AttachBuffer();
}

void TZYBitmap::AttachBuffer()
{
    rows_.resize(Height());
    uchar* row = image_.bits();
    for (uchar*& entry : rows_) {
        entry = row;
        row += Stride();
    }
}

void TZYBitmap::SetSize(int width, int height)
{
    Allocate(width, height);
    if (!Empty() && fillColor_.isValid())
        image_.fill(fillColor_);
}

void TZYBitmap::ReleaseImage()
{
    rows_.clear();
    image_ = QImage();
}

void TZYBitmap::Detach()
{
    if (!Empty() && !image_.isDetached()) {
        image_ = image_.copy();
        AttachBuffer();
    }
}

QPaintDevice* TZYBitmap::Canvas()
{
    if (Empty())
        return nullptr;
    Detach();
    return &image_;
}

void TZYBitmap::Draw(QPainter& canvas, const QRect& rect) const
{
    if (Empty())
        return;
    if (rect.size() == image_.size()) {
        canvas.drawImage(rect.topLeft(), image_);
    } else if (smoothStretch_) {
        DrawSmooth(canvas, rect);
    } else {
        canvas.save();
        canvas.setRenderHint(QPainter::SmoothPixmapTransform, false);
        canvas.drawImage(rect, image_);
        canvas.restore();
    }
}

void TZYBitmap::DrawSmooth(QPainter& canvas, const QRect& rect) const
{
    TZYBitmap target;
    if (!Empty())
        target.Allocate(rect.width(), rect.height());
    if (target.Empty())
        return;
    const std::vector<Sample> columns = Samples(Width(), rect.width());
    const std::vector<Sample> rows = Samples(Height(), rect.height());
    for (int y = 0; y < rect.height(); ++y) {
        const uchar* upper = rows_[rows[y].first];
        const uchar* lower = rows_[rows[y].second];
        const int down = rows[y].weight;
        uchar* out = target.rows_[y];
        for (const Sample& column : columns) {
            const int left = 3 * column.first;
            const int right = 3 * column.second;
            const int across = column.weight;
            for (int channel = 0; channel < 3; ++channel) {
                const int top =
                    (upper[left + channel] * (kOne - across) + upper[right + channel] * across) >> 15;
                const int bottom =
                    (lower[left + channel] * (kOne - across) + lower[right + channel] * across) >> 15;
                *out++ = uchar((top * (kOne - down) + bottom * down) >> 15);
            }
        }
    }
    canvas.drawImage(rect.topLeft(), target.image_);
}

void TZYBitmap::GrayScale()
{
    Detach();
    const GreyTables& grey = Grey();
    for (uchar* row : rows_) {
        uchar* const end = row + 3 * Width();
        for (uchar* pixel = row; pixel != end; pixel += 3) {
            const uchar value = grey.blue[pixel[0]] + grey.green[pixel[1]] + grey.red[pixel[2]];
            pixel[0] = pixel[1] = pixel[2] = value;
        }
    }
}

void TZYBitmap::Assign(const QImage& source)
{
    if (source.isNull()) {
        ReleaseImage();
        return;
    }
    const QImage converted = source.convertToFormat(QImage::Format_BGR888);
    Allocate(converted.width(), converted.height());
    for (int y = 0; y < Height(); ++y)
        std::memcpy(rows_[y], converted.constScanLine(y), std::size_t(3) * Width());
}

void TZYBitmap::AssignTo(TZYBitmap& dest) const
{
    if (&dest == this)
        return;
    dest.Allocate(Width(), Height());
    if (!dest.Empty())
        std::memcpy(dest.rows_[0], rows_[0], std::size_t(ImageSize()));
    dest.smoothStretch_ = smoothStretch_;
}

void TZYBitmap::AssignTo(QImage& dest) const
{
    dest = image_.copy();
}
