#include "dict/WordIdSet.h"

#include "dict/WordHash.h"

#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t kFirstSlots = 1024;
// Slots of the old table moved per addition while the set grows: the old table (twice the words
// it held when the growing began) is emptied long before the new one is full in turn.
constexpr std::size_t kMovedPerAddition = 4;

} // namespace

WordIdSet::Table::Table(std::size_t count)
    : slots(static_cast<std::uint64_t*>(std::calloc(count, sizeof(std::uint64_t))), &std::free), size(count)
{
    // Zeroed pages of a large allocation are only mapped, not written: each is touched first by the
    // additions that fill it, instead of all of them at once when the set grows.
    if (!slots)
        throw std::bad_alloc();
}

std::int64_t WordIdSet::Table::Find(std::uint64_t tag, std::int64_t firstId, std::int64_t first,
                                    const std::function<bool(std::int64_t id)>& isWord) const
{
    if (size == 0)
        return first;
    const std::size_t mask = size - 1;
    for (std::size_t i = tag & mask; slots[i] != 0; i = (i + 1) & mask) {
        if (slots[i] >> 32 != tag)
            continue;
        const std::int64_t id = firstId + static_cast<std::int64_t>(slots[i] & 0xFFFFFFFFu) - 1;
        if ((first == 0 || id < first) && isWord(id))
            first = id;
    }
    return first;
}

void WordIdSet::Table::Place(std::uint64_t slot)
{
    // A slot's place follows from its hash part alone, so moving it needs no word.
    const std::size_t mask = size - 1;
    std::size_t i = (slot >> 32) & mask;
    while (slots[i] != 0)
        i = (i + 1) & mask;
    slots[i] = slot;
}

std::int64_t WordIdSet::Find(std::string_view word, const std::function<bool(std::int64_t id)>& isWord) const
{
    // A slot not yet moved out of the old table is found there; one already moved, in both.
    const std::uint64_t tag = WordHashNoCase(word) >> 32;
    return old_.Find(tag, firstId_, table_.Find(tag, firstId_, 0, isWord), isWord);
}

void WordIdSet::Add(std::string_view word, std::int64_t id)
{
    if (used_ == 0)
        firstId_ = id;
    if (2 * (used_ + 1) > table_.size)
        Grow();
    table_.Place(WordHashNoCase(word) >> 32 << 32 | static_cast<std::uint64_t>(id - firstId_ + 1));
    ++used_;
    MoveSome(kMovedPerAddition);
}

void WordIdSet::Grow()
{
    // The slots move to a table twice as large a few at a time, with the additions that follow,
    // instead of all at once: a million words would otherwise stop the import for a moment.
    MoveSome(old_.size);
    old_ = std::move(table_);
    table_ = Table(old_.size == 0 ? kFirstSlots : 2 * old_.size);
    moved_ = 0;
}

void WordIdSet::MoveSome(std::size_t count)
{
    for (; count > 0 && moved_ < old_.size; --count, ++moved_)
        if (old_.slots[moved_] != 0)
            table_.Place(old_.slots[moved_]);
    if (old_.size > 0 && moved_ == old_.size)
        old_ = Table();
}
