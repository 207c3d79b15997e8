#pragma once
// The one crossing between widget text (QString) and the GBK bytes of the core.

#include <QString>

#include <optional>
#include <string>
#include <string_view>

QString FromGbk(std::string_view gbk);
// GBK bytes, or nothing when the text holds a character GBK cannot hold.
std::optional<std::string> ToGbk(const QString& text);
// GBK bytes with every character GBK cannot hold replaced by '?'.
std::string ToGbkLossy(const QString& text);
