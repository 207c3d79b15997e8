#pragma once
// The stored words with their explanations kept in memory for the search of explanations: a word
// typed in Chinese finds the words whose explanation holds it. Each record keeps a 64-bit set of
// the characters its explanation holds, so that a search looks at the bytes of the few records
// whose set holds every character sought. Made from the table on first use and kept right as
// records are added, changed and removed; records come in ID order, which the table only ever
// adds to, so a record is found again by its ID without a map.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

struct ExplainedWord {
    std::string word;
    std::string interpret;
};

class StoredExplanations {
public:
    bool Made() const { return made_; }
    // Reads every record of the table on `db`.
    void Make(sqlite3* db);
    // The table changed in ways not told (a rolled-back batch): made again when next needed.
    void Forget();
    // A record was stored with a new ID, its texts were changed, or it was removed. Ignored until
    // made.
    void Added(std::int64_t id, std::string_view word, std::string_view interpret);
    void Changed(std::int64_t id, std::string_view word, std::string_view interpret);
    void Removed(std::int64_t id);

    // The first `most` records in word order whose explanation holds `text` from one of its
    // characters on, letters without case.
    std::vector<ExplainedWord> Containing(std::string_view text, std::size_t most) const;

private:
    struct Record {
        std::int64_t id;
        std::size_t at; // where its word starts in bytes_, its explanation right after
        std::uint32_t wordSize;
        std::uint32_t interpretSize; // 0 once removed: an empty explanation holds nothing
    };

    // The record of that ID, null when none is kept.
    Record* Find(std::int64_t id);
    std::string_view Word(const Record& record) const;
    std::string_view Interpret(const Record& record) const;
    void Store(Record& record, std::string_view word, std::string_view interpret);
    // Drops the bytes no record uses any more once they outweigh those in use.
    void Compact();

    std::vector<Record> records_;
    std::vector<std::uint64_t> characters_; // one set per record
    std::string bytes_;
    std::size_t unusedBytes_ = 0;
    bool made_ = false;
};
