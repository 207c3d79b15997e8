#pragma once
// Reads a word-list file into entries. Each line either starts a new entry or continues the
// pending one; an entry is handed out when the next entry line or the file's end completes it,
// and only when it has both a word and an explanation (so continuation lines before the first
// entry line come to nothing). A UTF-8 file's entries come out converted to GBK.

#include "wordlist/WordListEncoding.h"
#include "wordlist/WordListEntryMaker.h"
#include "wordlist/WordListFormat.h"
#include "wordlist/WordListLineScanner.h"
#include "wordlist/WordListLineSplitter.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class WordListReader {
public:
    // Explanations and words come out cut to `interpretWidth` and `wordWidth` bytes at a character
    // boundary, as the table stores them; the rest of a longer one is never gathered, so a file of
    // any kind is read in bounded memory. An entry of a UTF-8 file whose stored part would hold a
    // character GBK cannot hold is left out, never stored altered.
    explicit WordListReader(std::size_t interpretWidth = std::string::npos,
                            std::size_t wordWidth = std::string::npos,
                            WordListEncoding encoding = WordListEncoding::Gbk);

    // The file in pieces, as for WordListLineSplitter.
    void Feed(std::string_view piece) { lines_.Feed(piece); }
    void Finish() { lines_.Finish(); }
    // Reads one line; false when more bytes are needed or the file has ended. `completed` receives
    // the entry that the line completed, if any.
    bool ReadLine(std::optional<WordListEntry>& completed);
    // After the last line: the entry still pending.
    std::optional<WordListEntry> TakePending();
    bool Ended() const { return lines_.Ended(); }
    std::uint64_t Examined() const { return lines_.Examined(); }
    // The entries left out or cut so far.
    const WordListEntryMaker& Entries() const { return entries_; }

private:
    void AppendToPending(std::string_view text);
    // A part of the first line without a UTF-8 file's byte-order mark, which may come in parts.
    void AddUnmarked(const WordListLinePart& part);

    WordListLineSplitter lines_;
    WordListEntryMaker entries_;
    bool markDone_; // past where a UTF-8 file's byte-order mark can be
    std::size_t markSeen_ = 0;
    std::size_t gatherLimit_;
    WordListLineScanner line_;
    std::string pendingWord_;
    std::string pendingInterpret_;
};

// Every entry of a whole file.
std::vector<WordListEntry> ReadWordList(std::string_view bytes);
