#include "ui/skin/SkinPicture.h"

#include "ui/skin/WindowsBitmap.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <stdexcept>
#include <utility>

TSkinPicture::TSkinPicture(const QImage& bitmap) : bitmap_(bitmap.convertToFormat(QImage::Format_BGR888)) {}

TSkinPicture::TSkinPicture(TJpegImage jpeg) : jpeg_(std::move(jpeg)) {}

TSkinPicture TSkinPicture::FromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(
            QStringLiteral("Cannot open the picture %1: %2").arg(path, file.errorString()).toStdString());
    return FromData(file.readAll(), path);
}

TSkinPicture TSkinPicture::FromData(QByteArray data, const QString& path)
{
    if (TJpegImage::LooksLikeJpeg(data))
        return TSkinPicture(TJpegImage(std::move(data), path));
    const QImage bitmap = ReadPicture(data, path);
    if (bitmap.isNull())
        throw std::runtime_error(
            QStringLiteral("%1 is not a picture that can be read").arg(path).toStdString());
    return TSkinPicture(bitmap);
}

QImage ReadPicture(const QByteArray& data, const QString& path)
{
    const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    if (format == "bmp")
        if (QImage bitmap = ReadWindowsBitmap(data); !bitmap.isNull())
            return bitmap;
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(format.isEmpty());
    return reader.read();
}

int TSkinPicture::Width() const
{
    return jpeg_ ? jpeg_->Width() : bitmap_.width();
}

int TSkinPicture::Height() const
{
    return jpeg_ ? jpeg_->Height() : bitmap_.height();
}

QImage TSkinPicture::Bitmap() const
{
    return jpeg_ ? jpeg_->Decode() : bitmap_;
}
