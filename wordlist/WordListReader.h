#pragma once
// What every reader of a word-list file does, whatever its format: it reads the file, given in
// pieces, and hands out each entry as the table stores it (converted to GBK and cut to the table's
// widths, see WordListEntryMaker), in bounded memory. The import picks the reader by the file's
// kind and runs one loop into one merge.

#include "wordlist/WordListEncoding.h"
#include "wordlist/WordListEntryMaker.h"
#include "wordlist/WordListFileKind.h"
#include "wordlist/WordListFormat.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>

// Where reading a file stopped because it cannot be read on: its line (from 1) and byte offset.
struct WordListFault {
    std::uint64_t line = 0;
    std::uint64_t offset = 0;
};

enum class WordListEnd {
    Read,         // the whole file
    Stopped,      // the receiver of the entries asked to stop
    Unterminated, // a quoted field never ends; the entries before it were handed out
    // A JSON file that cannot be read through; it hands out nothing.
    NotArray,
    Broken,
    TooDeep,
    TooLong,
};

struct WordListReadResult {
    WordListEnd end = WordListEnd::Read;
    WordListFault at = {}; // where reading stopped, for a fault
};

// The file: `next` hands out its next piece, an empty one at its end, and each piece stays valid
// until the next call; `rewind` starts it again from its first byte. `advanced` (if set) is called
// whenever the reading has moved on by a line, a row or an element: the import's progress.
struct WordListPieces {
    std::function<std::string_view()> next;
    std::function<void()> rewind;
    std::function<void()> advanced = {};
};

// An entry read; false stops the reading.
using WordListEntrySink = std::function<bool(const WordListEntry& entry)>;

class WordListReader {
public:
    virtual ~WordListReader() = default;

    virtual WordListReadResult Read(const WordListPieces& file, const WordListEntrySink& entry) = 0;
    // The bytes of the file read so far by the pass that hands out entries.
    virtual std::uint64_t Examined() const = 0;
    // The entries made, left out, altered or cut so far.
    const WordListEntryMaker& Entries() const { return entries_; }
    // Each entry left out or changed is handed to `sink` as it is read.
    void OnNote(WordListNoteSink sink) { entries_.OnNote(std::move(sink)); }

protected:
    WordListReader(WordListWidths widths, WordListEncoding encoding, EntryRules rules)
        : entries_(widths, encoding, rules)
    {
    }

    WordListEntryMaker entries_;
};

std::unique_ptr<WordListReader> MakeWordListReader(WordListFileKind kind, WordListEncoding encoding,
                                                   WordListWidths widths);
