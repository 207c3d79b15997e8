#include "ui/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

QString FormFontFamily()
{
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const QString& name :
             {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Zen Hei Sharp"),
              QStringLiteral("WenQuanYi Zen Hei")})
            if (installed.contains(name, Qt::CaseInsensitive))
                return name;
        return QStringLiteral("宋体"); // none of them: whatever the toolkit finds for it
    }();
    return family;
}
