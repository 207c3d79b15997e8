#include "ui/QtGbk.h"

#include "text/GbkCodec.h"

#include <QList>

QString FromGbk(std::string_view gbk)
{
    return QString::fromStdString(gbk::ToUtf8(gbk));
}

std::optional<std::string> ToGbk(const QString& text)
{
    return gbk::FromUtf8(text.toStdString());
}

std::string ToGbkLossy(const QString& text)
{
    if (auto whole = ToGbk(text))
        return *whole;
    std::string result;
    for (const uint codePoint : text.toUcs4()) {
        const char32_t one32 = codePoint;
        const auto one = ToGbk(QString::fromUcs4(&one32, 1));
        result += one ? *one : std::string("?");
    }
    return result;
}
