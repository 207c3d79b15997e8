#include "ui/skin/SkinResources.h"

#include <QBitmap>
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
    return QStringLiteral(":/res/") + name;
}

QIcon ResourceIcon(const QString& name)
{
    QIcon icon;
    for (const int size : kIconSizes)
        icon.addFile(ResourcePath(QStringLiteral("%1_%2").arg(name).arg(size)), QSize(size, size));
    return icon;
}

QPixmap TransparentPicture(const QString& name)
{
    const QImage image(ResourcePath(name));
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
