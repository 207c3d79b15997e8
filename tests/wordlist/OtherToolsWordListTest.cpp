#include "support/Gbk.h"
#include "support/ReadInPieces.h"
#include "wordlist/DelimitedReader.h"
#include "wordlist/JsonReader.h"
#include "wordlist/WordListFileKind.h"

#include <gtest/gtest.h>

#include <malloc.h>
#include <string>
#include <vector>

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

struct DelimitedRead {
    Entries entries;
    std::optional<WordListFault> fault;
    std::uint64_t cut = 0;
};

// Every entry of `bytes`, fed in pieces of `pieceSize` bytes, cut to the table's widths.
DelimitedRead ReadDelimited(DelimitedStyle style, std::string_view bytes, std::size_t pieceSize,
                            WordListEncoding encoding = WordListEncoding::Utf8)
{
    DelimitedReader reader(style, {25, 125}, encoding);
    DelimitedRead read;
    const ReadInPiecesResult pieces = ReadInPieces(reader, bytes, pieceSize);
    for (const WordListEntry& entry : pieces.entries)
        read.entries.emplace_back(entry.word, entry.interpret);
    if (pieces.result.end == WordListEnd::Unterminated)
        read.fault = pieces.result.at;
    read.cut = reader.Entries().Cut().count;
    return read;
}

TEST(OtherToolsWordListTest, DelimitedFieldsFollowTheirRulesInPiecesOfAnySize)
{
    struct Row {
        const char* name;
        DelimitedStyle style;
        std::string bytes;
        Entries expected;
    };
    const std::vector<Row> rows = {
        {"csv quotes, doubled quotes and a comma inside",
         kCommaSeparated,
         "\"a, b\",\"say \"\"hi\"\"\",extra\r\nc,d",
         {{"a, b", "say \"hi\""}, {"c", "d"}}},
        {"csv line breaks inside quotes become CR LF",
         kCommaSeparated,
         "w,\"one\ntwo\r\nthree\"\nx,y\n",
         {{"w", "one\r\ntwo\r\nthree"}, {"x", "y"}}},
        {"csv header row skipped, only as the first row",
         kCommaSeparated,
         "Word,Meaning\nword,\xE5\x8D\x95\xE8\xAF\x8D\n",
         {{"word", G("单词")}}},
        {"csv Chinese header row skipped",
         kCommaSeparated,
         "\xE5\x8D\x95\xE8\xAF\x8D,x\ncat,y",
         {{"cat", "y"}}},
        {"tsv hash lines are headers, third field ignored, blanks trimmed, blank lines none",
         kTabSeparated,
         "#separator:tab\n#html:true\n  cat \t n. cat\tignored\n\n\ndog\tbark\r\n",
         {{"cat", "n. cat"}, {"dog", "bark"}}},
        {"tsv with a byte-order mark and a row without explanation",
         kTabSeparated,
         "\xEF\xBB\xBF"
         "cat\t\xE7\x8C\xAB\nlonely\n",
         {{"cat", G("猫")}}},
        {"html made plain",
         kTabSeparated,
         "<b>cat</b>\t<div>n. cat</div><div>pl. cats</div>a<br>b<br/>c &lt;x&gt; &amp; "
         "&quot;q&quot;&nbsp;&#29483; "
         "a < b &copy; &#x; <span style=\"x\">s</span>\n",
         {{"cat", "n. cat\r\npl. cats\r\na\r\nb\r\nc <x> & \"q\" " + G("猫") + " a < b &copy; &#x; s"}}},
    };
    for (const Row& row : rows)
        for (const std::size_t pieceSize : {std::size_t{1}, std::size_t{3}, std::size_t{1} << 16}) {
            const DelimitedRead read = ReadDelimited(row.style, row.bytes, pieceSize);
            EXPECT_EQ(read.entries, row.expected) << row.name << ", pieces of " << pieceSize;
            EXPECT_FALSE(read.fault) << row.name;
        }
}

TEST(OtherToolsWordListTest, DelimitedListsKeepGbkTextAndCountWhatIsCut)
{
    const DelimitedRead gbk =
        ReadDelimited(kCommaSeparated, G("猫,") + "<br>" + G("一种动物") + "\n", 7, WordListEncoding::Gbk);
    EXPECT_EQ(gbk.entries, (Entries{{G("猫"), G("一种动物")}}));

    const DelimitedRead cut =
        ReadDelimited(kTabSeparated, "long\t" + std::string(200, 'x') + "\nshort\ty\n", 5);
    EXPECT_EQ(cut.entries, (Entries{{"long", std::string(125, 'x')}, {"short", "y"}}));
    EXPECT_EQ(cut.cut, 1u);
}

TEST(OtherToolsWordListTest, UnterminatedQuoteEndsReadingWhereTheFieldBegan)
{
    for (const std::size_t pieceSize : {std::size_t{1}, std::size_t{1} << 16}) {
        const DelimitedRead read =
            ReadDelimited(kCommaSeparated, "a,1\r\nb,2\r\nc,\"open\r\nmore\r\n", pieceSize);
        EXPECT_EQ(read.entries, (Entries{{"a", "1"}, {"b", "2"}}));
        ASSERT_TRUE(read.fault);
        EXPECT_EQ(read.fault->line, 3u);
        EXPECT_EQ(read.fault->offset, 12u);
    }
}

TEST(OtherToolsWordListTest, FormatFollowsTheExtensionOrTheTabSeparatorLine)
{
    EXPECT_EQ(WordListFileKindByName("/a.b/list.TSV"), WordListFileKind::Tsv);
    EXPECT_EQ(WordListFileKindByName("list.Csv"), WordListFileKind::Csv);
    EXPECT_EQ(WordListFileKindByName("list.json"), WordListFileKind::Json);
    EXPECT_EQ(WordListFileKindByName("/x.json/list"), WordListFileKind::Own);
    EXPECT_EQ(WordListFileKindByName("list.txt"), WordListFileKind::Own);
    EXPECT_TRUE(StartsAsTabSeparated("#separator:tab\r\ncat\tx"));
    EXPECT_TRUE(StartsAsTabSeparated("\xEF\xBB\xBF#separator:tab\ncat\tx"));
    EXPECT_FALSE(StartsAsTabSeparated("#separator:tabs\n"));
    EXPECT_FALSE(StartsAsTabSeparated("#separator:comma\n"));
}

struct JsonRead {
    Entries entries;
    WordListReadResult result;
};

// The entries as the table stores them: in GBK, cut to its widths.
JsonRead ReadJson(std::string_view bytes, std::size_t pieceSize = 5,
                  WordListEncoding encoding = WordListEncoding::Utf8)
{
    JsonReader reader({25, 125}, encoding);
    const ReadInPiecesResult pieces = ReadInPieces(reader, bytes, pieceSize);
    JsonRead read{{}, pieces.result};
    for (const WordListEntry& entry : pieces.entries)
        read.entries.emplace_back(entry.word, entry.interpret);
    return read;
}

TEST(OtherToolsWordListTest, JsonElementsGiveNameAndTrans)
{
    const JsonRead read = ReadJson(R"([{"name": "apple", "trans": ["n. 苹果", "苹果树"], "usphone": "x"},
        {"trans": "no name"}, {"name": 5, "trans": "number"}, 7, "text", [1, 2],
        {"name": "cat", "notes": {"trans": "deep", "name": "deep"}, "trans": "n. 猫"},
        {"name": "e\u00e9", "trans": [1, "x", ["y"]]}])");
    EXPECT_EQ(read.result.end, WordListEnd::Read);
    EXPECT_EQ(read.entries,
              (Entries{{"apple", G("n. 苹果\r\n苹果树")}, {"cat", G("n. 猫")}, {G("eé"), "x"}}));

    // A GBK file: its text comes out like any other.
    const JsonRead gbk = ReadJson(G(R"([{"name":"猫","trans":["一种","动物"]}])"), 3, WordListEncoding::Gbk);
    EXPECT_EQ(gbk.result.end, WordListEnd::Read);
    EXPECT_EQ(gbk.entries, (Entries{{G("猫"), G("一种\r\n动物")}}));
}

TEST(OtherToolsWordListTest, JsonFaultsSayWhereReadingStopped)
{
    struct Row {
        const char* name;
        std::string bytes;
        WordListEnd end;
        std::uint64_t line;
    };
    const std::vector<Row> rows = {
        {"object", R"({"name": "a"})", WordListEnd::NotArray, 1},
        {"scalar", "\"a\"", WordListEnd::NotArray, 1},
        {"empty", "", WordListEnd::Broken, 1},
        {"missing comma", "[\n{\"name\": \"a\", \"trans\": \"b\"}\n{\"name\": \"c\"}]", WordListEnd::Broken,
         3},
        {"unclosed", "[{\"name\": \"a\", \"trans\": \"b\"},\n", WordListEnd::Broken, 2},
        {"trailing text", "[]\nx", WordListEnd::Broken, 2},
        {"nesting", std::string(100, '['), WordListEnd::TooDeep, 1},
        {"long string", "[\"" + std::string(kJsonTokenLimit + 1, 'x') + "\"]", WordListEnd::TooLong, 1},
        {"long number", "[" + std::string(kJsonTokenLimit + 1, '1') + "]", WordListEnd::TooLong, 1},
    };
    for (const Row& row : rows) {
        const JsonRead read = ReadJson(row.bytes, 1 << 16);
        EXPECT_EQ(read.result.end, row.end) << row.name;
        EXPECT_EQ(read.result.at.line, row.line) << row.name;
    }
}

TEST(OtherToolsWordListTest, ReadersHoldBoundedMemoryWhateverTheInput)
{
    // 64 MB of one quoted CSV field, then of one JSON array on one line, in pieces of 1 MB.
    std::string unterminated = "w,\"" + std::string((64 << 20) - 3, 'q');
    DelimitedReader delimited(kCommaSeparated, {25, 125}, WordListEncoding::Utf8);
    const std::size_t before = mallinfo2().uordblks;
    std::size_t most = 0;
    const auto watch = [&] { most = std::max(most, mallinfo2().uordblks); };
    const ReadInPiecesResult csv = ReadInPieces(
        delimited, unterminated, [] { return std::size_t{1} << 20; }, watch);
    EXPECT_EQ(csv.result.end, WordListEnd::Unterminated);
    EXPECT_LT(most, before + (std::size_t{64} << 10));

    std::string elements;
    while (elements.size() < (1 << 20))
        elements += R"({"name":"word","trans":["one","two"]},)";
    std::string array = "[";
    for (int i = 0; i < 64; ++i)
        array += elements;
    array += "{}]";
    unterminated.clear();
    unterminated.shrink_to_fit();
    const std::size_t beforeJson = mallinfo2().uordblks;
    most = 0;
    JsonReader json({25, 125}, WordListEncoding::Utf8);
    std::uint64_t read = 0;
    std::size_t at = 0;
    const WordListReadResult result =
        json.Read({[&] {
                       watch();
                       const std::string_view piece =
                           std::string_view(array).substr(std::min(at, array.size()), 1 << 20);
                       at += piece.size();
                       return piece;
                   },
                   [&] { at = 0; }},
                  [&](const WordListEntry&) {
                      ++read;
                      return true;
                  });
    EXPECT_EQ(result.end, WordListEnd::Read);
    EXPECT_GT(read, 64u * 25000);
    EXPECT_LT(most, beforeJson + (std::size_t{4} << 20));
}

} // namespace
