#pragma once
// Reads a tab-separated or comma-separated word list (RFC 4180: a field in double quotes may hold
// the delimiter, line breaks and doubled quotes). A first row that names its columns (see
// ColumnsNamedBy) chooses the word's and the explanation's; otherwise field 1 is the word and field
// 2 the explanation. Both are made plain from HTML, where the two characters "\n" are a line break
// too (database exports write line breaks so); further fields are ignored. The file may come in
// pieces of any size and is read in bounded memory.

#include "wordlist/PlainFromHtml.h"
#include "wordlist/WordListReader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct DelimitedStyle {
    char delimiter;
    bool hashLinesAreHeaders; // a line starting with "#" is skipped (tab-separated notes)
};
inline constexpr DelimitedStyle kTabSeparated{'\t', true};
inline constexpr DelimitedStyle kCommaSeparated{',', false};

class DelimitedReader : public WordListReader {
public:
    DelimitedReader(DelimitedStyle style, WordListWidths widths, WordListEncoding encoding);

    // A file that ends inside a quoted field ends as Unterminated, at where that field began.
    WordListReadResult Read(const WordListPieces& file, const WordListEntrySink& entry) override;
    std::uint64_t Examined() const override { return pieceStart_ + position_; }

private:
    // The next piece of the file, once ReadLine has returned false for the one before; it must stay
    // alive until then.
    void Feed(std::string_view piece);
    // Reads one row; false when more bytes are needed or the file has ended. `completed` receives
    // the row's entry, if it makes one.
    bool ReadLine(std::optional<WordListEntry>& completed);
    enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted, HeaderLine };
    // Reads one byte; true when it ended a row.
    bool Step(char byte, std::optional<WordListEntry>& completed);
    void AddToField(char byte);
    void AddUnquotedRun();
    void AddQuotedRun();
    // The bytes of the piece up to `end` to the field being read.
    void AddRun(std::size_t end);
    void EndField();
    void EndRow(std::optional<WordListEntry>& completed);
    // While the first row is read: its fields' first bytes, to find the columns it may name.
    void GatherFirstRow(std::string_view bytes);

    DelimitedStyle style_;
    WordListEncoding encoding_;
    PlainFromHtml word_;
    PlainFromHtml interpret_;
    std::string_view piece_;
    std::size_t position_ = 0;
    std::uint64_t pieceStart_ = 0;
    bool finished_ = false;
    bool ended_ = false;
    State state_ = State::FieldStart;
    std::size_t markSeen_ = 0;  // bytes of a UTF-8 byte-order mark at the file's start
    bool skipLf_ = false;       // a CR was the last byte: an LF right after it belongs to it
    bool rowStarted_ = false;   // a byte of the row has been read
    std::size_t field_ = 0;     // the field being read, from 0
    std::uint64_t row_ = 0;     // rows ended so far
    std::uint64_t line_ = 1;    // the line being read
    std::uint64_t rowLine_ = 1; // the line the row being read began on
    std::size_t wordColumn_ = 0;
    std::size_t interpretColumn_ = 1;
    std::vector<std::string> firstRow_;
    WordListFault quoteStart_; // where the quoted field being read began
    std::optional<WordListFault> fault_;
};
