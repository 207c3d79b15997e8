#include "text/GbkText.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace gbk {
namespace {

unsigned char Byte(std::string_view text, std::size_t i)
{
    return static_cast<unsigned char>(text[i]);
}

unsigned char FoldLetter(unsigned char b)
{
    return (b >= 'a' && b <= 'z') ? b - ('a' - 'A') : b;
}

bool IsBlank(unsigned char b)
{
    return b <= 0x20;
}

// The first position from `from` on, before `end`, where the texts' bytes differ, or `end`.
std::size_t FirstDifference(std::string_view a, std::string_view b, std::size_t from, std::size_t end)
{
    std::size_t i = from;
    for (; i + 8 <= end; i += 8) {
        std::uint64_t x, y;
        std::memcpy(&x, a.data() + i, 8);
        std::memcpy(&y, b.data() + i, 8);
        if (x != y) {
            const std::uint64_t differ = x ^ y;
            const int bits = std::endian::native == std::endian::little ? std::countr_zero(differ)
                                                                        : std::countl_zero(differ);
            return i + static_cast<std::size_t>(bits / 8);
        }
    }
    while (i < end && a[i] == b[i])
        ++i;
    return i;
}

// Whether `text[i]` is the second byte of a two-byte character, a character starting at `from`:
// the bytes that may start one, right before `i`, pair up from the first of them on.
bool IsSecondByte(std::string_view text, std::size_t from, std::size_t i)
{
    std::size_t run = i;
    while (run > from && IsLead(Byte(text, run - 1)))
        --run;
    return (i - run) % 2 == 1;
}

} // namespace

bool IsLeadByte(std::string_view text, std::size_t i)
{
    return IsLead(Byte(text, i)) && i + 1 < text.size();
}

std::string Trim(std::string_view text)
{
    return std::string(Trimmed(text));
}

std::string_view Trimmed(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(Byte(text, begin)))
        ++begin;
    // A second byte of a two-byte character is never 0x20 or below, so cutting from the end is safe.
    while (end > begin && IsBlank(Byte(text, end - 1)))
        --end;
    return text.substr(begin, end - begin);
}

std::string UpperCase(std::string_view text)
{
    std::string result;
    UpperCaseInto(text, result);
    return result;
}

void UpperCaseInto(std::string_view text, std::string& out)
{
    out.assign(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (IsLeadByte(out, i))
            ++i;
        else
            out[i] = static_cast<char>(FoldLetter(Byte(out, i)));
    }
}

int CompareNoCase(std::string_view a, std::string_view b)
{
    // Equal bytes compare equal folded or not, so only the bytes where the texts differ are looked
    // at; the index sorts compare every word this way many times over.
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t from = 0;;) { // a character starts at `from`, and the texts agree before it
        const std::size_t i = FirstDifference(a, b, from, n);
        if (i == n)
            break;
        unsigned char x = Byte(a, i);
        unsigned char y = Byte(b, i);
        // Bytes that fold to themselves compare as they are, whichever character they are part of:
        // only a small letter asks where its character starts, which walks back over the text.
        if (FoldLetter(x) == x && FoldLetter(y) == y)
            return x < y ? -1 : 1;
        if (!IsSecondByte(a, from, i)) {
            x = FoldLetter(x);
            y = FoldLetter(y);
        }
        if (x != y)
            return x < y ? -1 : 1;
        from = i + 1; // a letter that differs in case only: one byte, a character of its own
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return prefix.size() <= text.size() && CompareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

std::size_t FindNoCase(std::string_view text, std::string_view needle)
{
    // No copies: the search of explanations runs it over many records per keystroke.
    if (needle.empty())
        return 0;
    const unsigned char first = FoldLetter(Byte(needle, 0));
    for (std::size_t i = 0; i + needle.size() <= text.size(); i += IsLeadByte(text, i) ? 2 : 1)
        if (FoldLetter(Byte(text, i)) == first && CompareNoCase(text.substr(i, needle.size()), needle) == 0)
            return i;
    return std::string_view::npos;
}

std::string_view FitToWidth(std::string_view text, std::size_t width)
{
    if (text.size() <= width)
        return text;
    std::size_t end = 0;
    while (end < width) {
        const std::size_t step = IsLeadByte(text, end) ? 2 : 1;
        if (end + step > width)
            break;
        end += step;
    }
    return text.substr(0, end);
}

std::string CutToWidth(std::string_view text, std::size_t width)
{
    return std::string(FitToWidth(text, width));
}

std::size_t AppendRepaired(std::string_view text, std::string& out)
{
    std::size_t replaced = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80 || byte == 0x80) { // 0x80 is the euro sign
            out += text[i];
        } else if (IsLead(byte) && i + 1 < text.size() && IsTrail(static_cast<unsigned char>(text[i + 1]))) {
            out += text[i];
            out += text[++i];
        } else {
            out += kStandIn;
            ++replaced;
        }
    }
    return replaced;
}

} // namespace gbk
