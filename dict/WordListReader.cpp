#include "dict/WordListReader.h"

#include "platform/GbkText.h"

#include <algorithm>

namespace {

// One byte beyond a width decides where a cut at a character boundary falls.
std::size_t GatherLimit(std::size_t width)
{
    return width == std::string::npos ? width : width + 1;
}

} // namespace

WordListReader::WordListReader(std::size_t interpretWidth, std::size_t wordWidth)
    : interpretWidth_(interpretWidth), wordWidth_(wordWidth), gatherLimit_(GatherLimit(interpretWidth)),
      line_(GatherLimit(wordWidth), gatherLimit_)
{
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
        line_.Add(part->bytes);
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
    if (!pendingWord_.empty() && !pendingInterpret_.empty())
        entry = WordListEntry{gbk::CutToWidth(pendingWord_, wordWidth_),
                              gbk::CutToWidth(pendingInterpret_, interpretWidth_)};
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
