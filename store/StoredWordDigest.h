#pragma once
// What the table holds for each of its words, as hashes, so that an import of a large file can pass
// over the entries it already holds unchanged without seeking each one: the word index lies on disk
// in an order of its own, and a seek per entry then costs a read of the disk, while the records
// themselves are read once, front to back, in the order they were stored.
//
// Per word (letters without case) it keeps a hash of the word and a hash of the explanation its
// first record in word order holds (the record an exact seek finds), 16 bytes a word. A word stored
// several times is not kept (nor are two words whose hashes happen to meet): entries of it are
// merged as always.

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

class TDictTable;

class StoredWordDigest {
public:
    // True when an import of `fileBytes` bytes into a table of `records` records is quicker with
    // the table read first: the file holds about as many entries as the table records or more, and
    // the table is too large for its word index to stay in memory between seeks.
    static bool WorthReading(std::uint64_t fileBytes, int records);

    // Reads every record of the table once, in the order stored. `keepGoing` is asked between
    // records; once it says no, the reading ends and the digest knows no word. The words are then
    // sorted aside while `whileSorting` is called every few milliseconds.
    StoredWordDigest(TDictTable& table, const std::function<bool()>& keepGoing,
                     const std::function<void()>& whileSorting);

    // True when an exact seek of `word` (cut to the word's width, letters without case) would find
    // a record whose explanation is `interpret`, byte for byte.
    bool HoldsUnchanged(std::string_view word, std::string_view interpret) const;
    // The word's first record is about to change or to be added: the digest no longer answers for it.
    void Forget(std::string_view word);

private:
    struct Word {
        std::uint64_t word;
        std::uint64_t interpret; // kForgotten once the word may have changed
    };

    void Sort();
    // Where the word is kept, or words_.size().
    std::size_t IndexOf(std::string_view word) const;

    std::vector<Word> words_; // by word hash, each word hash once
    // Where the words whose hash begins with each value of its top `bucketBits_` bits start.
    std::vector<std::uint32_t> buckets_;
    int bucketBits_ = 0;
};
