#pragma once
// The words a fill of an empty table has stored, while its word index is dropped: found again by a
// hash of the word without letter case. Each record added has an entry of 8 bytes (part of that
// hash and the next entry of its chain), found by its ID, and each chain starts in a table of 4
// bytes per bucket with a bucket for every word or two, so a million words take 12 MiB. An entry
// whose hash part matches is only a candidate: the caller checks the record itself.

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class WordIdSet {
public:
    // The smallest ID of the words equal to `word` without letter case (the first in word order),
    // or 0; `isWord(id)` tells whether the record `id` holds that word.
    std::int64_t Find(std::string_view word, const std::function<bool(std::int64_t id)>& isWord) const;
    // IDs are given in increasing order; a fill's IDs follow each other, and gaps only cost the
    // entries they leave empty.
    void Add(std::string_view word, std::int64_t id);

private:
    struct Entry {
        std::uint32_t tag = 0;  // part of the word's hash, never 0 in a used entry
        std::uint32_t next = 0; // the chain's next entry: its ID - firstId + 1, or 0 at the end
    };
    using Memory = std::unique_ptr<void, decltype(&std::free)>;

    std::uint32_t TagOf(std::string_view word) const;
    // Zeroed memory of `count` items of `size` bytes.
    static Memory Zeroed(std::size_t count, std::size_t size);
    Entry& At(std::uint32_t offset) const;
    std::uint32_t& Head(std::uint32_t tag) const;
    void Link(std::uint32_t offset);
    // Every chain made again over twice the buckets.
    void Grow();

    std::int64_t firstId_ = 0;
    std::vector<Memory> blocks_; // the entries, a block of them per allocation
    Memory heads_{nullptr, &std::free};
    int bucketBits_ = 0;
    std::uint32_t end_ = 0; // one past the last entry's offset
    std::size_t used_ = 0;
    mutable std::string lastWord_; // the word whose tag was taken last, and that tag
    mutable std::uint32_t lastTag_ = 0;
};
