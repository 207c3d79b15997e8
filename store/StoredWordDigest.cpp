#include "store/StoredWordDigest.h"

#include "store/DictTable.h"
#include "store/WordHash.h"
#include "store/WorkWhileWaiting.h"
#include "text/GbkText.h"

#include <algorithm>
#include <bit>
#include <string>

namespace {

// Below this many records most pages a seek per entry needs stay in memory (a re-import of 100k
// words takes a fifth of a second): reading the table first gains little.
constexpr int kMinRecords = 100000;
// A word-list line takes about 60 bytes; a file of at least a tenth as many lines as the table has
// records pays for reading the table once.
constexpr std::uint64_t kMinFileBytesPerRecord = 6;
// Words per bucket of the directory, about: a search inside one bucket reads one or two cache lines.
constexpr int kBucketWordsBits = 3;
constexpr std::uint64_t kForgotten = 0;

std::uint64_t InterpretHash(std::string_view interpret)
{
    const std::uint64_t hash = std::hash<std::string_view>{}(interpret);
    return hash == kForgotten ? kForgotten + 1 : hash;
}

} // namespace

bool StoredWordDigest::WorthReading(std::uint64_t fileBytes, int records)
{
    return records >= kMinRecords &&
           fileBytes / kMinFileBytesPerRecord >= static_cast<std::uint64_t>(records);
}

StoredWordDigest::StoredWordDigest(TDictTable& table, const std::function<bool()>& keepGoing,
                                   const std::function<void()>& whileSorting)
{
    words_.reserve(static_cast<std::size_t>(table.RecordCount()));
    bool complete = true;
    table.ReadStored([&](std::string_view word, std::string_view interpret) {
        words_.push_back({WordHashNoCase(word), InterpretHash(interpret)});
        complete = keepGoing();
        return complete;
    });
    if (!complete)
        words_.clear();
    // A million words take a tenth of a second to sort: time the window spends taking its events.
    RunWhileWaiting([this] { Sort(); }, whileSorting);
}

void StoredWordDigest::Sort()
{
    std::sort(words_.begin(), words_.end(), [](const Word& a, const Word& b) { return a.word < b.word; });
    // A hash met more than once (a word stored several times, or two words whose hashes meet) tells
    // nothing certain about either record: all of them go.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < words_.size();) {
        std::size_t end = i + 1;
        while (end < words_.size() && words_[end].word == words_[i].word)
            ++end;
        if (end == i + 1)
            words_[kept++] = words_[i];
        i = end;
    }
    words_.resize(kept);

    bucketBits_ = std::max(1, static_cast<int>(std::bit_width(words_.size())) - kBucketWordsBits);
    buckets_.assign((std::size_t{1} << bucketBits_) + 1, 0);
    std::size_t at = 0;
    for (std::size_t bucket = 0; bucket + 1 < buckets_.size(); ++bucket) {
        buckets_[bucket] = static_cast<std::uint32_t>(at);
        while (at < words_.size() && words_[at].word >> (64 - bucketBits_) == bucket)
            ++at;
    }
    buckets_.back() = static_cast<std::uint32_t>(words_.size());
}

std::size_t StoredWordDigest::IndexOf(std::string_view word) const
{
    if (words_.empty())
        return 0;
    // An exact seek cuts its key the same way.
    const std::uint64_t hash = WordHashNoCase(gbk::CutToWidth(word, TDictTable::WordWidth));
    const std::size_t bucket = hash >> (64 - bucketBits_);
    const auto begin = words_.begin() + buckets_[bucket];
    const auto end = words_.begin() + buckets_[bucket + 1];
    const auto found = std::lower_bound(begin, end, hash,
                                        [](const Word& stored, std::uint64_t h) { return stored.word < h; });
    return found != end && found->word == hash ? static_cast<std::size_t>(found - words_.begin())
                                               : words_.size();
}

bool StoredWordDigest::HoldsUnchanged(std::string_view word, std::string_view interpret) const
{
    const std::size_t at = IndexOf(word);
    // A forgotten word never matches: no explanation hashes to kForgotten.
    return at < words_.size() && words_[at].interpret == InterpretHash(interpret);
}

void StoredWordDigest::Forget(std::string_view word)
{
    if (const std::size_t at = IndexOf(word); at < words_.size())
        words_[at].interpret = kForgotten;
}
