#pragma once
// The words a fill of an empty table has stored, while its word index is dropped: found again by a
// hash of the word without letter case, each slot holding part of that hash and the record's ID, so
// a million words take 16 MiB. A slot whose hash part matches is only a candidate: the caller
// checks the record itself.

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string_view>

class WordIdSet {
public:
    // The smallest ID of the words equal to `word` without letter case (the first in word order),
    // or 0; `isWord(id)` tells whether the record `id` holds that word.
    std::int64_t Find(std::string_view word, const std::function<bool(std::int64_t id)>& isWord) const;
    // IDs are given in increasing order.
    void Add(std::string_view word, std::int64_t id);

private:
    // Open addressing; each slot: hash part << 32 | ID - firstId + 1, or 0 when free.
    struct Table {
        Table() = default;
        explicit Table(std::size_t count);
        std::int64_t Find(std::uint64_t tag, std::int64_t firstId, std::int64_t first,
                          const std::function<bool(std::int64_t id)>& isWord) const;
        void Place(std::uint64_t slot);

        std::unique_ptr<std::uint64_t[], decltype(&std::free)> slots{nullptr, &std::free};
        std::size_t size = 0;
    };

    void Grow();
    void MoveSome(std::size_t count);

    std::int64_t firstId_ = 0;
    Table table_;
    Table old_; // the table before the last growth, while its slots move
    std::size_t moved_ = 0;
    std::size_t used_ = 0;
};
