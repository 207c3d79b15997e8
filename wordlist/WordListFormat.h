#pragma once
// The word-list text file: one record per line, the word padded with spaces to 20 bytes, "| ",
// the explanation and CR LF. An explanation with line breaks is written unchanged, so its later
// lines carry no "|" and read back as continuation lines of the entry before them.

#include <cstdint>
#include <string>
#include <string_view>

struct WordListEntry {
    std::string word;
    std::string interpret;
    std::uint64_t line = 0; // where the entry begins in its file, from 1
};

// Appends the line (or lines) of one record.
void AppendWordListLine(std::string& out, std::string_view word, std::string_view interpret);

// What one line of a file means. An entry line holds a "|" with text on both sides of the first
// one once trimmed: `word` and `text` are those two texts. Every other line continues the entry
// before it with `text`: the trimmed text after its first "|" if it has one, else the line as it is.
struct WordListLine {
    bool isEntry = false;
    std::string word;
    std::string text;
};
WordListLine ClassifyWordListLine(std::string_view line);

// The import's progress: the file is taken in blocks of 128 bytes, so reading up to `examined`
// bytes has taken whole blocks up to there (the last, short block only at the file's end); the
// percentage is the whole blocks taken over the file's whole blocks (at least 1).
int WordListImportPercent(std::uint64_t examined, std::uint64_t fileSize);
