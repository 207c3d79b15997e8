#pragma once
// Reads a word list saved as a JSON array of objects, as typing-drill programs keep their chapters:
// each object's "name" is the word and its "trans" the explanation (an array's strings joined by
// CR LF, or a string as it is); other keys are ignored and an element without a string "name" is
// skipped. The file is read in pieces, so memory stays bounded: a single string or number longer
// than kJsonTokenLimit, or nesting deeper than kJsonDepthLimit, ends the reading as a fault. A file
// the quick look tells whole is read straight from its bytes (CheckedJsonReading), any other
// through the JSON library's parser (JsonParsing). A file that is not valid UTF-8 is read as GBK.

#include "wordlist/WordListReader.h"

inline constexpr std::size_t kJsonTokenLimit = 1 << 20;
inline constexpr int kJsonDepthLimit = 64;

class JsonReader : public WordListReader {
public:
    JsonReader(WordListWidths widths, WordListEncoding encoding);

    // The file is looked through once before any entry is handed out (see JsonShapeCheck; one it is
    // not sure of is parsed through), so a file that does not parse hands out nothing; then it is
    // rewound and read again for its entries.
    WordListReadResult Read(const WordListPieces& file, const WordListEntrySink& entry) override;
    // Of the pass that hands out entries: nothing while the file is checked.
    std::uint64_t Examined() const override { return examined_; }

private:
    WordListEncoding encoding_;
    std::uint64_t examined_ = 0;
};
