#include "wordlist/JsonShapeCheck.h"

#include "wordlist/CheckedJsonReading.h"
#include "wordlist/JsonParsing.h"

#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>
#include <random>
#include <string>

namespace {

bool Whole(std::string_view bytes, std::size_t piece = 3)
{
    JsonShapeCheck shape(1 << 20, 64);
    for (std::size_t at = 0; at < bytes.size(); at += piece)
        shape.Feed(bytes.substr(at, piece));
    shape.Feed({});
    return shape.Whole();
}

// What the reader itself takes: an array, parsed whole, nested no deeper than its limit.
bool ParserReadsIt(const std::string& bytes)
{
    nlohmann::json parsed;
    try {
        parsed = nlohmann::json::parse(bytes);
    } catch (const nlohmann::json::exception&) {
        return false;
    }
    std::function<int(const nlohmann::json&)> depth = [&](const nlohmann::json& value) {
        int deepest = 0;
        if (value.is_structured())
            for (const auto& inner : value)
                deepest = std::max(deepest, depth(inner));
        return deepest + (value.is_structured() ? 1 : 0);
    };
    return parsed.is_array() && depth(parsed) <= 64;
}

// Every entry a reading hands out, with its line, and how it ended, the file given `piece` bytes at
// a time.
std::string Entries(const std::string& bytes, std::size_t piece, bool parse)
{
    std::size_t at = 0;
    const auto next = [&] {
        const std::string_view part = std::string_view(bytes).substr(std::min(at, bytes.size()), piece);
        at += piece;
        return part;
    };
    std::string seen;
    const auto entry = [&](std::string_view word, std::string_view trans, std::uint64_t line) {
        seen += std::to_string(line) + ":" + std::string(word) + "=" + std::string(trans) + ";";
        return true;
    };
    const WordListReadResult read =
        parse ? ParseJson(next, WordListEncoding::Utf8, entry) : ReadCheckedJson(next, entry);
    return seen + "end " + std::to_string(static_cast<int>(read.end));
}

TEST(JsonShapeCheck, TellsWholeOnlyWhatTheParserReadsThrough)
{
    struct Row {
        const char* name;
        std::string bytes;
        bool whole;
    };
    const std::vector<Row> rows = {
        {"a list", R"([{"name": "a", "trans": ["n. 苹果", "x"]}, {"name": "b\u00e9\n", "n": -0.5e+3}])",
         true},
        {"with the mark and blanks", "\xEF\xBB\xBF [ true , false , null ] \r\n", true},
        {"empty", "", false},
        {"an object", R"({"name": "a"})", false},
        {"a leading zero", "[01]", false},
        {"a bare point", "[1.]", false},
        {"a trailing comma", "[1,]", false},
        {"a lone surrogate", R"(["\ud800"])", false},
        {"a control character", "[\"a\tb\"]", false},
        {"a broken sequence", "[\"\xE8\x8B\"]", false},
        {"text after it", "[] x", false},
        {"too deep", std::string(65, '[') + std::string(65, ']'), false},
        {"deep enough", std::string(64, '[') + std::string(64, ']'), true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Whole(row.bytes), row.whole) << row.name;
        EXPECT_EQ(Whole(row.bytes, 1), row.whole) << row.name;
    }

    // Whatever a damaged list looks like, what is told whole, the parser reads through.
    std::mt19937 random(7);
    const std::string alphabet = "[]{}\":,.-+eE0123456789 \\unrtfalse\xE8\x8B\xB9\x01";
    const std::string lists[] = {
        rows[0].bytes,
        "\xEF\xBB\xBF[{\"trans\": [\"a\", [\"x\"], {\"n\": \"y\"}, \"b\\u4e2d\\t\\/\"], \"name\": \"w\",\n"
        "\"name\": \"v\", \"x\": [1, true, null]}, [\"s\"], 7, {\"name\": 1}, {\"trans\": \"t\", \"name\": "
        "\"\"}]",
    };
    for (int file = 0; file < 20000; ++file) {
        std::string bytes = lists[file % 2];
        for (int change = 1 + static_cast<int>(random() % 3); change > 0; --change) {
            const std::size_t at = random() % (bytes.size() + 1);
            const char c = alphabet[random() % alphabet.size()];
            switch (random() % 3) {
            case 0:
                bytes.insert(at, 1, c);
                break;
            case 1:
                if (at < bytes.size())
                    bytes.erase(at, 1);
                break;
            default:
                if (at < bytes.size())
                    bytes[at] = c;
            }
        }
        if (Whole(bytes, 1 + random() % 7)) {
            ASSERT_TRUE(ParserReadsIt(bytes)) << bytes;
            // And read without the parser, it gives what the parser gives.
            ASSERT_EQ(Entries(bytes, 1 + random() % 7, false), Entries(bytes, 4096, true)) << bytes;
        }
    }
}

} // namespace
