#include "ui/Fonts.h"

#include <QFont>
#include <QStringList>

void InstallFontSubstitutions()
{
    const QStringList installed{QStringLiteral("WenQuanYi Zen Hei Sharp"),
                                QStringLiteral("WenQuanYi Zen Hei")};
    QFont::insertSubstitutions(QStringLiteral("宋体"), installed);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), installed);
}
