#include "wordlist/WordListLineScanner.h"

#include "text/GbkText.h"

#include <algorithm>
#include <cstring>

namespace {

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

} // namespace

WordListLineScanner::WordListLineScanner(std::size_t wordKeep, std::size_t textKeep)
    : wordKeep_(wordKeep), textKeep_(textKeep)
{
}

void WordListLineScanner::Add(std::string_view part)
{
    if (!barSeen_) {
        const auto* bar = static_cast<const char*>(std::memchr(part.data(), '|', part.size()));
        const std::string_view before =
            bar ? part.substr(0, static_cast<std::size_t>(bar - part.data())) : part;
        word_.Add(before, wordKeep_);
        if (!bar) {
            if (whole_.size() < textKeep_)
                whole_.append(part.substr(0, textKeep_ - whole_.size()));
            return;
        }
        barSeen_ = true;
        part.remove_prefix(before.size() + 1);
    }
    text_.Add(part, textKeep_);
}

void WordListLineScanner::Take(WordListLine& line)
{
    line.isEntry = false;
    line.word.clear();
    if (!barSeen_) {
        line.text.swap(whole_);
    } else {
        // Whether a side is empty once trimmed does not depend on how much of it was kept.
        line.isEntry = text_.started && word_.started;
        text_.Take(line.text);
        if (text_.started)
            word_.Take(line.word);
    }
    barSeen_ = false;
    whole_.clear();
    word_.Clear();
    text_.Clear();
}

void WordListLineScanner::Side::Add(std::string_view bytes, std::size_t keep)
{
    if (!started) {
        const auto first = std::find_if(bytes.begin(), bytes.end(), [](char c) { return !IsBlank(c); });
        if (first == bytes.end())
            return;
        started = true;
        bytes.remove_prefix(static_cast<std::size_t>(first - bytes.begin()));
    }
    const std::size_t taken = std::min(bytes.size(), keep - std::min(keep, kept.size()));
    kept.append(bytes.substr(0, taken));
    bytes.remove_prefix(taken);
    if (!textFollows)
        textFollows = std::any_of(bytes.begin(), bytes.end(), [](char c) { return !IsBlank(c); });
}

void WordListLineScanner::Side::Take(std::string& out) const
{
    out.assign(textFollows ? std::string_view(kept) : gbk::Trimmed(kept));
}

void WordListLineScanner::Side::Clear()
{
    kept.clear();
    started = false;
    textFollows = false;
}
