#pragma once
// Reads one line of a word-list file as it comes in parts and keeps of it only what an entry can
// use: the first bytes of the word and of the text, up to the widths given. A line of any length (a
// binary file, a file without CR) is then read in bounded memory, and what is kept is exactly the
// start of what ClassifyWordListLine gives for the whole line.

#include "wordlist/WordListFormat.h"

#include <string>
#include <string_view>

class WordListLineScanner {
public:
    explicit WordListLineScanner(std::size_t wordKeep = std::string::npos,
                                 std::size_t textKeep = std::string::npos);

    void Add(std::string_view part);
    // The line added so far, with `word` and `text` cut to their widths, into `line`, whose texts
    // keep their memory (a reader takes a line per entry); the scanner is then ready for the next.
    void Take(WordListLine& line);

private:
    // One side of the bar, trimmed: its leading blanks skipped, at most `keep` bytes kept, and
    // whether a byte above 0x20 follows them (then the kept bytes end inside the trimmed text and
    // lose no blanks at their end).
    struct Side {
        std::string kept;
        bool started = false;
        bool textFollows = false;
        void Add(std::string_view bytes, std::size_t keep);
        void Take(std::string& out) const;
        void Clear();
    };

    std::size_t wordKeep_;
    std::size_t textKeep_;
    bool barSeen_ = false;
    std::string whole_; // the start of a line without a bar, which is its text as it is
    Side word_;
    Side text_;
};
