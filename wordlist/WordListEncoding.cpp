#include "wordlist/WordListEncoding.h"

#include "text/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

bool EightAscii(const unsigned char* bytes)
{
    std::uint64_t eight = 0;
    std::memcpy(&eight, bytes, 8);
    return (eight & 0x8080808080808080ull) == 0;
}

// The bytes of the whole valid sequences at the start of `bytes`, up to the first one that is
// invalid or cut off by the piece's end. A sniffed file is read whole, so this loop is what a
// large UTF-8 import costs before it starts; ASCII goes eight bytes at a time.
std::size_t WholeSequences(std::string_view text, std::uint64_t& multiByte)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t at = 0;
    while (at < size) {
        const unsigned char lead = bytes[at];
        if (lead < 0x80) {
            at += at + 8 <= size && EightAscii(bytes + at) ? 8 : 1;
            continue;
        }
        const std::size_t length = utf8::SequenceAt(text, at);
        if (length == 0)
            return at;
        ++multiByte;
        at += length;
    }
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

namespace {

// Invalid sequences past which a file is GBK whatever follows: more of them than valid ones.
constexpr std::uint64_t kDecisiveInvalid = 64;

} // namespace

bool WordListEncodingSniffer::Decided() const
{
    return byteOrderMark_ || (invalid_ >= kDecisiveInvalid && invalid_ > valid_);
}

void WordListEncodingSniffer::Validate(std::string_view bytes)
{
    while (!bytes.empty() && !Decided()) {
        // Whole sequences go fast; one cut off by the piece's end, or an invalid one, byte by byte.
        if (due_ == 0) {
            bytes.remove_prefix(WholeSequences(bytes, valid_));
            if (bytes.empty())
                return;
        }
        if (!ValidateByte(static_cast<unsigned char>(bytes.front()))) {
            ++invalid_;
            // A sequence broken off: the byte that broke it may start the next one.
            if (due_ > 0) {
                due_ = 0;
                continue;
            }
        }
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
        valid_ += due_ == 0 ? 1 : 0;
        return true;
    }
    if (byte < 0x80)
        return true;
    const utf8::Lead announced = utf8::LeadOf(byte);
    if (announced.due == 0)
        return false; // a stray continuation byte, 0xC0, 0xC1 or 0xF5 and above
    due_ = announced.due;
    low_ = announced.low;
    high_ = announced.high;
    return true;
}

WordListEncoding WordListEncodingSniffer::Result() const
{
    if (byteOrderMark_)
        return WordListEncoding::Utf8;
    // A sequence cut off by the file's end (a file cut short) tells nothing of the rest.
    return valid_ > 0 && invalid_ * 20 <= valid_ ? WordListEncoding::Utf8 : WordListEncoding::Gbk;
}

WordListEncoding SniffWordListEncoding(std::string_view bytes)
{
    WordListEncodingSniffer sniffer;
    sniffer.Feed(bytes);
    return sniffer.Result();
}
