#include "ui/skin/SkinRenderer.h"

#include "ui/skin/SkinPicture.h"
#include "ui/skin/ZYBitmap.h"

#include <QPainter>

namespace {

constexpr int kTile = 25;
const QPoint kMiddleColourAt(20, 50);

} // namespace

void RenderSkin(const QImage& picture, int width, int height, TZYBitmap& skin)
{
    if (picture.width() == 0) {
        skin.Clear();
        return;
    }
    // Copies between equal formats are plain row copies.
    const QImage source = picture.convertToFormat(QImage::Format_BGR888);
    const int hw = (source.width() + 1) / 2;
    const int hh = (source.height() + 1) / 2;
    skin.SetSize(width, height);
    QPaintDevice* canvas = skin.Canvas();
    if (!canvas)
        return;
    QPainter painter(canvas);
    painter.setCompositionMode(QPainter::CompositionMode_Source);

    if (width > 2 * hw && height > 2 * hh) {
        const QColor middle = source.valid(kMiddleColourAt) ? source.pixelColor(kMiddleColourAt) : Qt::black;
        painter.fillRect(hw, hh, width - 2 * hw, height - 2 * hh, middle);
    }
    painter.drawImage(QPoint(0, 0), source, QRect(0, 0, hw, hh));
    painter.drawImage(QPoint(0, height - hh), source, QRect(0, hh, hw, hh));
    painter.drawImage(QPoint(width - hw, 0), source, QRect(hw, 0, hw, hh));
    painter.drawImage(QPoint(width - hw, height - hh), source, QRect(hw, hh, hw, hh));
    for (int y = hh; y < height - hh; y += kTile) {
        painter.drawImage(QPoint(0, y), source, QRect(0, hh, hw, kTile));
        painter.drawImage(QPoint(width - hw, y), source, QRect(hw, hh, hw, kTile));
    }
    for (int x = hw; x < width - hw; x += kTile) {
        painter.drawImage(QPoint(x, 0), source, QRect(hw, 0, kTile, hh));
        painter.drawImage(QPoint(x, height - hh), source, QRect(hw, hh, kTile, hh));
    }
}

void RenderSkin(const TSkinPicture& picture, int width, int height, TZYBitmap& skin)
{
    RenderSkin(picture.Bitmap(), width, height, skin);
}
