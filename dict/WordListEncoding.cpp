#include "dict/WordListEncoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// The length of the run of ASCII bytes at the start of `bytes`, eight at a time where it can: a
// word list is mostly ASCII, and this keeps sniffing a large file cheap.
std::size_t AsciiRun(std::string_view bytes)
{
    constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
    std::size_t at = 0;
    for (std::uint64_t eight = 0; at + 8 <= bytes.size(); at += 8) {
        std::memcpy(&eight, bytes.data() + at, 8);
        if (eight & kHighBits)
            break;
    }
    while (at < bytes.size() && static_cast<unsigned char>(bytes[at]) < 0x80)
        ++at;
    return at;
}

} // namespace

void WordListEncodingSniffer::Feed(std::string_view piece)
{
    if (Decided())
        return;
    const std::size_t markSize = kUtf8ByteOrderMark.size();
    if (!markRuledOut_ && markMatched_ < markSize) {
        const std::size_t compared = std::min(piece.size(), markSize - markMatched_);
        markRuledOut_ = piece.substr(0, compared) != kUtf8ByteOrderMark.substr(markMatched_, compared);
        markMatched_ += compared;
        byteOrderMark_ = !markRuledOut_ && markMatched_ == markSize;
    }
    Validate(piece);
}

void WordListEncodingSniffer::Validate(std::string_view bytes)
{
    while (!bytes.empty() && !invalid_) {
        if (due_ == 0) {
            const std::size_t ascii = AsciiRun(bytes);
            bytes.remove_prefix(ascii);
            if (bytes.empty())
                return;
        }
        invalid_ = !ValidateByte(static_cast<unsigned char>(bytes.front()));
        bytes.remove_prefix(1);
    }
}

bool WordListEncodingSniffer::ValidateByte(unsigned char byte)
{
    if (due_ > 0) {
        if (byte < low_ || byte > high_)
            return false;
        --due_;
        low_ = 0x80;
        high_ = 0xBF;
        multiByte_ = multiByte_ || due_ == 0;
        return true;
    }
    if (byte >= 0xC2 && byte <= 0xDF) {
        due_ = 1;
    } else if (byte >= 0xE0 && byte <= 0xEF) {
        due_ = 2;
        low_ = byte == 0xE0 ? 0xA0 : 0x80;
        high_ = byte == 0xED ? 0x9F : 0xBF;
    } else if (byte >= 0xF0 && byte <= 0xF4) {
        due_ = 3;
        low_ = byte == 0xF0 ? 0x90 : 0x80;
        high_ = byte == 0xF4 ? 0x8F : 0xBF;
    } else {
        return false; // a stray continuation byte, 0xC0, 0xC1 or 0xF5 and above
    }
    return true;
}

WordListEncoding WordListEncodingSniffer::Result() const
{
    if (byteOrderMark_)
        return WordListEncoding::Utf8;
    // A sequence cut off by the file's end is no valid UTF-8.
    return !invalid_ && multiByte_ && due_ == 0 ? WordListEncoding::Utf8 : WordListEncoding::Gbk;
}

WordListEncoding SniffWordListEncoding(std::string_view bytes)
{
    WordListEncodingSniffer sniffer;
    sniffer.Feed(bytes);
    return sniffer.Result();
}
