#pragma once
// GBK bytes for a UTF-8 literal, so tests can write Chinese text readably.

#include "text/GbkCodec.h"

#include <stdexcept>
#include <string>
#include <string_view>

inline std::string G(std::string_view utf8)
{
    auto bytes = gbk::FromUtf8(utf8);
    if (!bytes)
        throw std::invalid_argument("not encodable in GBK");
    return *bytes;
}
