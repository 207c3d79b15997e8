#include "text/GbkText.h"

#include "support/Gbk.h"
#include "text/GbkCodec.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>

TEST(GbkText, TrimRemovesControlBytesAndBlanksAtBothEndsOnly)
{
    EXPECT_EQ(gbk::Trim(" \t\r\n apple pie \x01\x20"), "apple pie");
    EXPECT_EQ(gbk::Trim(" \t "), "");
    EXPECT_EQ(gbk::Trim(G(" 苹果 ")), G("苹果"));
}

TEST(GbkText, FoldingNeverTouchesTheSecondByteOfATwoByteCharacter)
{
    // 0x81 0x61 and 0x81 0x41 are two different characters whose second bytes look like 'a' and 'A'.
    const std::string lowerTrail = "\x81\x61";
    const std::string upperTrail = "\x81\x41";
    EXPECT_EQ(gbk::UpperCase(lowerTrail), lowerTrail);
    EXPECT_FALSE(gbk::EqualNoCase(lowerTrail, upperTrail));
    EXPECT_NE(gbk::CompareNoCase("x" + lowerTrail, "x" + upperTrail), 0);
    EXPECT_EQ(gbk::UpperCase("ab\x81\x61"
                             "cd"),
              "AB\x81\x61"
              "CD");
    // Full-width letters are two-byte characters and stay as they are.
    EXPECT_EQ(gbk::UpperCase(G("ａ")), G("ａ"));
}

TEST(GbkText, ComparisonIgnoresLetterCaseOnlyAndOrdersShorterFirst)
{
    EXPECT_EQ(gbk::CompareNoCase("Apple", "aPPLE"), 0);
    EXPECT_LT(gbk::CompareNoCase("apple", "apples"), 0);
    EXPECT_LT(gbk::CompareNoCase("apple", "B"), 0);
    EXPECT_GT(gbk::CompareNoCase("_", "a"), 0); // letters compare as capitals, which sort before '_'
    EXPECT_TRUE(gbk::StartsWithNoCase("International", "INTER"));
    EXPECT_FALSE(gbk::StartsWithNoCase("in", "inter"));
}

// The rule itself, one character at a time: single-byte letters fold, two-byte characters compare
// whole, then the shorter text comes first.
int CompareCharacterByCharacter(const std::string& a, const std::string& b)
{
    std::size_t i = 0;
    for (; i < a.size() && i < b.size(); ++i) {
        const bool pair = gbk::IsLeadByte(a, i) && gbk::IsLeadByte(b, i);
        int x = static_cast<unsigned char>(a[i]);
        int y = static_cast<unsigned char>(b[i]);
        if (x != y || !pair) {
            x = gbk::IsLeadByte(a, i) ? x : std::toupper(x);
            y = gbk::IsLeadByte(b, i) ? y : std::toupper(y);
            if (x != y)
                return x < y ? -1 : 1;
            continue;
        }
        ++i; // equal lead bytes: the second bytes compare unfolded
        if (i < a.size() && i < b.size() && a[i] != b[i])
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]) ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

TEST(GbkText, ComparisonAgreesWithTheRuleOnTextsThatShareLongBeginnings)
{
    // Letters of both cases, lead bytes and second bytes that look like letters, in texts that
    // agree for up to a few dozen bytes before they differ.
    const std::string bytes = "aAzZ@[_ \x81\xFE\x80\x7F\x41\x61";
    std::mt19937 random(7);
    const auto text = [&](std::size_t length) {
        std::string made;
        for (std::size_t i = 0; i < length; ++i)
            made += bytes[random() % bytes.size()];
        return made;
    };
    for (int round = 0; round < 20000; ++round) {
        const std::string shared = text(random() % 40);
        std::string a = shared + text(random() % 4);
        std::string b = shared + text(random() % 4);
        if (round % 3 == 0)
            for (char& c : b)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const int expected = CompareCharacterByCharacter(a, b);
        ASSERT_EQ(gbk::CompareNoCase(a, b), expected)
            << testing::PrintToString(a) << " vs " << testing::PrintToString(b);
        ASSERT_EQ(gbk::CompareNoCase(b, a), -expected);
    }
}

TEST(GbkText, CuttingToAWidthNeverSplitsACharacter)
{
    const std::string word = G("苹果"); // 4 bytes
    EXPECT_EQ(gbk::CutToWidth("a" + word, 4),
              "a" + G("苹")); // 5 bytes cut to 4: the second character would split
    EXPECT_EQ(gbk::CutToWidth(word, 4), word);
    EXPECT_EQ(gbk::CutToWidth(std::string(30, 'x'), 25), std::string(25, 'x'));
    // A lone lead byte at the very end is one byte, not half a character.
    EXPECT_EQ(gbk::CutToWidth("ab\x81", 3), "ab\x81");
}

TEST(GbkCodec, RoundTripsAndRefusesWhatGbkCannotHold)
{
    EXPECT_EQ(gbk::ToUtf8(G("词典 dictionary")), "词典 dictionary");
    EXPECT_EQ(gbk::FromUtf8("\xE2\x82\xAC"), std::optional<std::string>("\x80")); // the euro sign is one byte
    EXPECT_FALSE(gbk::FromUtf8("emoji \xF0\x9F\x98\x80").has_value());
    EXPECT_FALSE(gbk::FromUtf8("\xFF not utf-8").has_value());
    EXPECT_EQ(gbk::ToUtf8("a\xFF"
                          "b"),
              "a\xEF\xBF\xBD"
              "b");
}

TEST(GbkCodec, ShownTextMarksWhatGbkCannotHoldOneMarkPerCharacter)
{
    EXPECT_EQ(gbk::FromUtf8Lossy("词典.txt"), G("词典.txt"));
    // A character outside GBK, however many bytes long, is one mark; so is each stray byte.
    EXPECT_EQ(gbk::FromUtf8Lossy("a\xF0\x9F\x98\x80"
                                 "b\xFF\xFE"
                                 "c"),
              "a?b??c");
    // A sequence cut short marks each of its bytes and loses nothing after it.
    EXPECT_EQ(gbk::FromUtf8Lossy("\xE8\xAF"
                                 "d"),
              "??d");
    EXPECT_EQ(gbk::FromUtf8Lossy("end\xE8\xAF"), "end??");
}
