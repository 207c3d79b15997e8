#pragma once
// Which encoding a word-list file is read in. Lists saved by today's editors are UTF-8; older lists
// are GBK, and in GBK text of Chinese most characters are no valid UTF-8 sequence. A file is read
// as UTF-8 when it starts with the byte-order mark, or holds valid multi-byte sequences and hardly
// any invalid ones (one in twenty at most: a UTF-8 file with a few damaged or cut-off sequences is
// still UTF-8, and the entries holding them are reported). Every other file, plain ASCII
// included, is read as GBK.

#include <cstddef>
#include <cstdint>
#include <string_view>

enum class WordListEncoding { Gbk, Utf8 };

// The UTF-8 byte-order mark some editors write at the start of a file.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Looks at a file's bytes, fed in pieces of any size, and decides its encoding.
class WordListEncodingSniffer {
public:
    void Feed(std::string_view piece);
    // True once further bytes cannot change the answer: the mark was seen, or so many invalid
    // sequences that no UTF-8 file holds them.
    bool Decided() const;
    // The answer once the whole file has been fed (or once Decided()).
    WordListEncoding Result() const;

private:
    void Validate(std::string_view bytes);
    bool ValidateByte(unsigned char byte);

    std::size_t markMatched_ = 0; // the bytes of the mark the file's start has matched
    bool markRuledOut_ = false;
    bool byteOrderMark_ = false;
    std::uint64_t valid_ = 0;   // multi-byte sequences
    std::uint64_t invalid_ = 0; // bytes that start or continue no valid sequence
    // Within a sequence: the continuation bytes still due, and the range the next one must lie in
    // (narrower after some first bytes, which rules out overlong forms, surrogates and values past
    // U+10FFFF).
    int due_ = 0;
    unsigned char low_ = 0x80;
    unsigned char high_ = 0xBF;
};

// The encoding of a whole file held in memory.
WordListEncoding SniffWordListEncoding(std::string_view bytes);
