#include "wordlist/WordListEntryMaker.h"

#include "text/GbkCodec.h"
#include "text/GbkText.h"
#include "text/Utf8.h"
#include "text/Utf8ToGbkTable.h"

#include <algorithm>

namespace {

// The report shows this much of a text, which keeps a line of it readable.
constexpr std::size_t kReportedBytes = 200;
// A word the end message names is shown at most this long.
constexpr std::size_t kNamedBytes = 60;

bool IsBreakOrTab(char c)
{
    return c == '\r' || c == '\n' || c == '\t';
}

bool IsBlank(std::string_view text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= 0x20; });
}

bool Clean(std::string_view text)
{
    return std::none_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && c != '\t') || byte == 0x7F;
    });
}

// Without control characters other than line breaks and tabs, every line break as CR LF; most
// texts hold none of them and are given back as they are, in place.
std::string_view Cleaned(std::string_view text, std::string& buffer)
{
    if (Clean(text))
        return text;
    std::string& out = buffer;
    out.clear();
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (c == '\t' || (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)) {
            out += c;
        }
    }
    return out;
}

} // namespace

bool LeavesOut(EntryNote note)
{
    return note != EntryNote::Altered && note != EntryNote::Cut && note != EntryNote::WordCut;
}

WordListEntryMaker::WordListEntryMaker(WordListWidths widths, WordListEncoding encoding, EntryRules rules)
    : widths_(widths), encoding_(encoding), rules_(rules)
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

std::size_t WordListEntryMaker::WordGatherLimit(std::size_t width, WordListEncoding encoding)
{
    return std::max(GatherLimit(width, encoding), kReportedBytes);
}

std::optional<WordListEntry> WordListEntryMaker::Make(std::string_view word, std::string_view interpret,
                                                      std::uint64_t line)
{
    return rules_ == EntryRules::Own ? MakeOwn(word, interpret, line) : MakeFaithful(word, interpret, line);
}

void WordListEntryMaker::Note(EntryNote note, std::string_view word, std::string_view interpret,
                              std::uint64_t line)
{
    Tally& tally = LeavesOut(note) ? leftOut_ : note == EntryNote::Altered ? altered_ : cut_;
    if (tally.count++ == 0)
        tally.first = gbk::CutToWidth(
            encoding_ == WordListEncoding::Utf8 ? gbk::FromUtf8Lossy(word) : std::string(word), kNamedBytes);
    if (!sink_)
        return;
    const auto asRead = [this](std::string_view text) {
        const std::string_view shown = text.substr(0, kReportedBytes);
        return encoding_ == WordListEncoding::Utf8 ? utf8::Repaired(shown) : gbk::ToUtf8(shown);
    };
    sink_({line, asRead(word), asRead(interpret), note});
}

// What converts before the first character GBK cannot hold is all there is of the stored text once
// it reaches `width` bytes.
std::optional<std::string> WordListEntryMaker::OwnStored(std::string_view text, std::size_t width,
                                                         bool& cut) const
{
    if (encoding_ == WordListEncoding::Gbk) {
        cut = text.size() > width;
        return gbk::CutToWidth(text, width);
    }
    gbk::GbkStart converted = gbk::FromUtf8Start(text);
    if (!converted.whole && converted.bytes.size() < width)
        return std::nullopt;
    cut = !converted.whole || converted.bytes.size() > width;
    return gbk::CutToWidth(converted.bytes, width);
}

std::optional<WordListEntry> WordListEntryMaker::MakeOwn(std::string_view word, std::string_view interpret,
                                                         std::uint64_t line)
{
    if (word.empty() || interpret.empty())
        return std::nullopt;
    bool wordCut = false;
    bool interpretCut = false;
    auto storedWord = OwnStored(word, widths_.word, wordCut);
    if (!storedWord) {
        Note(EntryNote::WordNotGbk, word, interpret, line);
        return std::nullopt;
    }
    auto storedInterpret = OwnStored(interpret, widths_.interpret, interpretCut);
    if (!storedInterpret) {
        Note(EntryNote::ExplanationNotGbk, word, interpret, line);
        return std::nullopt;
    }
    // One count per entry, whichever text was cut.
    if (wordCut || interpretCut)
        Note(wordCut ? EntryNote::WordCut : EntryNote::Cut, word, interpret, line);
    ++made_;
    return WordListEntry{std::move(*storedWord), std::move(*storedInterpret), line};
}

std::size_t WordListEntryMaker::ToGbk(std::string_view text, std::string& out) const
{
    if (encoding_ == WordListEncoding::Gbk)
        return gbk::AppendRepaired(text, out);
    // Nearly every text converts whole, which the table does fastest.
    const std::size_t start = out.size();
    if (Utf8ToGbkTable::Get().Convert(text, out))
        return 0;
    out.resize(start);
    return Utf8ToGbkTable::Get().ConvertReplacing(text, out, gbk::kStandIn);
}

std::optional<WordListEntry> WordListEntryMaker::MakeFaithful(std::string_view word,
                                                              std::string_view interpret, std::uint64_t line)
{
    std::string wordBuffer, interpretBuffer;
    const std::string_view cleanWord = gbk::Trimmed(Cleaned(word, wordBuffer));
    const std::string_view cleanInterpret = Cleaned(interpret, interpretBuffer);
    const bool noExplanation = IsBlank(cleanInterpret);
    if (cleanWord.empty() && noExplanation)
        return std::nullopt; // an empty row
    const auto leaveOut = [&](EntryNote note) {
        Note(note, word, interpret, line);
        return std::nullopt;
    };
    if (cleanWord.empty())
        return leaveOut(EntryNote::NoWord);
    if (noExplanation) {
        ++withoutExplanation_;
        return leaveOut(EntryNote::NoExplanation);
    }
    if (std::any_of(cleanWord.begin(), cleanWord.end(), IsBreakOrTab))
        return leaveOut(EntryNote::WordBreaks);
    std::string storedWord;
    if (ToGbk(cleanWord, storedWord) > 0)
        return leaveOut(EntryNote::WordNotGbk);
    if (storedWord.size() > widths_.word)
        return leaveOut(EntryNote::WordTooLong);

    std::string storedInterpret;
    if (ToGbk(cleanInterpret, storedInterpret) > 0)
        Note(EntryNote::Altered, word, interpret, line);
    if (storedInterpret.size() > widths_.interpret) {
        storedInterpret = gbk::CutToWidth(storedInterpret, widths_.interpret);
        Note(EntryNote::Cut, word, interpret, line);
    }
    ++made_;
    return WordListEntry{std::move(storedWord), std::move(storedInterpret), line};
}
