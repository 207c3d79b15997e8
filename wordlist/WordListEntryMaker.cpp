#include "wordlist/WordListEntryMaker.h"

#include "text/GbkCodec.h"
#include "text/GbkText.h"

WordListEntryMaker::WordListEntryMaker(WordListWidths widths, WordListEncoding encoding)
    : widths_(widths), encoding_(encoding)
{
}

// One byte beyond a width decides where a cut at a character boundary falls. A UTF-8 character
// takes at most three times the bytes it takes in GBK (the euro sign: three bytes, one in GBK), and
// a cut may end inside one, so three times as much UTF-8 always converts to a byte beyond the width.
std::size_t WordListEntryMaker::GatherLimit(std::size_t width, WordListEncoding encoding)
{
    if (width == std::string::npos)
        return width;
    return encoding == WordListEncoding::Utf8 ? 3 * (width + 1) + 3 : width + 1;
}

// What converts before the first character GBK cannot hold is all there is of the stored text once
// it reaches `width` bytes.
std::optional<std::string> WordListEntryMaker::Stored(std::string_view text, std::size_t width,
                                                      bool& cut) const
{
    if (encoding_ == WordListEncoding::Gbk) {
        cut = cut || text.size() > width;
        return gbk::CutToWidth(text, width);
    }
    gbk::GbkStart converted = gbk::FromUtf8Start(text);
    if (!converted.whole && converted.bytes.size() < width)
        return std::nullopt;
    cut = cut || !converted.whole || converted.bytes.size() > width;
    return gbk::CutToWidth(converted.bytes, width);
}

std::optional<WordListEntry> WordListEntryMaker::Make(std::string_view word, std::string_view interpret)
{
    if (word.empty() || interpret.empty())
        return std::nullopt;
    bool cut = false;
    auto storedWord = Stored(word, widths_.word, cut);
    auto storedInterpret = storedWord ? Stored(interpret, widths_.interpret, cut) : std::nullopt;
    if (!storedWord || !storedInterpret) {
        if (skipped_++ == 0)
            firstSkipped_ = gbk::CutToWidth(encoding_ == WordListEncoding::Utf8 ? gbk::FromUtf8Lossy(word)
                                                                                : std::string(word),
                                            widths_.word);
        return std::nullopt;
    }
    if (cut && cut_++ == 0)
        firstCut_ = *storedWord;
    return WordListEntry{std::move(*storedWord), std::move(*storedInterpret)};
}
