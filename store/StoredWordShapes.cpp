#include "store/StoredWordShapes.h"

#include "store/DictSchema.h"
#include "store/SqliteStatement.h"
#include "text/EditDistance.h"
#include "text/GbkText.h"

#include <algorithm>
#include <cstdlib>

namespace {

// One bit for each letter (folded), and six more that other bytes share: a word within n edits of
// another lacks at most n of its bits and has at most n bits it lacks, whatever bytes share a bit.
std::uint32_t LettersOf(std::string_view folded)
{
    std::uint32_t bits = 0;
    for (const char c : folded) {
        const auto b = static_cast<unsigned char>(c);
        bits |= 1u << (b >= 'A' && b <= 'Z' ? b - 'A' : 26 + b % 6);
    }
    return bits;
}

// True when `bits` holds more than `most` bits: the build targets processors without a popcount
// instruction, and the few bits allowed are cleared sooner than counted.
bool MoreBitsThan(std::uint32_t bits, int most)
{
    for (int i = 0; i < most && bits != 0; ++i)
        bits &= bits - 1;
    return bits != 0;
}

} // namespace

void StoredWordShapes::Make(sqlite3* db)
{
    Forget();
    made_ = true;
    try {
        // The word index alone holds every word, and is read front to back.
        SqliteStatement words(db, "SELECT word FROM DORori ORDER BY " DICT_WORD_ORDER);
        while (words.Step())
            Added(words.TextView(0));
        for (Bucket& bucket : buckets_) {
            bucket.letters.shrink_to_fit();
            bucket.bytes.shrink_to_fit();
        }
    } catch (...) {
        Forget();
        throw;
    }
}

void StoredWordShapes::Forget()
{
    for (Bucket& bucket : buckets_) {
        bucket.letters = {};
        bucket.bytes = {};
    }
    made_ = false;
}

void StoredWordShapes::Added(std::string_view word)
{
    if (!made_ || word.empty() || word.size() > kLongest)
        return;
    Bucket& bucket = buckets_[word.size()];
    bucket.letters.push_back(LettersOf(gbk::UpperCase(word)));
    bucket.bytes.append(word);
}

void StoredWordShapes::Removed(std::string_view word)
{
    if (!made_ || word.empty() || word.size() > kLongest)
        return;
    Bucket& bucket = buckets_[word.size()];
    const std::size_t length = word.size();
    for (std::size_t i = 0; i < bucket.letters.size(); ++i) {
        if (std::string_view(bucket.bytes).substr(i * length, length) != word)
            continue;
        // The last word takes its place: the order within a length does not matter.
        const std::size_t last = bucket.letters.size() - 1;
        bucket.letters[i] = bucket.letters[last];
        bucket.bytes.replace(i * length, length, bucket.bytes, last * length, length);
        bucket.letters.pop_back();
        bucket.bytes.resize(last * length);
        return;
    }
}

std::vector<SimilarWord> StoredWordShapes::Near(std::string_view text, int limit, std::size_t most) const
{
    const std::string sought = gbk::UpperCase(text);
    const std::uint32_t soughtLetters = LettersOf(sought);
    struct Found {
        int distance;
        std::string folded;
        std::string_view word;
    };
    std::vector<Found> found;
    std::string folded;
    const int length = static_cast<int>(sought.size());
    for (int size = std::max(1, length - limit); size <= std::min<int>(kLongest, length + limit); ++size) {
        const Bucket& bucket = buckets_[static_cast<std::size_t>(size)];
        for (std::size_t i = 0; i < bucket.letters.size(); ++i) {
            const std::uint32_t letters = bucket.letters[i];
            if (MoreBitsThan(letters & ~soughtLetters, limit) ||
                MoreBitsThan(soughtLetters & ~letters, limit))
                continue;
            const std::string_view word = std::string_view(bucket.bytes).substr(i * size, size);
            gbk::UpperCaseInto(word, folded);
            const int distance = EditDistance(sought, folded, limit);
            if (distance <= limit)
                found.push_back({distance, folded, word});
        }
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.distance != b.distance ? a.distance < b.distance
               : a.folded != b.folded   ? a.folded < b.folded
                                        : a.word < b.word;
    });
    std::vector<SimilarWord> nearest;
    for (const Found& candidate : found) {
        if (nearest.size() == most)
            break;
        if (!nearest.empty() && gbk::EqualNoCase(nearest.back().word, candidate.word))
            continue;
        nearest.push_back({std::string(candidate.word), candidate.distance});
    }
    return nearest;
}
