#include "ui/skin/WindowsBitmap.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr qsizetype kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40; // the oldest header this reads; later ones extend it
constexpr std::uint32_t kPlainRgb = 0;
constexpr std::uint32_t kBitFields = 3;
constexpr int kLargestSide = 32767;

std::uint32_t Read32(QByteArrayView data, qsizetype at)
{
    std::uint32_t value = 0;
    for (int k = 3; k >= 0; --k)
        value = value << 8 | static_cast<std::uint8_t>(data[at + k]);
    return value;
}

std::uint16_t Read16(QByteArrayView data, qsizetype at)
{
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(data[at]) |
                                      static_cast<std::uint8_t>(data[at + 1]) << 8);
}

// A 32-bit bitmap's masks, when they are the layout read here: blue, green, red and alpha bytes in
// that order, as a 32-bit image holds them in memory. No alpha mask: the fourth byte is unused.
enum class Layout { Unread, Opaque, WithAlpha };

Layout LayoutOf32Bits(QByteArrayView data, std::uint32_t headerSize, std::uint32_t compression)
{
    if (compression == kPlainRgb)
        return Layout::Opaque;
    // The masks follow a 40-byte header and are part of the later ones, alpha from 56 bytes on.
    constexpr qsizetype masks = kFileHeaderSize + kInfoHeaderSize;
    if (compression != kBitFields || data.size() < masks + 16)
        return Layout::Unread;
    if (Read32(data, masks) != 0x00ff0000 || Read32(data, masks + 4) != 0x0000ff00 ||
        Read32(data, masks + 8) != 0x000000ff)
        return Layout::Unread;
    const std::uint32_t alpha = headerSize >= 56 ? Read32(data, masks + 12) : 0;
    return alpha == 0xff000000 ? Layout::WithAlpha : alpha == 0 ? Layout::Opaque : Layout::Unread;
}

} // namespace

QImage ReadWindowsBitmap(QByteArrayView data)
{
    if (data.size() < kFileHeaderSize + qsizetype{kInfoHeaderSize} || data[0] != 'B' || data[1] != 'M')
        return {};
    const std::uint32_t pixelsAt = Read32(data, 10);
    const std::uint32_t headerSize = Read32(data, 14);
    const auto width = static_cast<std::int32_t>(Read32(data, 18));
    const auto storedHeight = static_cast<std::int32_t>(Read32(data, 22));
    const std::uint16_t bits = Read16(data, 28);
    const std::uint32_t compression = Read32(data, 30);
    // A negative height: the rows are stored top down.
    const int height = storedHeight == INT32_MIN ? 0 : std::abs(storedHeight);
    if (headerSize < kInfoHeaderSize || Read16(data, 26) != 1 || width <= 0 || width > kLargestSide ||
        height == 0 || height > kLargestSide)
        return {};

    Layout layout = Layout::Unread;
    if (bits == 24 && compression == kPlainRgb)
        layout = Layout::Opaque;
    else if (bits == 32)
        layout = LayoutOf32Bits(data, headerSize, compression);
    const qint64 stride = (qint64{width} * bits + 31) / 32 * 4;
    if (layout == Layout::Unread || pixelsAt < kFileHeaderSize + headerSize ||
        pixelsAt + stride * height > data.size())
        return {};

    const QImage::Format format = bits == 24                    ? QImage::Format_BGR888
                                  : layout == Layout::WithAlpha ? QImage::Format_ARGB32
                                                                : QImage::Format_RGB32;
    QImage image(width, height, format);
    if (image.isNull())
        return {}; // no memory for it
    for (int y = 0; y < height; ++y) {
        const int stored = storedHeight > 0 ? height - 1 - y : y;
        const auto* from = reinterpret_cast<const std::uint8_t*>(data.data() + pixelsAt + stride * stored);
        if (bits == 24) {
            std::memcpy(image.scanLine(y), from, std::size_t(width) * 3);
            continue;
        }
        auto* to = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x, from += 4)
            to[x] = qRgba(from[2], from[1], from[0], layout == Layout::WithAlpha ? from[3] : 255);
    }
    return image;
}
