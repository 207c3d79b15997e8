#pragma once
// A JPEG picture kept compressed and decoded on demand with libjpeg-turbo. A damaged file fails
// with the decoder's own reason; a truncated one decodes to what it holds.

#include <QByteArray>
#include <QImage>
#include <QString>

class TJpegImage {
public:
    // Reads the header; throws std::runtime_error saying what is wrong when the data is no JPEG.
    // The name (a file name) appears in the messages.
    explicit TJpegImage(QByteArray data, QString name = QString());

    // Whether the data starts like a JPEG file (the start-of-image marker).
    static bool LooksLikeJpeg(const QByteArray& data);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Stored in several scans (a progressive file).
    bool Progressive() const { return progressive_; }

    // The whole picture in Format_BGR888; missing data at the end leaves the rest as the decoder
    // fills it. Throws std::runtime_error on corrupt data.
    QImage Decode() const;

private:
    QByteArray data_;
    QString name_;
    int width_ = 0;
    int height_ = 0;
    bool progressive_ = false;
};
