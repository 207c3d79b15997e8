#include "ui/skin/SkinPicture.h"

#include <QFile>

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
    QByteArray data = file.readAll();
    if (TJpegImage::LooksLikeJpeg(data))
        return TSkinPicture(TJpegImage(std::move(data), path));
    const QImage bitmap = QImage::fromData(data);
    if (bitmap.isNull())
        throw std::runtime_error(
            QStringLiteral("%1 is not a picture that can be read").arg(path).toStdString());
    return TSkinPicture(bitmap);
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
