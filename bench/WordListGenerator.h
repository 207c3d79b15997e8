#pragma once
// Deterministic word lists for benchmarks: English-like headwords of 3-20 letters, unique without
// regard to case, with GBK explanations of 10-60 bytes, some of them over several lines.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct GeneratedWord {
    std::string word;
    std::string interpret;
};

std::vector<GeneratedWord> GenerateWordList(std::size_t count, std::uint64_t seed = 1);

// A dictionary exported as CSV (UTF-8), with a header row of thirteen columns: word, phonetic,
// definition, translation, pos, collins, oxford, tag, bnc, frq, exchange, detail, audio. The
// translation holds the Chinese senses, separated by the two characters "\n"; a median
// translation takes 17 bytes in GBK. 4 % of the words are phrases longer than 25 bytes, and 0.1 %
// of the translations hold a character GBK cannot hold.
std::string GenerateDictionaryCsv(std::size_t rows, std::uint64_t seed = 2);
