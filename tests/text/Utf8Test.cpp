#include "text/Utf8.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string_view>

namespace {

struct SequenceCase {
    const char* name;
    std::string_view bytes;
    std::size_t length; // 0: no valid sequence starts at the first byte
};

// The edges of each lead's range: the last value before a gap is valid, the first inside it is not.
TEST(Utf8, SequencesAreValidExactlyUpToTheEdgesOfTheirRanges)
{
    const SequenceCase cases[] = {
        {"lowest two-byte", "\xC2\x80", 2},
        {"overlong two-byte", "\xC1\xBF", 0},
        {"lowest three-byte", "\xE0\xA0\x80", 3},
        {"overlong three-byte", "\xE0\x9F\xBF", 0},
        {"last before the surrogates", "\xED\x9F\xBF", 3},
        {"first surrogate", "\xED\xA0\x80", 0},
        {"last surrogate", "\xED\xBF\xBF", 0},
        {"first after the surrogates", "\xEE\x80\x80", 3},
        {"lowest four-byte", "\xF0\x90\x80\x80", 4},
        {"overlong four-byte", "\xF0\x8F\xBF\xBF", 0},
        {"highest code point", "\xF4\x8F\xBF\xBF", 4},
        {"past the highest code point", "\xF4\x90\x80\x80", 0},
        {"cut off", "\xE6\xB1", 0},
        {"bad second continuation", "\xE6\xB1\x41", 0},
        {"lone continuation", "\x80", 0},
        {"ASCII", "a", 0},
    };
    for (const SequenceCase& c : cases)
        EXPECT_EQ(utf8::SequenceAt(c.bytes, 0), c.length) << c.name;
}

} // namespace
