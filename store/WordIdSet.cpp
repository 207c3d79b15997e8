#include "store/WordIdSet.h"

#include "store/WordHash.h"

#include <new>

namespace {

constexpr int kFirstBucketBits = 10;
// Entries come in blocks, so that the set grows without copying them; 512 KiB each, which the heap
// maps on its own and gives back to the system when the set ends.
constexpr int kBlockBits = 16;
constexpr std::uint32_t kInBlock = (1u << kBlockBits) - 1;

} // namespace

std::uint32_t WordIdSet::TagOf(std::string_view word) const
{
    // A fill seeks each word before it adds it: the second time, the tag is known.
    if (lastTag_ == 0 || word != lastWord_) {
        lastWord_.assign(word);
        lastTag_ = static_cast<std::uint32_t>(WordHashNoCase(word) >> 32) | 1u;
    }
    return lastTag_;
}

WordIdSet::Memory WordIdSet::Zeroed(std::size_t count, std::size_t size)
{
    // Zeroed pages of a large allocation are only mapped, not written: each is touched first by
    // the additions that fill it.
    Memory memory(std::calloc(count, size), &std::free);
    if (!memory)
        throw std::bad_alloc();
    return memory;
}

WordIdSet::Entry& WordIdSet::At(std::uint32_t offset) const
{
    return static_cast<Entry*>(blocks_[offset >> kBlockBits].get())[offset & kInBlock];
}

std::uint32_t& WordIdSet::Head(std::uint32_t tag) const
{
    // The bucket is the tag's top bits: the tag alone places an entry, so growing needs no word.
    return static_cast<std::uint32_t*>(heads_.get())[tag >> (32 - bucketBits_)];
}

std::int64_t WordIdSet::Find(std::string_view word, const std::function<bool(std::int64_t id)>& isWord) const
{
    if (used_ == 0)
        return 0;
    const std::uint32_t tag = TagOf(word);
    std::int64_t first = 0;
    // A chain runs from the latest entry back to the earliest, so every later match is an earlier ID.
    for (std::uint32_t link = Head(tag); link != 0; link = At(link - 1).next) {
        if (At(link - 1).tag != tag)
            continue;
        const std::int64_t id = firstId_ + link - 1;
        if (isWord(id))
            first = id;
    }
    return first;
}

void WordIdSet::Add(std::string_view word, std::int64_t id)
{
    if (used_ == 0) {
        firstId_ = id;
        bucketBits_ = kFirstBucketBits;
        heads_ = Zeroed(std::size_t{1} << bucketBits_, sizeof(std::uint32_t));
    }
    const auto offset = static_cast<std::uint32_t>(id - firstId_);
    while (blocks_.size() <= offset >> kBlockBits)
        blocks_.emplace_back(nullptr, &std::free);
    if (!blocks_[offset >> kBlockBits])
        blocks_[offset >> kBlockBits] = Zeroed(kInBlock + 1, sizeof(Entry));
    At(offset).tag = TagOf(word);
    Link(offset);
    end_ = offset + 1;
    if (++used_ > std::size_t{1} << bucketBits_)
        Grow();
}

void WordIdSet::Link(std::uint32_t offset)
{
    Entry& entry = At(offset);
    std::uint32_t& head = Head(entry.tag);
    entry.next = head;
    head = offset + 1;
}

void WordIdSet::Grow()
{
    // The chains are made again at once: one pass over 8 bytes a word, a few milliseconds at half
    // a million words, and no second copy of the entries meanwhile.
    heads_.reset();
    ++bucketBits_;
    heads_ = Zeroed(std::size_t{1} << bucketBits_, sizeof(std::uint32_t));
    for (std::uint32_t offset = 0; offset < end_; ++offset)
        if (blocks_[offset >> kBlockBits] && At(offset).tag != 0)
            Link(offset);
}
