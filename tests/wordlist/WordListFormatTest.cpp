#include "wordlist/WordListFormat.h"

#include "support/Gbk.h"
#include "support/ReadInPieces.h"
#include "wordlist/OwnFormatReader.h"
#include "wordlist/WordListLineSplitter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <malloc.h>
#include <string>
#include <utility>
#include <vector>

namespace {

// Every line of `bytes`, fed in pieces of `pieceSize` bytes, with the bytes examined after each.
std::vector<std::pair<std::string, std::uint64_t>> Lines(std::string_view bytes, std::size_t pieceSize)
{
    WordListLineSplitter splitter;
    std::vector<std::pair<std::string, std::uint64_t>> lines;
    std::string line;
    for (std::size_t at = 0;; at += pieceSize) {
        if (at >= bytes.size())
            splitter.Finish();
        else
            splitter.Feed(bytes.substr(at, pieceSize));
        while (const auto part = splitter.Next()) {
            line += part->bytes;
            if (part->endsLine) {
                lines.emplace_back(line, splitter.Examined());
                line.clear();
            }
        }
        if (splitter.Ended())
            return lines;
    }
}

std::vector<std::string> Texts(std::string_view bytes)
{
    std::vector<std::string> texts;
    for (auto& [text, examined] : Lines(bytes, bytes.size() + 1))
        texts.push_back(text);
    return texts;
}

using Entries = std::vector<std::pair<std::string, std::string>>;

Entries Read(std::string_view bytes)
{
    Entries entries;
    for (auto& entry : ReadWordList(bytes))
        entries.emplace_back(entry.word, entry.interpret);
    return entries;
}

TEST(WordListFormatTest, LinePadsTheWordTo20BytesAndKeepsTheExplanationAsItIs)
{
    std::string out;
    AppendWordListLine(out, "cat", G("猫"));
    AppendWordListLine(out, "international", G("国际的"));
    EXPECT_EQ(out, "cat" + std::string(17, ' ') + "| " + G("猫") + "\r\n" + "international" +
                       std::string(7, ' ') + "| " + G("国际的") + "\r\n");

    out.clear();
    AppendWordListLine(out, std::string(20, 'a'), "x");
    AppendWordListLine(out, std::string(25, 'b'), "y\r\nz");
    AppendWordListLine(out, std::string(19, 'c'), "");
    EXPECT_EQ(out, std::string(20, 'a') + "| x\r\n" + std::string(25, 'b') + "| y\r\nz\r\n" +
                       std::string(19, 'c') + " | \r\n");
}

TEST(WordListFormatTest, EntryLinesNeedTextOnBothSidesOfTheFirstBar)
{
    const WordListLine entry = ClassifyWordListLine("  Cat \t|  n. a|b ");
    EXPECT_TRUE(entry.isEntry);
    EXPECT_EQ(entry.word, "Cat");
    EXPECT_EQ(entry.text, "n. a|b");

    for (const auto& [line, text] : std::vector<std::pair<std::string, std::string>>{
             {"   | after", "after"}, // no word: the text after the bar continues
             {"word |   ", ""},
             {"|", ""},
             {"  no bar  ", "  no bar  "}, // without a bar the line is kept whole, blanks included
             {"", ""},
             {"   ", "   "},
             {"a\nb", "a\nb"},
         }) {
        const WordListLine read = ClassifyWordListLine(line);
        EXPECT_FALSE(read.isEntry) << line;
        EXPECT_EQ(read.text, text) << line;
    }
    // The trail byte of a two-byte character is never a bar here, but a lone 0x7C always is.
    EXPECT_EQ(ClassifyWordListLine(G("词") + "|" + G("义")).word, G("词"));
}

TEST(WordListFormatTest, CrEndsALineAndSwallowsOneLfWhileLfAloneAndOtherBytesStay)
{
    EXPECT_EQ(Texts("a\r\nb\rc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(Texts("a\nb\n"), (std::vector<std::string>{"a\nb\n"}));
    EXPECT_EQ(Texts("a\r\r\n\n\r\n"), (std::vector<std::string>{"a", "", "\n"}));
    EXPECT_EQ(Texts("a\r\n"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(Texts("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(Texts(std::string("x\0y\r", 4)), (std::vector<std::string>{std::string("x\0y", 3)}));
    EXPECT_TRUE(Texts("").empty());
}

TEST(WordListFormatTest, Byte1AEndsTheFileWhereverItStands)
{
    EXPECT_EQ(Texts("a\r\nbc\x1A"
                    "d\r\ne"),
              (std::vector<std::string>{"a", "bc"}));
    EXPECT_EQ(Texts("a\r\n\x1A"
                    "b"),
              (std::vector<std::string>{"a"}));
    EXPECT_EQ(Texts("a\r\x1A"), (std::vector<std::string>{"a"}));
    EXPECT_TRUE(Texts("\x1A"
                      "a\r\n")
                    .empty());
}

TEST(WordListFormatTest, PiecesOfAnySizeGiveTheSameLinesAndExaminedCounts)
{
    const std::string bytes = "ab\r\ncd\r\r\nef\ngh\rij\x1Akl";
    const auto whole = Lines(bytes, bytes.size());
    const std::vector<std::pair<std::string, std::uint64_t>> expected{
        {"ab", 4}, {"cd", 8}, {"", 9}, {"ef\ngh", 16}, {"ij", 18}};
    EXPECT_EQ(whole, expected);
    for (std::size_t size = 1; size < bytes.size(); ++size)
        EXPECT_EQ(Lines(bytes, size), expected) << "pieces of " << size;

    // A line of megabytes without a CR comes out in parts that make it whole, however it is fed.
    const std::string longLine(3 << 20, 'x');
    const auto lines = Lines(longLine + "\r\nz", 1 << 16);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].first, longLine);
    EXPECT_EQ(lines[1].first, "z");
}

TEST(WordListFormatTest, AReaderHoldsBoundedMemoryWhateverTheLinesLength)
{
    // 64 MB in one line: a word after blanks, a bar, then text without end, in pieces of 1 MB.
    OwnFormatReader reader({25, 125});
    const std::string line =
        "   " + std::string(30, 'w') + "  |  " + std::string((64 << 20) - 38, 'e') + "\r\n";
    const std::size_t before = mallinfo2().uordblks;
    std::size_t most = 0;
    const ReadInPiecesResult read = ReadInPieces(
        reader, line, [] { return std::size_t{1} << 20; },
        [&] { most = std::max(most, mallinfo2().uordblks); });
    EXPECT_LT(most, before + (std::size_t{64} << 10));
    ASSERT_EQ(read.entries.size(), 1u);
    EXPECT_EQ(read.entries[0].word, std::string(25, 'w'));
    EXPECT_EQ(read.entries[0].interpret, std::string(125, 'e'));
}

TEST(WordListFormatTest, ContinuationLinesJoinThePendingEntry)
{
    const std::string spaces = "   ";
    EXPECT_EQ(
        Read("orphan\r\n | lost\r\ncat | " + G("猫") + "\r\n" + spaces + "\r\n\r\n |  two \r\n x | \r\n" +
             "dog|" + G("狗") + "\r\nlast\r\n\r\n"),
        (Entries{{"cat", G("猫") + "\r\n" + spaces + "\r\n\r\ntwo\r\n"}, {"dog", G("狗") + "\r\nlast\r\n"}}));
    // LF alone does not end a line: the whole file is the first entry.
    EXPECT_EQ(Read("a| 1\nb| 2\n"), (Entries{{"a", "1\nb| 2"}}));
    // The last line needs no end; a later line with text on both sides of a bar is an entry.
    EXPECT_EQ(Read("a|1\r\nb|2"), (Entries{{"a", "1"}, {"b", "2"}}));
    EXPECT_TRUE(Read("no entry\r\n|x\r\n").empty());
}

TEST(WordListFormatTest, ReaderCutsExplanationsToTheFieldWithoutSplittingACharacter)
{
    // 124 bytes and then a two-byte character: a cut at 125 bytes would split it.
    const std::string text = std::string(124, 'e') + G("猫") + "tail";
    OwnFormatReader reader({std::string::npos, 125});
    const std::string file = "w| " + text + "\r\n" + std::string(300, 'c') + "\r\nv|" + std::string(125, 'f');
    const std::vector<WordListEntry> entries = ReadInPieces(reader, file, file.size()).entries;
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].interpret, std::string(124, 'e'));
    EXPECT_EQ(entries[1].interpret, std::string(125, 'f'));
}

TEST(WordListFormatTest, ImportPercentCountsWholeBlocksTaken)
{
    // Under one block: the file counts as one block, none of it is ever whole.
    EXPECT_EQ(WordListImportPercent(0, 100), 0);
    EXPECT_EQ(WordListImportPercent(100, 100), 0);
    // 300 bytes are two whole blocks; the first byte of a block takes the whole block.
    EXPECT_EQ(WordListImportPercent(1, 300), 50);
    EXPECT_EQ(WordListImportPercent(128, 300), 50);
    EXPECT_EQ(WordListImportPercent(129, 300), 100);
    EXPECT_EQ(WordListImportPercent(301, 300), 100);
    EXPECT_EQ(WordListImportPercent(128 * 3, 128 * 7 + 5), 42);
    // Large files do not overflow.
    EXPECT_EQ(WordListImportPercent(std::uint64_t{1} << 40, std::uint64_t{1} << 41), 50);
}

} // namespace
