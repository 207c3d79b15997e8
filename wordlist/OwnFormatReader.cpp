#include "wordlist/OwnFormatReader.h"

#include "text/GbkText.h"

#include <algorithm>
#include <utility>

OwnFormatReader::OwnFormatReader(WordListWidths widths, WordListEncoding encoding)
    : WordListReader(widths, encoding, EntryRules::Own), markDone_(encoding != WordListEncoding::Utf8),
      gatherLimit_(WordListEntryMaker::GatherLimit(widths.interpret, encoding)),
      line_(WordListEntryMaker::GatherLimit(widths.word, encoding), gatherLimit_)
{
}

WordListReadResult OwnFormatReader::Read(const WordListPieces& file, const WordListEntrySink& entry)
{
    std::optional<WordListEntry> completed;
    while (!lines_.Ended()) {
        const std::string_view piece = file.next();
        if (piece.empty())
            lines_.Finish();
        else
            lines_.Feed(piece);
        while (ReadLine(completed)) {
            if (completed && !entry(*completed))
                return {WordListEnd::Stopped};
            if (file.advanced)
                file.advanced();
        }
    }
    // Only at the file's end is the pending entry complete.
    if (auto last = TakePending(); last && !entry(*last))
        return {WordListEnd::Stopped};
    return {};
}

void OwnFormatReader::AddUnmarked(const WordListLinePart& part)
{
    std::string_view bytes = part.bytes;
    if (markSeen_ < kUtf8ByteOrderMark.size()) {
        std::size_t matched = 0;
        while (matched < bytes.size() && markSeen_ + matched < kUtf8ByteOrderMark.size() &&
               bytes[matched] == kUtf8ByteOrderMark[markSeen_ + matched])
            ++matched;
        if (markSeen_ + matched == kUtf8ByteOrderMark.size()) {
            bytes.remove_prefix(matched);
            markDone_ = true;
        } else if (matched == bytes.size() && !part.endsLine) {
            markSeen_ += matched; // the mark may go on in the next part
            return;
        } else {
            // No mark after all: the bytes held back were the start of the line's text.
            line_.Add(kUtf8ByteOrderMark.substr(0, markSeen_));
            markDone_ = true;
        }
    }
    line_.Add(bytes);
}

void OwnFormatReader::AppendToPending(std::string_view text)
{
    const std::size_t room = gatherLimit_ - std::min(gatherLimit_, pendingInterpret_.size());
    pendingInterpret_.append(text.substr(0, room));
}

bool OwnFormatReader::ReadLine(std::optional<WordListEntry>& completed)
{
    completed.reset();
    for (;;) {
        const auto part = lines_.Next();
        if (!part)
            return false;
        if (markDone_)
            line_.Add(part->bytes);
        else
            AddUnmarked(*part);
        if (part->endsLine)
            break;
    }
    line_.Take(read_);
    ++lineNumber_;
    if (read_.isEntry) {
        completed = TakePending();
        pendingWord_.swap(read_.word); // both keep memory for the lines to come
        pendingLine_ = lineNumber_;
        AppendToPending(read_.text);
    } else if (!pendingWord_.empty()) {
        AppendToPending("\r\n");
        AppendToPending(read_.text);
    } else if (!gbk::Trimmed(read_.text).empty()) {
        entries_.CountWordWithoutExplanation(); // a line of text before any entry: a word alone
    }
    return true;
}

std::optional<WordListEntry> OwnFormatReader::TakePending()
{
    std::optional<WordListEntry> entry = entries_.Make(pendingWord_, pendingInterpret_, pendingLine_);
    pendingWord_.clear();
    pendingInterpret_.clear();
    return entry;
}

std::vector<WordListEntry> ReadWordList(std::string_view bytes)
{
    OwnFormatReader reader;
    std::vector<WordListEntry> entries;
    bool given = false;
    reader.Read(
        {[&] { return std::exchange(given, true) ? std::string_view() : bytes; }, [&] { given = false; }},
        [&](const WordListEntry& entry) {
            entries.push_back(entry);
            return true;
        });
    return entries;
}
