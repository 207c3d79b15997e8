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

// GBK bytes for the longest start of UTF-8 text that converts, and whether that start is all of it
// (it stops before the first character GBK cannot encode, or the first byte that is no valid UTF-8).
// Made for many short texts: its first call builds a table of every character (some milliseconds).
struct GbkStart {
    std::string bytes;
    bool whole = true;
};
GbkStart FromUtf8Start(std::string_view utf8);

// GBK bytes for UTF-8 text that is shown rather than stored (a file name in a message): each
// character GBK cannot hold, and each byte that does not start a complete UTF-8 sequence, becomes '?'.
std::string FromUtf8Lossy(std::string_view utf8);

// UTF-8 for GBK bytes; a byte sequence that is not GBK becomes U+FFFD.
std::string ToUtf8(std::string_view gbk);

} // namespace gbk
