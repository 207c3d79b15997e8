#include "dict/WordIdSet.h"

#include "platform/GbkText.h"

#include <string>

namespace {

constexpr std::size_t kFirstSlots = 1024;

} // namespace

std::uint64_t WordIdSet::Hash(std::string_view word)
{
    const std::string folded = gbk::UpperCase(word);
    return std::hash<std::string_view>{}(folded);
}

std::int64_t WordIdSet::Find(std::string_view word, const std::function<bool(std::int64_t id)>& isWord) const
{
    if (slots_.empty())
        return 0;
    const std::uint64_t tag = Hash(word) >> 32;
    const std::size_t mask = slots_.size() - 1;
    std::int64_t first = 0;
    for (std::size_t i = tag & mask; slots_[i] != 0; i = (i + 1) & mask) {
        if (slots_[i] >> 32 != tag)
            continue;
        const std::int64_t id = firstId_ + static_cast<std::int64_t>(slots_[i] & 0xFFFFFFFFu) - 1;
        if ((first == 0 || id < first) && isWord(id))
            first = id;
    }
    return first;
}

void WordIdSet::Add(std::string_view word, std::int64_t id)
{
    if (used_ == 0)
        firstId_ = id;
    if (2 * (used_ + 1) > slots_.size())
        Grow();
    const std::uint64_t tag = Hash(word) >> 32;
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = tag & mask;
    while (slots_[i] != 0)
        i = (i + 1) & mask;
    slots_[i] = tag << 32 | static_cast<std::uint64_t>(id - firstId_ + 1);
    ++used_;
}

void WordIdSet::Grow()
{
    // A slot's place follows from its hash part alone, so the words are not needed to move it.
    std::vector<std::uint64_t> old(slots_.empty() ? kFirstSlots : 2 * slots_.size(), 0);
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const std::uint64_t slot : old) {
        if (slot == 0)
            continue;
        std::size_t i = (slot >> 32) & mask;
        while (slots_[i] != 0)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
}
