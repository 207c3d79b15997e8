// The form font named directly draws the face the toolkit's own substitution of "宋体" drew.
#include "ui/Fonts.h"

#include <QFont>
#include <QFontInfo>
#include <QStringList>

#include <gtest/gtest.h>

TEST(Fonts, TheFormFamilyDrawsTheFaceTheSubstitutionOfItsNameDrew)
{
    const QStringList installed{QStringLiteral("WenQuanYi Zen Hei Sharp"),
                                QStringLiteral("WenQuanYi Zen Hei")};
    QFont::insertSubstitutions(QStringLiteral("宋体"), installed);
    QFont substituted(QStringLiteral("宋体"));
    QFont named(FormFontFamily());
    for (QFont* font : {&substituted, &named})
        font->setPixelSize(12);
    EXPECT_EQ(QFontInfo(named).family(), QFontInfo(substituted).family());
    EXPECT_EQ(QFontInfo(named).family(), QStringLiteral("WenQuanYi Zen Hei Sharp")) << "the 12-pixel face";
    QFont::removeSubstitutions(QStringLiteral("宋体"));
}
