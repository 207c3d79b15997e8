#include "ui/skin/SkinResources.h"

#include <QBitmap>
#include <QFile>
#include <QImage>

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

QImage ResourceImage(const QString& name)
{
    QFile file(ResourcePath(name));
    return file.open(QIODevice::ReadOnly) ? ReadPicture(file.readAll(), file.fileName()) : QImage();
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
        return TSkinPicture::FromFile(ResourcePath(name));
    } catch (const std::exception& error) {
        qWarning("The skin %s cannot be read: %s", qUtf8Printable(name), error.what());
        return TSkinPicture();
    }
}
