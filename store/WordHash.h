#pragma once
// A hash of a word as the table compares words (single-byte letters without case), for sets that
// find words again without the word index.

#include <cstdint>
#include <string_view>

std::uint64_t WordHashNoCase(std::string_view word);
