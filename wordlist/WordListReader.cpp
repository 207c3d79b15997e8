#include "wordlist/WordListReader.h"

#include <algorithm>

WordListReader::WordListReader(std::size_t interpretWidth, std::size_t wordWidth, WordListEncoding encoding)
    : entries_(interpretWidth, wordWidth, encoding), markDone_(encoding != WordListEncoding::Utf8),
      gatherLimit_(WordListEntryMaker::GatherLimit(interpretWidth, encoding)),
      line_(WordListEntryMaker::GatherLimit(wordWidth, encoding), gatherLimit_)
{
}

void WordListReader::AddUnmarked(const WordListLinePart& part)
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

void WordListReader::AppendToPending(std::string_view text)
{
    const std::size_t room = gatherLimit_ - std::min(gatherLimit_, pendingInterpret_.size());
    pendingInterpret_.append(text.substr(0, room));
}

bool WordListReader::ReadLine(std::optional<WordListEntry>& completed)
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
    WordListLine read = line_.Take();
    if (read.isEntry) {
        completed = TakePending();
        pendingWord_ = std::move(read.word);
        AppendToPending(read.text);
    } else if (!pendingWord_.empty()) {
        AppendToPending("\r\n");
        AppendToPending(read.text);
    }
    return true;
}

std::optional<WordListEntry> WordListReader::TakePending()
{
    std::optional<WordListEntry> entry = entries_.Make(pendingWord_, pendingInterpret_);
    pendingWord_.clear();
    pendingInterpret_.clear();
    return entry;
}

std::vector<WordListEntry> ReadWordList(std::string_view bytes)
{
    WordListReader reader;
    reader.Feed(bytes);
    reader.Finish();
    std::vector<WordListEntry> entries;
    std::optional<WordListEntry> completed;
    while (reader.ReadLine(completed))
        if (completed)
            entries.push_back(std::move(*completed));
    if (auto last = reader.TakePending())
        entries.push_back(std::move(*last));
    return entries;
}
