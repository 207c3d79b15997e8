#pragma once
// Conversion between GBK (code page 936) and UTF-8, used where text enters or leaves a widget or a
// file name.

#include <optional>
#include <string>
#include <string_view>

namespace gbk {

// GBK bytes for UTF-8 text, or nothing when the text holds a character GBK cannot encode
// (or is not valid UTF-8).
std::optional<std::string> FromUtf8(std::string_view utf8);

// UTF-8 for GBK bytes; a byte sequence that is not GBK becomes U+FFFD.
std::string ToUtf8(std::string_view gbk);

} // namespace gbk
