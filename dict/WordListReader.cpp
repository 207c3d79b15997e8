#include "dict/WordListReader.h"

#include "platform/GbkCodec.h"
#include "platform/GbkText.h"

#include <algorithm>

namespace {

// One byte beyond a width decides where a cut at a character boundary falls. A UTF-8 character
// takes at most three times the bytes it takes in GBK (the euro sign: three bytes, one in GBK), and
// a cut may end inside one, so three times as much UTF-8 always converts to a byte beyond the width.
std::size_t GatherLimit(std::size_t width, WordListEncoding encoding)
{
    if (width == std::string::npos)
        return width;
    return encoding == WordListEncoding::Utf8 ? 3 * (width + 1) + 3 : width + 1;
}

// The UTF-8 text as the table stores it: converted, then cut to `width`; nothing when a character
// GBK cannot hold, or a broken sequence, lies within what would be stored. What converts before the
// first such character is all there is of the stored text once it reaches `width` bytes.
std::optional<std::string> StoredFromUtf8(std::string_view utf8, std::size_t width)
{
    gbk::GbkStart converted = gbk::FromUtf8Start(utf8);
    if (!converted.whole && converted.bytes.size() < width)
        return std::nullopt;
    return gbk::CutToWidth(converted.bytes, width);
}

} // namespace

WordListReader::WordListReader(std::size_t interpretWidth, std::size_t wordWidth, WordListEncoding encoding)
    : interpretWidth_(interpretWidth), wordWidth_(wordWidth), encoding_(encoding),
      markDone_(encoding != WordListEncoding::Utf8), gatherLimit_(GatherLimit(interpretWidth, encoding)),
      line_(GatherLimit(wordWidth, encoding), gatherLimit_)
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
    std::optional<WordListEntry> entry;
    if (!pendingWord_.empty() && !pendingInterpret_.empty()) {
        if (encoding_ == WordListEncoding::Utf8)
            entry = ConvertPending();
        else
            entry = WordListEntry{gbk::CutToWidth(pendingWord_, wordWidth_),
                                  gbk::CutToWidth(pendingInterpret_, interpretWidth_)};
    }
    pendingWord_.clear();
    pendingInterpret_.clear();
    return entry;
}

std::optional<WordListEntry> WordListReader::ConvertPending()
{
    auto word = StoredFromUtf8(pendingWord_, wordWidth_);
    auto interpret = word ? StoredFromUtf8(pendingInterpret_, interpretWidth_) : std::nullopt;
    if (word && interpret)
        return WordListEntry{std::move(*word), std::move(*interpret)};
    if (skipped_++ == 0)
        firstSkipped_ = gbk::CutToWidth(gbk::FromUtf8Lossy(pendingWord_), wordWidth_);
    return std::nullopt;
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
