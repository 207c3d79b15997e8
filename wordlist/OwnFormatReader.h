#pragma once
// Reads a word-list file of the program's own format into entries. Each line either starts a new
// entry or continues the pending one; an entry is handed out when the next entry line or the
// file's end completes it, and only when it has both a word and an explanation (so continuation
// lines before the first entry line come to nothing). Explanations and words are cut to the
// widths at a character boundary, as the table stores them; the rest of a longer one is never
// gathered, so a file of any kind is read in bounded memory. An entry of a UTF-8 file whose stored
// part would hold a character GBK cannot hold is left out, never stored altered.

#include "wordlist/WordListLineScanner.h"
#include "wordlist/WordListLineSplitter.h"
#include "wordlist/WordListReader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class OwnFormatReader : public WordListReader {
public:
    explicit OwnFormatReader(WordListWidths widths = {}, WordListEncoding encoding = WordListEncoding::Gbk);

    WordListReadResult Read(const WordListPieces& file, const WordListEntrySink& entry) override;
    std::uint64_t Examined() const override { return lines_.Examined(); }

private:
    // Reads one line; false when more bytes are needed or the file has ended. `completed` receives
    // the entry that the line completed, if any.
    bool ReadLine(std::optional<WordListEntry>& completed);
    // After the last line: the entry still pending.
    std::optional<WordListEntry> TakePending();
    void AppendToPending(std::string_view text);
    // A part of the first line without a UTF-8 file's byte-order mark, which may come in parts.
    void AddUnmarked(const WordListLinePart& part);

    WordListLineSplitter lines_;
    bool markDone_; // past where a UTF-8 file's byte-order mark can be
    std::size_t markSeen_ = 0;
    std::size_t gatherLimit_;
    WordListLineScanner line_;
    WordListLine read_; // the line just read
    std::string pendingWord_;
    std::string pendingInterpret_;
    std::uint64_t pendingLine_ = 0;
    std::uint64_t lineNumber_ = 0; // lines read so far
};

// Every entry of a whole file.
std::vector<WordListEntry> ReadWordList(std::string_view bytes);
