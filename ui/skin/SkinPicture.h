#pragma once
// The picture a skinned window is drawn from: a plain bitmap, used as it is, or a JPEG picture,
// which is decoded into a temporary bitmap every time the skin is rendered.

#include "ui/skin/JpegImage.h"

#include <QImage>
#include <QString>

#include <optional>

class TSkinPicture {
public:
    // No picture: width 0, an empty skin.
    TSkinPicture() = default;
    explicit TSkinPicture(const QImage& bitmap);
    explicit TSkinPicture(TJpegImage jpeg);

    // A JPEG file by its content, any other file through Qt's image readers. Throws
    // std::runtime_error naming the file when it cannot be read or is no picture.
    static TSkinPicture FromFile(const QString& path);
    // The same for the bytes of the file at `path`, already read.
    static TSkinPicture FromData(QByteArray data, const QString& path);

    int Width() const;
    int Height() const;
    bool IsBitmap() const { return !jpeg_; }

    // The pixels in Format_BGR888: the bitmap itself, or a fresh decoding of the JPEG picture
    // (which throws std::runtime_error when its data is corrupt).
    QImage Bitmap() const;

private:
    QImage bitmap_;
    std::optional<TJpegImage> jpeg_;
};

// The picture in `data` in the format the suffix of `path` names. Only a path without a suffix is
// read by its content: asking by content loads every image plugin there is to ask each of them.
QImage ReadPicture(const QByteArray& data, const QString& path);
