#pragma once
// Record numbers without counting the table: the word order is cut into runs of a few hundred
// records, each known by the first word it may hold and by how many records it holds. A record's
// number is then the sizes of the runs before its own plus a count inside one run, and the n-th
// record is found by skipping inside one run. The runs are made on first use (one skip through the
// word index, no reading of records) and kept right as records are added, changed and removed.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class SqliteStatement;
struct sqlite3;

class RecordNumberIndex {
public:
    explicit RecordNumberIndex(sqlite3* db);
    ~RecordNumberIndex();
    RecordNumberIndex(const RecordNumberIndex&) = delete;
    RecordNumberIndex& operator=(const RecordNumberIndex&) = delete;

    // How many records come before the record (word, id) in word order.
    int CountBefore(const std::string& word, std::int64_t id);
    // The ID of the record with `before` records before it, or 0 when there is none.
    std::int64_t IdAt(int before);

    // A record was stored, or removed, with this word. Ignored while the runs are not made.
    void Added(const std::string& word);
    void Removed(const std::string& word);
    // The table changed in ways not told (a batch, a rolled-back transaction): the runs are made
    // again when next needed.
    void Forget() { runs_.clear(); }

    // The statements it runs, for checking their query plans.
    std::vector<const SqliteStatement*> Statements() const;

private:
    struct Run {
        std::string firstWord; // the first run's is empty: it holds every word before the second's
        int count = 0;
    };

    void MakeRuns();
    std::size_t RunOf(std::string_view word) const;
    int CountFrom(const std::string& from, const std::string* until);
    void Split(std::size_t run);

    std::vector<Run> runs_;
    std::unique_ptr<SqliteStatement> countBetween_, countFrom_, countSameBefore_, skipFrom_, wordAfter_;
};
