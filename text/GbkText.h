#pragma once
// Rules for the GBK byte strings the whole program stores and compares.
// A byte 0x81..0xFE followed by another byte is one two-byte character; its second byte may
// look like an ASCII letter (0x41..0x7A) and must never be folded or compared as one.

#include <cstddef>
#include <string>
#include <string_view>

namespace gbk {

// A byte that starts a two-byte character when another byte follows it.
constexpr bool IsLead(unsigned char b)
{
    return b >= 0x81 && b <= 0xFE;
}
// A byte that can be the second byte of a two-byte character.
constexpr bool IsTrail(unsigned char b)
{
    return b >= 0x40 && b <= 0xFE && b != 0x7F;
}

// True when the byte at `text[i]` starts a two-byte character.
bool IsLeadByte(std::string_view text, std::size_t i);

// Removes the bytes of value 0x20 and below from both ends.
std::string Trim(std::string_view text);
// The same without a copy.
std::string_view Trimmed(std::string_view text);

// Turns single-byte a-z into A-Z; every other byte, both bytes of two-byte characters included,
// stays as it is.
std::string UpperCase(std::string_view text);
// The same into `out`, whose memory is reused: for loops over many texts.
void UpperCaseInto(std::string_view text, std::string& out);

// Byte order with single-byte letters compared without case: <0, 0 or >0.
int CompareNoCase(std::string_view a, std::string_view b);
bool EqualNoCase(std::string_view a, std::string_view b);

// True when `text` begins with `prefix`, letters compared without case.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// Where `needle` first occurs in `text` starting at a character of it, letters compared without
// case; npos when nowhere.
std::size_t FindNoCase(std::string_view text, std::string_view needle);

// The longest start of `text` of at most `width` bytes that does not split a character.
std::string_view FitToWidth(std::string_view text, std::size_t width);
// The same as a string of its own.
std::string CutToWidth(std::string_view text, std::size_t width);

// "〓", the character that stands for one GBK cannot hold.
inline constexpr std::string_view kStandIn = "\xA1\xFE";
// Appends `text`, each byte that starts no GBK character (0xFF, a lead byte without a second byte
// after it) written as kStandIn; returns how many were replaced.
std::size_t AppendRepaired(std::string_view text, std::string& out);

} // namespace gbk
