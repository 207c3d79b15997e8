#pragma once
// The words the learner got wrong in the drill, kept in a table of their own (ErrorBook) in the
// word table's file, with how often and how lately each was missed.

#include "store/SideTables.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TDictTable;
struct sqlite3;

struct MissedWord {
    std::string word;
    int misses;
};

class ErrorBook {
public:
    explicit ErrorBook(TDictTable& table);

    // False when the file holds an ErrorBook table (or its index) this program did not make; it is
    // then never written, altered or dropped. A missing table is usable: the first miss creates it.
    bool Usable();
    // Each a durable transaction of its own, done when the call returns; all do nothing on a book
    // that is not usable. A miss raises the count, stamps `now` (Unix seconds) and restarts the
    // run of right answers.
    void RecordMiss(std::string_view word, std::int64_t now);
    // A right answer while reviewing; true when it was the word's second in a row and the word left
    // the book.
    bool RecordRight(std::string_view word);
    void Forget(std::string_view word);
    // The word to review next: most misses first, then the longest since its last miss.
    std::optional<std::string> NextWord();
    int Count();
    // Every word of the book in the order the review asks them.
    std::vector<MissedWord> Words();

private:
    sqlite3* Connection() { return tables_.Connection(); }
    // The book exists in our shape, created when `create` and absent; false when it cannot be used.
    bool Ready(bool create) { return tables_.Ready(create); }

    SideTables tables_;
};
