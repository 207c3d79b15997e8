#include "platform/GbkText.h"

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

} // namespace

bool IsLeadByte(std::string_view text, std::size_t i)
{
    return IsLead(Byte(text, i)) && i + 1 < text.size();
}

std::string Trim(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(Byte(text, begin)))
        ++begin;
    // A second byte of a two-byte character is never 0x20 or below, so cutting from the end is safe.
    while (end > begin && IsBlank(Byte(text, end - 1)))
        --end;
    return std::string(text.substr(begin, end - begin));
}

std::string UpperCase(std::string_view text)
{
    std::string result(text);
    for (std::size_t i = 0; i < result.size(); ++i) {
        if (IsLeadByte(result, i))
            ++i;
        else
            result[i] = static_cast<char>(FoldLetter(Byte(result, i)));
    }
    return result;
}

int CompareNoCase(std::string_view a, std::string_view b)
{
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    bool trail = false; // the texts agree up to here, so they agree on where characters start
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = Byte(a, i);
        unsigned char y = Byte(b, i);
        if (!trail) {
            x = FoldLetter(x);
            y = FoldLetter(y);
        }
        if (x != y)
            return x < y ? -1 : 1;
        trail = !trail && IsLead(x);
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

std::string CutToWidth(std::string_view text, std::size_t width)
{
    if (text.size() <= width)
        return std::string(text);
    std::size_t end = 0;
    while (end < width) {
        const std::size_t step = IsLeadByte(text, end) ? 2 : 1;
        if (end + step > width)
            break;
        end += step;
    }
    return std::string(text.substr(0, end));
}

} // namespace gbk
