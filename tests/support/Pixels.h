#pragma once
// Shared by the pixel tests of the owner-drawn controls: a font with the design's 12-pixel lines
// drawn without smoothing, so that pixels compare exactly, and a look at the colours of a region.

#include <QFont>
#include <QImage>
#include <QRect>

#include <set>

inline QFont CrispDesignFont()
{
    QFont font(QStringLiteral("WenQuanYi Zen Hei Sharp"));
    font.setPixelSize(12);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// A canvas in a colour no control paints.
inline QImage Canvas(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    return image;
}

inline std::set<QRgb> Colours(const QImage& image, const QRect& rect)
{
    std::set<QRgb> found;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            found.insert(image.pixel(x, y));
    return found;
}

// The pixels of a colour in a region, as a set of points.
inline std::set<std::pair<int, int>> PixelsOf(const QImage& image, QRgb colour, const QRect& rect)
{
    std::set<std::pair<int, int>> found;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.pixel(x, y) == colour)
                found.insert({x, y});
    return found;
}
