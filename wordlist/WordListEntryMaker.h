#pragma once
// Turns a word and an explanation as a file holds them into the entry the table stores: converted
// to GBK, cut to the table's widths at a character boundary, and counted when left out (a character
// GBK cannot hold) or cut, so that the import can say so at its end.

#include "wordlist/WordListEncoding.h"
#include "wordlist/WordListFormat.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The table's field widths in bytes, which a file's texts are cut to; by default nothing is cut.
struct WordListWidths {
    std::size_t word = std::string::npos;
    std::size_t interpret = std::string::npos;
};

class WordListEntryMaker {
public:
    WordListEntryMaker(WordListWidths widths, WordListEncoding encoding);

    // How many bytes of a file's text are enough to know the stored text of `width` bytes and
    // whether it was cut: readers keep no more than this of any one text.
    static std::size_t GatherLimit(std::size_t width, WordListEncoding encoding);

    // The stored entry; nothing when either text is empty, or when a character GBK cannot hold lies
    // within what would be stored (then the entry is counted as left out).
    std::optional<WordListEntry> Make(std::string_view word, std::string_view interpret);

    // The entries left out, and the word of the first in GBK with '?' for each character GBK
    // cannot hold; the entries whose word or explanation was cut, and the first one's word.
    std::uint64_t Skipped() const { return skipped_; }
    const std::string& FirstSkipped() const { return firstSkipped_; }
    std::uint64_t Cut() const { return cut_; }
    const std::string& FirstCut() const { return firstCut_; }

private:
    std::optional<std::string> Stored(std::string_view text, std::size_t width, bool& cut) const;

    WordListWidths widths_;
    WordListEncoding encoding_;
    std::uint64_t skipped_ = 0;
    std::string firstSkipped_;
    std::uint64_t cut_ = 0;
    std::string firstCut_;
};
