#include "support/Gbk.h"
#include "support/ReadInPieces.h"
#include "wordlist/DelimitedWordListReader.h"
#include "wordlist/JsonWordListReader.h"
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
    DelimitedWordListReader reader(style, 125, 25, encoding);
    DelimitedRead read;
    ReadInPieces(reader, bytes, pieceSize,
                 [&](const WordListEntry& entry) { read.entries.emplace_back(entry.word, entry.interpret); });
    read.fault = reader.Fault();
    read.cut = reader.Entries().Cut();
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
    JsonReadResult result;
};

JsonRead ReadJson(std::string_view bytes, std::size_t pieceSize = 5,
                  WordListEncoding encoding = WordListEncoding::Utf8)
{
    JsonRead read;
    std::size_t at = 0;
    read.result = ReadJsonWordList(
        [&] {
            const std::string_view piece = bytes.substr(std::min(at, bytes.size()), pieceSize);
            at += pieceSize;
            return piece;
        },
        encoding,
        [&](std::string_view word, std::string_view interpret) {
            read.entries.emplace_back(word, interpret);
            return true;
        });
    return read;
}

TEST(OtherToolsWordListTest, JsonElementsGiveNameAndTrans)
{
    const JsonRead read = ReadJson(R"([{"name": "apple", "trans": ["n. 苹果", "苹果树"], "usphone": "x"},
        {"trans": "no name"}, {"name": 5, "trans": "number"}, 7, "text", [1, 2],
        {"name": "cat", "notes": {"trans": "deep", "name": "deep"}, "trans": "n. 猫"},
        {"name": "e\u00e9", "trans": [1, "x", ["y"]]}])");
    EXPECT_EQ(read.result.end, JsonReadEnd::Read);
    EXPECT_EQ(read.entries, (Entries{{"apple", "n. 苹果\r\n苹果树"}, {"cat", "n. 猫"}, {"eé", "x"}}));

    // A GBK file: its text comes out in UTF-8 like any other.
    const JsonRead gbk = ReadJson(G(R"([{"name":"猫","trans":["一种","动物"]}])"), 3, WordListEncoding::Gbk);
    EXPECT_EQ(gbk.result.end, JsonReadEnd::Read);
    EXPECT_EQ(gbk.entries, (Entries{{"猫", "一种\r\n动物"}}));
}

TEST(OtherToolsWordListTest, JsonFaultsSayWhereReadingStopped)
{
    struct Row {
        const char* name;
        std::string bytes;
        JsonReadEnd end;
        std::uint64_t line;
    };
    const std::vector<Row> rows = {
        {"object", R"({"name": "a"})", JsonReadEnd::NotArray, 1},
        {"scalar", "\"a\"", JsonReadEnd::NotArray, 1},
        {"empty", "", JsonReadEnd::Broken, 1},
        {"missing comma", "[\n{\"name\": \"a\", \"trans\": \"b\"}\n{\"name\": \"c\"}]", JsonReadEnd::Broken,
         3},
        {"unclosed", "[{\"name\": \"a\", \"trans\": \"b\"},\n", JsonReadEnd::Broken, 2},
        {"trailing text", "[]\nx", JsonReadEnd::Broken, 2},
        {"nesting", std::string(100, '['), JsonReadEnd::TooDeep, 1},
        {"long string", "[\"" + std::string(kJsonTokenLimit + 1, 'x') + "\"]", JsonReadEnd::TooLong, 1},
        {"long number", "[" + std::string(kJsonTokenLimit + 1, '1') + "]", JsonReadEnd::TooLong, 1},
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
    const std::string quoted(1 << 20, 'q');
    DelimitedWordListReader delimited(kCommaSeparated, 125, 25, WordListEncoding::Utf8);
    const std::size_t before = mallinfo2().uordblks;
    std::size_t most = 0;
    std::optional<WordListEntry> completed;
    delimited.Feed("w,\"");
    EXPECT_FALSE(delimited.ReadLine(completed));
    for (int i = 0; i < 64; ++i) {
        delimited.Feed(quoted);
        EXPECT_FALSE(delimited.ReadLine(completed));
        most = std::max(most, mallinfo2().uordblks);
    }
    EXPECT_LT(most, before + (std::size_t{64} << 10));

    std::string elements;
    while (elements.size() < (1 << 20))
        elements += R"({"name":"word","trans":["one","two"]},)";
    int pieces = 0;
    std::uint64_t read = 0;
    const JsonReadResult result = ReadJsonWordList(
        [&]() -> std::string_view {
            ++pieces;
            most = std::max(most, mallinfo2().uordblks);
            if (pieces == 1)
                return "[";
            if (pieces <= 65)
                return elements;
            return pieces == 66 ? "{}]" : "";
        },
        WordListEncoding::Utf8,
        [&](std::string_view, std::string_view) {
            ++read;
            return true;
        });
    EXPECT_EQ(result.end, JsonReadEnd::Read);
    EXPECT_GT(read, 64u * 25000);
    EXPECT_LT(most, before + (std::size_t{4} << 20));
}

} // namespace
