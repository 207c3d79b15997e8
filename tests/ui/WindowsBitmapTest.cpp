// Bitmaps read without Qt's image readers: the program's own pictures with the pixels Qt reads, and
// every other file left to Qt rather than misread.
#include "ui/skin/WindowsBitmap.h"

#include "ui/skin/SkinResources.h"

#include <QBuffer>
#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cstdint>

namespace {

QImage ReadByQt(const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    return QImageReader(&buffer, "bmp").read();
}

// The same pixels as Qt reads; 24-bit pictures in their stored byte order, the rest in Qt's format.
void ExpectReadAsQtDoes(const QImage& ours, const QByteArray& data, const QString& what)
{
    const QImage qt = ReadByQt(data);
    const bool stored24Bits = data[28] == 24;
    EXPECT_EQ(ours.format(), stored24Bits ? QImage::Format_BGR888 : qt.format()) << qPrintable(what);
    EXPECT_EQ(ours.convertToFormat(QImage::Format_ARGB32), qt.convertToFormat(QImage::Format_ARGB32))
        << qPrintable(what);
}

struct Header {
    std::int32_t width = 2;
    std::int32_t height = 2; // negative: stored top down
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t headerSize = 40;
    std::uint32_t alphaMask = 0;
    int cutShort = 0; // bytes missing at the end
};

// A bitmap whose pixel bytes count 1, 2, 3...: rows padded to four bytes, as stored.
QByteArray MakeBitmap(const Header& header)
{
    const int stride = (header.width * header.bits + 31) / 32 * 4;
    const int pixelsAt =
        14 + header.headerSize + (header.headerSize == 40 && header.compression == 3 ? 12 : 0);
    QByteArray data(pixelsAt + stride * std::abs(header.height), '\0');
    const auto put32 = [&](int at, std::uint32_t value) { qToLittleEndian(value, data.data() + at); };
    data[0] = 'B';
    data[1] = 'M';
    put32(2, data.size());
    put32(10, pixelsAt);
    put32(14, header.headerSize);
    put32(18, header.width);
    put32(22, header.height);
    qToLittleEndian<std::uint16_t>(1, data.data() + 26);
    qToLittleEndian(header.bits, data.data() + 28);
    put32(30, header.compression);
    if (header.compression == 3) {
        put32(54, 0x00ff0000);
        put32(58, 0x0000ff00);
        put32(62, 0x000000ff);
    }
    if (header.headerSize >= 56)
        put32(66, header.alphaMask);
    for (int k = pixelsAt; k < data.size(); ++k)
        data[k] = static_cast<char>(k - pixelsAt + 1);
    data.chop(header.cutShort);
    return data;
}

} // namespace

TEST(WindowsBitmap, ReadsTheProgramsPicturesAsQtDoes)
{
    int read = 0;
    for (QDirIterator entry(QFileInfo(ResourcePath(QStringLiteral("FormMainSkin"))).path());
         entry.hasNext();) {
        QFile file(entry.next());
        if (!file.fileName().endsWith(QLatin1String(".bmp")) || !file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray data = file.readAll();
        const QImage ours = ReadWindowsBitmap(data);
        // The message box's sixteen-colour icons are left to Qt; the start reads none of them.
        if (file.fileName().contains(QLatin1String("ZYINFODLGICON"))) {
            EXPECT_TRUE(ours.isNull()) << qPrintable(file.fileName());
            continue;
        }
        ++read;
        ExpectReadAsQtDoes(ours, data, file.fileName());
    }
    EXPECT_EQ(read, 27) << "the skin, the menu's picture, 17 glyphs and pictures, 8 icons";
}

TEST(WindowsBitmap, ReadsWhatItKnowsAndLeavesTheRestToQt)
{
    const struct {
        const char* what;
        Header header;
        bool ours;
    } cases[] = {
        {"24 bits, bottom up, padded rows", {3, 2, 24}, true},
        {"24 bits, top down", {3, -2, 24}, true},
        {"32 bits without masks", {2, 2, 32}, true},
        {"32 bits, masks after a short header", {2, 2, 32, 3}, true},
        {"32 bits with an alpha mask", {2, -3, 32, 3, 108, 0xff000000}, true},
        {"32 bits with another alpha mask", {2, 2, 32, 3, 108, 0x0000ff00}, false},
        {"8 bits with a palette", {4, 2, 8}, false},
        {"24 bits holding a compressed picture", {4, 2, 24, 4}, false},
        {"pixels cut short", {3, 2, 24, 0, 40, 0, 1}, false},
        {"no width", {0, 2, 24}, false},
        {"wider than any screen", {1 << 16, 1, 24}, false},
    };
    for (const auto& bitmap : cases) {
        const QByteArray data = MakeBitmap(bitmap.header);
        const QImage ours = ReadWindowsBitmap(data);
        EXPECT_EQ(!ours.isNull(), bitmap.ours) << bitmap.what;
        if (bitmap.ours) {
            ExpectReadAsQtDoes(ours, data, QString::fromLatin1(bitmap.what));
        }
    }
    EXPECT_TRUE(ReadWindowsBitmap("BM").isNull());
    EXPECT_TRUE(ReadWindowsBitmap(MakeBitmap({}).replace(0, 2, "PK")).isNull());
}
