#include "wordlist/WordListEncoding.h"

#include "store/DictTable.h"
#include "support/Gbk.h"
#include "support/ReadInPieces.h"
#include "text/GbkCodec.h"
#include "wordlist/OwnFormatReader.h"
#include "wordlist/WordListFormat.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

// The encoding of `bytes` fed in pieces of `pieceSize` bytes.
WordListEncoding Sniff(std::string_view bytes, std::size_t pieceSize)
{
    WordListEncodingSniffer sniffer;
    for (std::size_t at = 0; at < bytes.size() && !sniffer.Decided(); at += pieceSize)
        sniffer.Feed(bytes.substr(at, pieceSize));
    return sniffer.Result();
}

// Every entry of `bytes` read as the import reads it, fed in pieces of `pieceSize` bytes.
struct Read {
    std::vector<WordListEntry> entries;
    std::uint64_t skipped = 0;
    std::string firstSkipped;
};
Read ReadAs(std::string_view bytes, WordListEncoding encoding, std::size_t pieceSize = 1 << 16)
{
    OwnFormatReader reader({TDictTable::WordWidth, TDictTable::InterpretWidth}, encoding);
    Read read;
    read.entries = ReadInPieces(reader, bytes, pieceSize).entries;
    read.skipped = reader.Entries().LeftOut().count;
    read.firstSkipped = reader.Entries().LeftOut().first;
    return read;
}

std::string Line(std::string_view word, std::string_view interpret)
{
    std::string line;
    AppendWordListLine(line, word, interpret);
    return line;
}

TEST(WordListEncoding, Utf8WithTheMarkOrValidMultiByteTextByAndLarge)
{
    const std::string utf8 = Line("apple", "n. 苹果") + Line("pear", "n. 梨");
    for (const std::size_t piece : {1u, 2u, 3u, 7u, 4096u}) {
        SCOPED_TRACE(piece);
        EXPECT_EQ(Sniff(utf8, piece), WordListEncoding::Utf8);
        EXPECT_EQ(Sniff(std::string(kUtf8ByteOrderMark) + utf8, piece), WordListEncoding::Utf8);
        // The mark decides even when broken bytes follow it.
        EXPECT_EQ(Sniff("\xEF\xBB\xBF"
                        "a | \xB0\xA1",
                        piece),
                  WordListEncoding::Utf8);
        // The same list in GBK, and an ASCII file, are read as GBK.
        EXPECT_EQ(Sniff(G(utf8), piece), WordListEncoding::Gbk);
        EXPECT_EQ(Sniff(Line("apple", "n. an apple"), piece), WordListEncoding::Gbk);
        // A file cut off inside its last character is still UTF-8; a GBK character among a few
        // UTF-8 ones makes it GBK, one broken sequence among many does not.
        EXPECT_EQ(Sniff(utf8 + "\xE8\x8B", piece), WordListEncoding::Utf8);
        EXPECT_EQ(Sniff(utf8 + "\xB0\xA1", piece), WordListEncoding::Gbk);
        std::string many = utf8 + "\xB0\xA1";
        for (int copies = 0; copies < 20; ++copies)
            many += utf8;
        EXPECT_EQ(Sniff(many, piece), WordListEncoding::Utf8);
    }
    EXPECT_EQ(SniffWordListEncoding(""), WordListEncoding::Gbk);
    EXPECT_EQ(SniffWordListEncoding("\xEF\xBB"), WordListEncoding::Gbk);
    EXPECT_EQ(SniffWordListEncoding("\xEF\xBB\xBF"), WordListEncoding::Utf8);
    // What is no UTF-8 although its bytes look like it: overlong forms, surrogates, values past
    // U+10FFFF, bytes that never occur.
    for (const char* bad : {"\xC0\xAF", "\xC1\xBF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF0\x80\x80\xAF",
                            "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xFF"})
        EXPECT_EQ(SniffWordListEncoding(std::string("a | ") + bad), WordListEncoding::Gbk) << bad;
    for (const char* good :
         {"\xC2\x80", "\xE0\xA0\x80", "\xED\x9F\xBF", "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF"})
        EXPECT_EQ(SniffWordListEncoding(std::string("a | ") + good), WordListEncoding::Utf8) << good;
}

// GBK lists as learners keep them: English words, explanations of a few Chinese characters drawn
// from the whole GBK range, with ASCII among them.
std::string GeneratedGbkList(std::mt19937& random)
{
    std::string bytes;
    const int entries = 3 + static_cast<int>(random() % 40);
    for (int e = 0; e < entries; ++e) {
        std::string word(3 + random() % 10, 'a');
        for (char& c : word)
            c = static_cast<char>('a' + random() % 26);
        std::string interpret = "n. ";
        for (int k = 5 + static_cast<int>(random() % 20); k > 0; --k) {
            interpret += static_cast<char>(0x81 + random() % 0x7E);
            char trail = static_cast<char>(0x40 + random() % 0xBF);
            interpret += trail == 0x7F ? '\x80' : trail;
            if (random() % 8 == 0)
                interpret += "; ";
        }
        bytes += Line(word, interpret);
    }
    return bytes;
}

TEST(WordListEncoding, AGbkListIsNeverReadAsUtf8)
{
    std::mt19937 random(20240611);
    for (int list = 0; list < 5000; ++list) {
        const std::string bytes = GeneratedGbkList(random);
        ASSERT_EQ(SniffWordListEncoding(bytes), WordListEncoding::Gbk) << "list " << list;
        // Read as GBK, nothing is skipped and every entry arrives as written.
        ASSERT_EQ(ReadAs(bytes, WordListEncoding::Gbk).skipped, 0u);
    }
}

TEST(WordListEncoding, Utf8EntriesAreConvertedCutAndSkippedAsTheTableWouldStoreThem)
{
    std::string seventy;
    for (int k = 0; k < 70; ++k)
        seventy += "汉";
    const std::string bytes = std::string(kUtf8ByteOrderMark) + Line("apple", "n. 苹果\r\n  a fruit") +
                              Line("smile", "😀 微笑") + Line("café", "咖啡馆") + Line("euro", "€ 欧元") +
                              Line("long", seventy) + Line("longer", seventy + "😀") +
                              Line("short", std::string(120, 'x') + "😀") + Line("face😀", "脸");
    for (const std::size_t piece : {1u, 5u, 1u << 16}) {
        SCOPED_TRACE(piece);
        const Read read = ReadAs(bytes, WordListEncoding::Utf8, piece);
        ASSERT_EQ(read.entries.size(), 5u);
        EXPECT_EQ(read.entries[0].word, "apple"); // the mark is no part of the first word
        EXPECT_EQ(read.entries[0].interpret, G("n. 苹果\r\n  a fruit"));
        EXPECT_EQ(read.entries[1].word, G("café"));
        EXPECT_EQ(read.entries[2].interpret, G("€ 欧元"));
        EXPECT_EQ(read.entries[2].interpret[0], '\x80');
        // Cut to the explanation's 125 bytes at a character boundary: 62 characters.
        EXPECT_EQ(read.entries[3].interpret.size(), 124u);
        // A character GBK cannot hold past what is stored costs nothing...
        EXPECT_EQ(read.entries[4].word, "longer");
        EXPECT_EQ(read.entries[4].interpret, read.entries[3].interpret);
        // ...one within it leaves the entry out: "smile", "short" and "face😀".
        EXPECT_EQ(read.skipped, 3u);
        EXPECT_EQ(read.firstSkipped, "smile");
    }
    EXPECT_EQ(ReadAs(Line("face😀", "脸"), WordListEncoding::Utf8).firstSkipped, "face?");
    // A file that only the mark made UTF-8 loses its broken entries, not its good ones.
    const Read marked =
        ReadAs("\xEF\xBB\xBF" + Line("a", "\xB0\xA1") + Line("b", "ok"), WordListEncoding::Utf8);
    ASSERT_EQ(marked.entries.size(), 1u);
    EXPECT_EQ(marked.entries[0].word, "b");
    EXPECT_EQ(marked.skipped, 1u);
}

} // namespace
