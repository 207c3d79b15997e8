#pragma once
// Writes the table's words as a word-list file of a kind: the program's own format in GBK, or the
// formats of other tools in UTF-8 (tab-separated notes with a "#separator:tab" first line and
// line breaks as <br>; RFC 4180 CSV with the header "word,translation"; a JSON array of
// {"name": ..., "trans": [one string per line]}). Each reads back into an empty table record for
// record, byte for byte: what the readers would take for markup, a header or blanks to trim is
// written so that they give it back as it is.

#include "wordlist/WordListFileKind.h"

#include <memory>
#include <string>
#include <string_view>

class WordListWriter {
public:
    virtual ~WordListWriter() = default;

    // Each appends its bytes to `out`; the texts given are GBK, as the table stores them.
    virtual void Begin(std::string& out);
    virtual void Append(std::string& out, std::string_view word, std::string_view interpret) = 0;
    virtual void End(std::string& out);
};

std::unique_ptr<WordListWriter> MakeWordListWriter(WordListFileKind kind);
