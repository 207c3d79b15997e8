#include "bench/WordListGenerator.h"

#include <malloc.h>
#include <unordered_set>

namespace {

class SplitMix {
public:
    explicit SplitMix(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Between(int low, int high) { return low + static_cast<int>(Next() % (high - low + 1)); }

private:
    std::uint64_t state_;
};

std::string MakeWord(SplitMix& random)
{
    static const char* const syllables[] = {"ab",   "ex", "in", "con",  "ter", "pro", "na",
                                            "tion", "al", "re", "ment", "st",  "qu",  "ly",
                                            "ing",  "er", "o",  "u",    "ph",  "ight"};
    const int length = random.Between(3, 20);
    std::string word;
    while (static_cast<int>(word.size()) < length)
        word += syllables[random.Next() % (sizeof syllables / sizeof *syllables)];
    word.resize(length);
    if (random.Next() % 10 == 0)
        word[0] = static_cast<char>(word[0] - 'a' + 'A');
    return word;
}

std::string MakeInterpret(SplitMix& random)
{
    static const char* const classes[] = {"n. ", "v. ", "adj. ", "adv. "};
    const int length = random.Between(10, 60);
    std::string text = classes[random.Next() % 4];
    const bool severalLines = random.Next() % 8 == 0;
    while (static_cast<int>(text.size()) + 2 <= length) {
        if (severalLines && text.size() > 12 && random.Next() % 6 == 0 && text.back() != '\n' &&
            static_cast<int>(text.size()) + 4 <= length)
            text += "\r\n";
        // GB2312 characters: first byte 0xB0..0xD7, second 0xA1..0xFE.
        text += static_cast<char>(random.Between(0xB0, 0xD7));
        text += static_cast<char>(random.Between(0xA1, 0xFE));
    }
    return text;
}

std::string Lower(std::string word)
{
    for (char& c : word)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return word;
}

} // namespace

std::vector<GeneratedWord> GenerateWordList(std::size_t count, std::uint64_t seed)
{
    SplitMix random(seed);
    std::vector<GeneratedWord> words;
    words.reserve(count);
    {
        std::unordered_set<std::string> seen;
        while (words.size() < count) {
            std::string word = MakeWord(random);
            if (!seen.insert(Lower(word)).second)
                continue;
            words.push_back({std::move(word), MakeInterpret(random)});
        }
    }
    // A million small blocks were just freed: merging them now keeps that work (half a second at
    // 1M words) out of the first timed action that asks for a large block.
    malloc_trim(0);
    return words;
}

namespace {

// A Chinese sense in UTF-8: its class and two to five GB2312 characters.
std::string MakeSense(SplitMix& random)
{
    static const char* const classes[] = {"n. ", "v. ", "adj. ", "adv. "};
    std::string sense = classes[random.Next() % 4];
    const int characters = random.Between(2, 5);
    for (int i = 0; i < characters; ++i) {
        // U+4E00..U+7FFF, most of them GB2312 characters.
        const unsigned code = 0x4E00 + static_cast<unsigned>(random.Next() % 0x3000);
        sense += static_cast<char>(0xE0 | (code >> 12));
        sense += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        sense += static_cast<char>(0x80 | (code & 0x3F));
    }
    return sense;
}

} // namespace

std::string GenerateDictionaryCsv(std::size_t rows, std::uint64_t seed)
{
    SplitMix random(seed);
    std::string csv =
        "word,phonetic,definition,translation,pos,collins,oxford,tag,bnc,frq,exchange,detail,audio\n";
    std::unordered_set<std::string> seen;
    for (std::size_t row = 0; row < rows;) {
        std::string word = MakeWord(random);
        if (random.Next() % 25 == 0) // a phrase longer than the field
            while (word.size() <= 25)
                word += ' ' + MakeWord(random);
        if (!seen.insert(Lower(word)).second)
            continue;
        ++row;
        std::string translation = MakeSense(random);
        if (random.Next() % 2 == 0)
            translation += "\\n" + MakeSense(random);
        if (random.Next() % 1000 == 0)
            translation += " \xF0\x9F\x98\x80"; // beyond GBK
        csv += word + ",/" + word.substr(0, 4) + "\xCB\x88\xC9\x99/,\"n. a " + word + ", as said\"," +
               translation + ",n:60/v:40," + std::to_string(random.Next() % 6) + "," +
               std::to_string(random.Next() % 2) + ",zk gk cet4," + std::to_string(random.Next() % 20000) +
               "," + std::to_string(random.Next() % 20000) + ",s:" + word + "s,,\n";
    }
    return csv;
}
