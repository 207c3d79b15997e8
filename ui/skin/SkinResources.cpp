#include "ui/skin/SkinResources.h"

#include <QBitmap>
#include <QFile>
#include <QImage>
#include <QResource>

#include <array>
#include <exception>

namespace {

constexpr std::array kIconSizes{16, 22, 32, 48};

} // namespace

// Outside any namespace, as the resource macro requires.
static void RegisterPictures()
{
    Q_INIT_RESOURCE(resources);
}

QString ResourcePath(const QString& name)
{
    static const bool registered = (RegisterPictures(), true);
    Q_UNUSED(registered);
    // The pictures keep their files' suffixes: a reader that knows the format from it does not
    // load every image plugin to ask which one reads the picture. Nearly all are bitmaps.
    const QString path = QStringLiteral(":/res/") + name;
    for (const char* suffix : {".bmp", ".jpg"})
        if (QFile::exists(path + QLatin1String(suffix)))
            return path + QLatin1String(suffix);
    return path;
}

// The bytes of the picture at a resource path, read in place where they are stored uncompressed
// (as the build stores them); empty when there is no such picture.
QByteArray ResourceBytes(const QString& path)
{
    const QResource resource(path);
    if (!resource.isValid())
        return {};
    if (resource.compressionAlgorithm() != QResource::NoCompression)
        return resource.uncompressedData();
    return QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()), resource.size());
}

QImage ResourceImage(const QString& name)
{
    const QString path = ResourcePath(name);
    const QByteArray data = ResourceBytes(path);
    return data.isEmpty() ? QImage() : ReadPicture(data, path);
}

QIcon ResourceIcon(const QString& name)
{
    QIcon icon;
    for (const int size : kIconSizes)
        icon.addPixmap(QPixmap::fromImage(ResourceImage(QStringLiteral("%1_%2").arg(name).arg(size))));
    return icon;
}

QPixmap TransparentPicture(const QString& name)
{
    const QImage image = ResourceImage(name);
    if (image.isNull())
        return QPixmap();
    QPixmap picture = QPixmap::fromImage(image);
    const QColor transparent = image.pixelColor(0, image.height() - 1);
    picture.setMask(QBitmap::fromImage(image.createMaskFromColor(transparent.rgb(), Qt::MaskInColor)));
    return picture;
}

TSkinPicture ResourceSkin(const QString& name)
{
    try {
        const QString path = ResourcePath(name);
        return TSkinPicture::FromData(ResourceBytes(path), path);
    } catch (const std::exception& error) {
        qWarning("The skin %s cannot be read: %s", qUtf8Printable(name), error.what());
        return TSkinPicture();
    }
}
