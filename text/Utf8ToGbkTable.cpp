#include "text/Utf8ToGbkTable.h"

#include "text/GbkCodec.h"
#include "text/Utf8.h"

namespace {

// The code point of the valid two- or three-byte sequence at `at`, and its length; 0 when no such
// sequence starts there. ASCII is handled before; GBK holds nothing beyond U+FFFF.
std::size_t Decode(std::string_view text, std::size_t at, char32_t& code)
{
    const auto byte = [&](std::size_t k) { return char32_t{static_cast<unsigned char>(text[at + k])}; };
    switch (utf8::SequenceAt(text, at)) {
    case 2:
        code = (byte(0) & 0x1F) << 6 | (byte(1) & 0x3F);
        return 2;
    case 3:
        code = (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
        return 3;
    default:
        return 0;
    }
}

} // namespace

const Utf8ToGbkTable& Utf8ToGbkTable::Get()
{
    static const Utf8ToGbkTable table;
    return table;
}

Utf8ToGbkTable::Utf8ToGbkTable() : codes_(0x10000, 0)
{
    for (char32_t code = 0x80; code < 0x10000; ++code) {
        if (code >= 0xD800 && code <= 0xDFFF)
            continue;
        const auto gbk = gbk::FromUtf8(utf8::Encode(code));
        if (!gbk || gbk->empty() || gbk->size() > 2)
            continue;
        const auto first = static_cast<unsigned char>((*gbk)[0]);
        codes_[code] = gbk->size() == 1
                           ? first
                           : static_cast<std::uint16_t>(first << 8 | static_cast<unsigned char>((*gbk)[1]));
    }
}

bool Utf8ToGbkTable::Convert(std::string_view utf8, std::string& out) const
{
    // GBK never takes more bytes than UTF-8: written in place, then cut to what was written.
    const std::size_t start = out.size();
    out.resize(start + utf8.size());
    char* write = out.data() + start;
    std::size_t at = 0;
    bool whole = true;
    while (at < utf8.size()) {
        if (static_cast<unsigned char>(utf8[at]) < 0x80) {
            *write++ = utf8[at++];
            continue;
        }
        char32_t code = 0;
        const std::size_t length = Decode(utf8, at, code);
        const std::uint16_t gbk = length ? codes_[code] : 0;
        if (gbk == 0) {
            whole = false;
            break;
        }
        if (gbk >= 0x100)
            *write++ = static_cast<char>(gbk >> 8);
        *write++ = static_cast<char>(gbk & 0xFF);
        at += length;
    }
    out.resize(static_cast<std::size_t>(write - out.data()));
    return whole;
}

std::size_t Utf8ToGbkTable::ConvertReplacing(std::string_view utf8, std::string& out,
                                             std::string_view replacement) const
{
    std::size_t replaced = 0;
    bool inBadRun = false;
    for (std::size_t at = 0; at < utf8.size();) {
        if (static_cast<unsigned char>(utf8[at]) < 0x80) {
            out += utf8[at++];
            inBadRun = false;
            continue;
        }
        char32_t code = 0;
        const std::size_t length = Decode(utf8, at, code);
        const std::uint16_t gbk = length ? codes_[code] : 0;
        if (gbk != 0) {
            if (gbk >= 0x100)
                out += static_cast<char>(gbk >> 8);
            out += static_cast<char>(gbk & 0xFF);
            at += length;
            inBadRun = false;
            continue;
        }
        // A whole character GBK lacks (four bytes beyond its plane), or one byte of a bad run.
        const std::size_t sequence = utf8::SequenceAt(utf8, at);
        if (sequence == 0 && inBadRun) {
            ++at;
            continue;
        }
        out += replacement;
        ++replaced;
        inBadRun = sequence == 0;
        at += sequence == 0 ? 1 : sequence;
    }
    return replaced;
}
