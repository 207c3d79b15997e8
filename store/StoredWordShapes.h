#pragma once
// The stored words kept in memory for spelling suggestions: grouped by length, each with the set
// of letters it holds, so that the words within two edits of a typed text are found by looking at
// the few lengths near its own and, among those, only at words whose letters differ from its in at
// most as many ways as edits are allowed. A million words take about 18 MiB. Made from the word
// index on first use and kept right as words are added, changed and removed.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

struct SimilarWord {
    std::string word; // as stored
    int distance;     // edits from the typed text, letters without case
};

class StoredWordShapes {
public:
    // Longer words are never offered: the table's own are at most this long.
    static constexpr std::size_t kLongest = 25;

    bool Made() const { return made_; }
    // Reads every word of the table on `db`.
    void Make(sqlite3* db);
    // The table changed in ways not told (a rolled-back batch): made again when next needed.
    void Forget();
    // A word was stored, or one was removed (its bytes as stored). Ignored until made.
    void Added(std::string_view word);
    void Removed(std::string_view word);

    // The words within `limit` edits of `text` (single-byte letters without case; swapping two
    // neighbouring letters is one edit), nearest first and then in word order, at most `most` of
    // them; a word stored twice in different letter case counts once.
    std::vector<SimilarWord> Near(std::string_view text, int limit, std::size_t most) const;

private:
    // Words of one length: their letter sets, and their bytes one after another.
    struct Bucket {
        std::vector<std::uint32_t> letters;
        std::string bytes;
    };

    std::array<Bucket, kLongest + 1> buckets_;
    bool made_ = false;
};
