#pragma once
// The words a fill of an empty table has stored, while its word index is dropped: found again by a
// hash of the word without letter case, each slot holding part of that hash and the record's ID, so
// a million words take 16 MiB. A slot whose hash part matches is only a candidate: the caller
// checks the record itself.

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

class WordIdSet {
public:
    // The smallest ID of the words equal to `word` without letter case (the first in word order),
    // or 0; `isWord(id)` tells whether the record `id` holds that word.
    std::int64_t Find(std::string_view word, const std::function<bool(std::int64_t id)>& isWord) const;
    // IDs are given in increasing order.
    void Add(std::string_view word, std::int64_t id);

private:
    static std::uint64_t Hash(std::string_view word);
    void Grow();

    std::int64_t firstId_ = 0;
    std::vector<std::uint64_t>
        slots_; // hash part << 32 | ID - firstId + 1; 0 when free; placed by the hash part
    std::size_t used_ = 0;
};
