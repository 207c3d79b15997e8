// Thousands of random byte files through the word-list reader: it must end on every one, split
// lines exactly as a plain byte-by-byte reading of the rules does, give the same result however
// the file is cut into pieces, and hand out only entries with a word and an explanation.

#include "support/ReadInPieces.h"
#include "text/GbkText.h"
#include "wordlist/OwnFormatReader.h"
#include "wordlist/WordListLineScanner.h"
#include "wordlist/WordListLineSplitter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// The reading rules, one byte at a time.
std::vector<std::string> ReferenceLines(std::string_view bytes)
{
    bytes = bytes.substr(0, bytes.find('\x1A'));
    std::vector<std::string> lines;
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::string line;
        while (i < bytes.size() && bytes[i] != '\r')
            line += bytes[i++];
        if (i < bytes.size() && ++i < bytes.size() && bytes[i] == '\n')
            ++i;
        lines.push_back(line);
    }
    return lines;
}

std::string RandomFile(std::mt19937& random)
{
    // Bytes that matter to the rules come often; any byte may come.
    static const char common[] = "||||\r\r\r\n\n\n    \t\tabcXYZ\x81\xB0\xFE\x7C\x00";
    const std::size_t length = random() % 8 == 0 ? random() % 5000 : random() % 200;
    std::string bytes;
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned pick = random() % 100;
        if (pick < 2)
            bytes += static_cast<char>(random() % 256);
        else if (pick < 3 && random() % 4 == 0)
            bytes += '\x1A';
        else
            bytes += common[random() % (sizeof common - 1)];
    }
    return bytes;
}

// Splits the file into lines in random pieces, and reads it with the reader in pieces of other sizes.
std::vector<WordListEntry> ReadInRandomPieces(const std::string& bytes, std::mt19937& random,
                                              std::vector<std::string>& lines)
{
    WordListLineSplitter splitter;
    std::string line;
    for (std::size_t at = 0; !splitter.Ended();) {
        if (at >= bytes.size()) {
            splitter.Finish();
        } else {
            const std::string_view piece = std::string_view(bytes).substr(at, 1 + random() % 64);
            at += piece.size();
            splitter.Feed(piece);
        }
        while (const auto part = splitter.Next()) {
            line += part->bytes;
            if (part->endsLine) {
                lines.push_back(line);
                line.clear();
            }
        }
    }
    OwnFormatReader reader;
    return ReadInPieces(reader, bytes, [&] { return std::size_t{1} + random() % 64; }).entries;
}

bool SameEntries(const std::vector<WordListEntry>& a, const std::vector<WordListEntry>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].word != b[i].word || a[i].interpret != b[i].interpret)
            return false;
    return true;
}

TEST(WordListFuzzTest, RandomBytesGiveWellFormedEntriesAndTheRulesLines)
{
    std::mt19937 random(20240611);
    for (int file = 0; file < 5000; ++file) {
        const std::string bytes = RandomFile(random);
        std::vector<std::string> lines;
        const auto entries = ReadInRandomPieces(bytes, random, lines);
        ASSERT_EQ(lines, ReferenceLines(bytes)) << "file " << file;
        ASSERT_TRUE(SameEntries(entries, ReadWordList(bytes))) << "file " << file;
        ASSERT_LE(entries.size(), lines.size());
        for (const auto& entry : entries) {
            ASSERT_FALSE(entry.word.empty()) << "file " << file;
            ASSERT_EQ(gbk::Trim(entry.word), entry.word);
            ASSERT_EQ(entry.word.find_first_of("|\r"), std::string::npos);
            ASSERT_FALSE(gbk::Trim(entry.interpret).empty()) << "file " << file;
        }
    }
}

TEST(WordListFuzzTest, ALineReadInPartsKeepsTheStartOfWhatTheWholeLineGives)
{
    std::mt19937 random(20250101);
    WordListLine read; // one for every line, as a reader keeps it: nothing of a line may stay
    for (int file = 0; file < 5000; ++file) {
        const std::string line = RandomFile(random);
        const std::size_t wordKeep = random() % 12;
        const std::size_t textKeep = random() % 12;
        WordListLineScanner scanner(wordKeep, textKeep);
        for (std::size_t at = 0; at < line.size();) {
            const std::size_t size = 1 + random() % 16;
            scanner.Add(std::string_view(line).substr(at, size));
            at += size;
        }
        scanner.Take(read);
        const WordListLine whole = ClassifyWordListLine(line);
        ASSERT_EQ(read.isEntry, whole.isEntry) << "line " << file;
        ASSERT_EQ(read.word, whole.word.substr(0, wordKeep)) << "line " << file;
        ASSERT_EQ(read.text, whole.text.substr(0, textKeep)) << "line " << file;
    }
}

} // namespace
