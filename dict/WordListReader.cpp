#include "dict/WordListReader.h"

#include "platform/GbkText.h"

#include <algorithm>

WordListReader::WordListReader(std::size_t interpretWidth)
    : interpretWidth_(interpretWidth),
      gatherLimit_(interpretWidth == std::string::npos ? interpretWidth : interpretWidth + 1)
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
    const auto line = lines_.Next();
    if (!line)
        return false;
    WordListLine read = ClassifyWordListLine(*line);
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
        entry = WordListEntry{std::move(pendingWord_), gbk::CutToWidth(pendingInterpret_, interpretWidth_)};
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
