#pragma once
// The rules of UTF-8 sequences, for the readers that check word lists and convert them.

#include <cstddef>
#include <string>
#include <string_view>

namespace utf8 {

inline bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// What a lead byte announces: the continuation bytes due (0 for a byte that starts no sequence),
// and the range the first of them must lie in, narrower after some leads to rule out overlong
// forms, surrogates and values past U+10FFFF.
struct Lead {
    int due = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
};

inline Lead LeadOf(unsigned char byte)
{
    if (byte >= 0xC2 && byte <= 0xDF)
        return {1};
    if (byte >= 0xE0 && byte <= 0xEF)
        return {2, static_cast<unsigned char>(byte == 0xE0 ? 0xA0 : 0x80),
                static_cast<unsigned char>(byte == 0xED ? 0x9F : 0xBF)};
    if (byte >= 0xF0 && byte <= 0xF4)
        return {3, static_cast<unsigned char>(byte == 0xF0 ? 0x90 : 0x80),
                static_cast<unsigned char>(byte == 0xF4 ? 0x8F : 0xBF)};
    return {};
}

// The length of the valid multi-byte sequence at text[at]; 0 when none starts there (an ASCII
// byte, an invalid byte, or a sequence cut off by the text's end).
inline std::size_t SequenceAt(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
    const Lead announced = LeadOf(byte(0));
    const auto length = static_cast<std::size_t>(announced.due) + 1;
    if (announced.due == 0 || at + length > text.size() || byte(1) < announced.low ||
        byte(1) > announced.high)
        return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (!IsContinuation(byte(k)))
            return 0;
    return length;
}

// The UTF-8 bytes of a code point.
inline std::string Encode(char32_t code)
{
    std::string bytes;
    if (code < 0x80) {
        bytes += static_cast<char>(code);
        return bytes;
    }
    if (code < 0x800) {
        bytes += static_cast<char>(0xC0 | (code >> 6));
    } else if (code < 0x10000) {
        bytes += static_cast<char>(0xE0 | (code >> 12));
        bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    } else {
        bytes += static_cast<char>(0xF0 | (code >> 18));
        bytes += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    }
    bytes += static_cast<char>(0x80 | (code & 0x3F));
    return bytes;
}

// The text with each byte that starts no valid sequence written as U+FFFD.
inline std::string Repaired(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = static_cast<unsigned char>(text[at]) < 0x80 ? 1 : SequenceAt(text, at);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++at;
        } else {
            out.append(text.substr(at, length));
            at += length;
        }
    }
    return out;
}

} // namespace utf8
