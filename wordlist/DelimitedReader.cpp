#include "wordlist/DelimitedReader.h"

#include "wordlist/ColumnNames.h"

#include <algorithm>

DelimitedReader::DelimitedReader(DelimitedStyle style, WordListWidths widths, WordListEncoding encoding)
    : WordListReader(widths, encoding, EntryRules::Faithful), style_(style), encoding_(encoding),
      word_(encoding, WordListEntryMaker::WordGatherLimit(widths.word, encoding)),
      interpret_(encoding, WordListEntryMaker::GatherLimit(widths.interpret, encoding))
{
}

WordListReadResult DelimitedReader::Read(const WordListPieces& file, const WordListEntrySink& entry)
{
    std::optional<WordListEntry> completed;
    while (!ended_) {
        const std::string_view piece = file.next();
        if (piece.empty())
            finished_ = true;
        else
            Feed(piece);
        while (ReadLine(completed)) {
            if (completed && !entry(*completed))
                return {WordListEnd::Stopped};
            if (file.advanced)
                file.advanced();
        }
    }
    if (fault_)
        return {WordListEnd::Unterminated, *fault_};
    return {};
}

void DelimitedReader::Feed(std::string_view piece)
{
    pieceStart_ += piece_.size();
    piece_ = piece;
    position_ = 0;
}

namespace {

// Enough of a first row to tell the names of its columns.
constexpr std::size_t kFirstRowFields = 64;
constexpr std::size_t kFirstRowBytes = 32;

} // namespace

void DelimitedReader::GatherFirstRow(std::string_view bytes)
{
    if (row_ != 0 || field_ >= kFirstRowFields)
        return;
    if (firstRow_.size() <= field_)
        firstRow_.resize(field_ + 1);
    std::string& field = firstRow_[field_];
    field.append(bytes.substr(0, kFirstRowBytes - std::min(kFirstRowBytes, field.size())));
}

void DelimitedReader::AddToField(char byte)
{
    GatherFirstRow({&byte, 1});
    if (field_ == wordColumn_)
        word_.Add(byte);
    else if (field_ == interpretColumn_)
        interpret_.Add(byte);
}

// The rest of an unquoted field up to its end, at once: what a long list is mostly made of.
void DelimitedReader::AddUnquotedRun()
{
    std::size_t end = position_;
    while (end < piece_.size() && piece_[end] != style_.delimiter && piece_[end] != '\r' &&
           piece_[end] != '\n')
        ++end;
    AddRun(end);
}

void DelimitedReader::AddRun(std::size_t end)
{
    const std::string_view run = piece_.substr(position_, end - position_);
    position_ = end;
    GatherFirstRow(run);
    if (field_ == wordColumn_)
        word_.AddRun(run);
    else if (field_ == interpretColumn_)
        interpret_.AddRun(run);
}

// The rest of a quoted field up to its next quote or line break, at once.
void DelimitedReader::AddQuotedRun()
{
    std::size_t end = position_;
    while (end < piece_.size() && piece_[end] != '"' && piece_[end] != '\r' && piece_[end] != '\n')
        ++end;
    AddRun(end);
}

void DelimitedReader::EndField()
{
    ++field_;
    state_ = State::FieldStart;
}

void DelimitedReader::EndRow(std::optional<WordListEntry>& completed)
{
    if (state_ != State::HeaderLine)
        EndField();
    const auto named = row_ == 0 && rowStarted_ ? ColumnsNamedBy(firstRow_, encoding_) : std::nullopt;
    if (named) {
        wordColumn_ = named->word;
        interpretColumn_ = named->interpret;
    } else {
        completed = entries_.Make(word_.Text(), interpret_.Text(), rowLine_);
    }
    word_.Clear();
    interpret_.Clear();
    if (rowStarted_) {
        ++row_;
        firstRow_ = {};
    }
    rowStarted_ = false;
    field_ = 0;
    state_ = State::FieldStart;
    rowLine_ = line_;
}

bool DelimitedReader::ReadLine(std::optional<WordListEntry>& completed)
{
    completed.reset();
    if (ended_)
        return false;
    while (position_ < piece_.size()) {
        const char byte = piece_[position_++];
        if (markSeen_ < kUtf8ByteOrderMark.size()) {
            if (byte == kUtf8ByteOrderMark[markSeen_]) {
                ++markSeen_;
                continue;
            }
            // No mark after all: the bytes held back were the start of the first field.
            const std::size_t held = markSeen_;
            markSeen_ = kUtf8ByteOrderMark.size();
            for (std::size_t i = 0; i < held; ++i)
                Step(kUtf8ByteOrderMark[i], completed);
        }
        if (Step(byte, completed))
            return true;
        if (state_ == State::Unquoted)
            AddUnquotedRun();
        else if (state_ == State::Quoted)
            AddQuotedRun();
    }
    if (!finished_)
        return false;
    ended_ = true;
    if (markSeen_ < kUtf8ByteOrderMark.size()) {
        for (std::size_t i = 0; i < markSeen_; ++i)
            Step(kUtf8ByteOrderMark[i], completed);
        markSeen_ = kUtf8ByteOrderMark.size();
    }
    if (state_ == State::Quoted) {
        fault_ = quoteStart_;
        return false;
    }
    if (rowStarted_ || field_ > 0) {
        EndRow(completed);
        return true;
    }
    return false;
}

bool DelimitedReader::Step(char byte, std::optional<WordListEntry>& completed)
{
    const bool lineBreak = byte == '\r' || byte == '\n';
    if (skipLf_) {
        skipLf_ = false;
        if (byte == '\n')
            return false;
    }
    if (lineBreak) {
        ++line_;
        skipLf_ = byte == '\r';
    }
    switch (state_) {
    case State::HeaderLine:
        if (lineBreak) {
            EndRow(completed);
            return true;
        }
        return false;
    case State::FieldStart:
        if (byte == '"') {
            state_ = State::Quoted;
            rowStarted_ = true;
            quoteStart_ = {line_, Examined() - 1};
            return false;
        }
        if (byte == '#' && field_ == 0 && !rowStarted_ && style_.hashLinesAreHeaders) {
            state_ = State::HeaderLine;
            return false;
        }
        state_ = State::Unquoted;
        [[fallthrough]];
    case State::Unquoted:
        if (lineBreak) {
            if (rowStarted_ || field_ > 0) {
                EndRow(completed);
                return true;
            }
            state_ = State::FieldStart; // an empty line is no row
            rowLine_ = line_;
            return false;
        }
        rowStarted_ = true;
        if (byte == style_.delimiter)
            EndField();
        else
            AddToField(byte);
        return false;
    case State::Quoted:
        if (byte == '"')
            state_ = State::QuoteInQuoted;
        else if (lineBreak) {
            AddToField('\r');
            AddToField('\n');
        } else
            AddToField(byte);
        return false;
    case State::QuoteInQuoted:
        if (byte == '"') {
            AddToField('"');
            state_ = State::Quoted;
        } else if (lineBreak) {
            EndRow(completed);
            return true;
        } else if (byte == style_.delimiter) {
            EndField();
        } else {
            // Text after a closing quote is no RFC 4180, but spreadsheets read it as text.
            state_ = State::Unquoted;
            AddToField(byte);
        }
        return false;
    }
    return false;
}
