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
