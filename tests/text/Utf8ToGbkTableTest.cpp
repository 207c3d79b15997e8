#include "text/GbkCodec.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

std::string Utf8Of(char32_t code)
{
    std::string utf8;
    if (code < 0x80) {
        utf8 += static_cast<char>(code);
    } else if (code < 0x800) {
        utf8 += static_cast<char>(0xC0 | (code >> 6));
        utf8 += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        utf8 += static_cast<char>(0xE0 | (code >> 12));
        utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (code & 0x3F));
    }
    return utf8;
}

TEST(Utf8ToGbk, TheTableConvertsEveryCharacterAsIconvDoes)
{
    int held = 0;
    for (char32_t code = 1; code < 0x10000; ++code) {
        if (code >= 0xD800 && code <= 0xDFFF)
            continue;
        const std::string utf8 = "a" + Utf8Of(code) + "b";
        const auto expected = gbk::FromUtf8(utf8);
        const gbk::GbkStart start = gbk::FromUtf8Start(utf8);
        ASSERT_EQ(start.whole, expected.has_value()) << std::hex << static_cast<std::uint32_t>(code);
        ASSERT_EQ(start.bytes, expected ? *expected : "a") << std::hex << static_cast<std::uint32_t>(code);
        held += expected.has_value();
    }
    EXPECT_GT(held, 21000); // GBK's characters, beside ASCII
}

TEST(Utf8ToGbk, ConversionStopsAtWhatIsNoValidUtf8OrBeyondGbk)
{
    const std::string han = *gbk::FromUtf8("汉");
    for (const char* tail : {"\xF0\x9F\x98\x80", "\xC0\xAF", "\xC1\xBF", "\xE0\x80\xAF", "\xED\xA0\x80",
                             "\xE6\xB1", "\x80", "\xFF", "\xF4\x8F\xBF\xBF"}) {
        const gbk::GbkStart start = gbk::FromUtf8Start(std::string("ab汉") + tail + "cd");
        EXPECT_FALSE(start.whole) << tail;
        EXPECT_EQ(start.bytes, "ab" + han) << tail;
    }
    const gbk::GbkStart euro = gbk::FromUtf8Start("€1");
    EXPECT_TRUE(euro.whole);
    EXPECT_EQ(euro.bytes, "\x80"
                          "1");
    EXPECT_TRUE(gbk::FromUtf8Start("").whole);
}

} // namespace
