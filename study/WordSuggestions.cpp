#include "study/WordSuggestions.h"

#include "store/DictTable.h"
#include "study/Lookup.h"
#include "study/MainView.h"
#include "text/GbkCodec.h"
#include "text/GbkText.h"

#include <algorithm>
#include <utility>

namespace {

// As much of an explanation as an entry shows after its word.
constexpr std::size_t kShownExplanation = 30;

struct Texts {
    std::string heading = gbk::FromUtf8("是不是：").value();
    std::string dash = gbk::FromUtf8(" — ").value();
    std::string more = gbk::FromUtf8("…").value();
};

const Texts& Say()
{
    static const Texts texts;
    return texts;
}

bool HoldsTwoByteCharacter(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i)
        if (gbk::IsLeadByte(text, i))
            return true;
    return false;
}

// "apple — 苹果…": the word and the start of its explanation's first line.
std::string ExplainedEntry(const ExplainedWord& found)
{
    const std::string_view interpret = found.interpret;
    const std::string_view firstLine = interpret.substr(0, interpret.find_first_of("\r\n"));
    std::string shown = gbk::CutToWidth(firstLine, kShownExplanation);
    const bool cut = shown.size() < interpret.size();
    // A cut sense ends in "…", not in the separator before it.
    if (cut)
        shown.erase(shown.find_last_not_of(" ,;") + 1);
    return found.word + Say().dash + shown + (cut ? Say().more : std::string());
}

} // namespace

void WordSuggestions::Offer(const std::string& typed, const std::string& shownWord)
{
    asked_.clear(); // the speller's answer for an earlier text is late
    const std::string sought = gbk::Trim(typed);
    if (sought.empty() || !c_.view.TextFitsGbk(Control::Edit_Input)) {
        Hide();
        return;
    }
    if (HoldsTwoByteCharacter(sought)) {
        std::vector<std::string> words;
        std::vector<std::string> entries;
        for (ExplainedWord& found : c_.table.WordsExplaining(sought, kMostExplained)) {
            entries.push_back(ExplainedEntry(found));
            words.push_back(std::move(found.word));
        }
        Show(std::move(words), entries);
    } else if (!IsWordPrefix(shownWord, sought)) {
        near_.clear();
        for (SimilarWord& similar : c_.table.SimilarWords(sought, kMostEdits, kMostSpellings))
            near_.push_back(std::move(similar.word));
        Show(near_, near_);
        // The speller answers later; its stored spellings then join the list.
        asked_ = sought;
        answered_ = false;
        speller_.Ask(sought);
    } else {
        Hide();
    }
}

std::vector<std::string> WordSuggestions::Merged(const std::vector<std::string>& spellings) const
{
    std::vector<std::string> words;
    const auto offered = [&words](const std::string& word) {
        return std::any_of(words.begin(), words.end(),
                           [&](const std::string& w) { return gbk::EqualNoCase(w, word); });
    };
    TDictTable& table = c_.table;
    const TDictTable::Bookmark shown = table.GetBookmark();
    for (const std::string& spelling : spellings) {
        if (words.size() == kMostSpellings)
            break;
        if (table.SeekExact(spelling) && !offered(table.FieldByName("word")))
            words.push_back(table.FieldByName("word"));
    }
    table.GotoBookmark(shown); // the lookup's word stays current
    for (const std::string& word : near_) {
        if (words.size() == kMostSpellings)
            break;
        if (!offered(word))
            words.push_back(word);
    }
    return words;
}

void WordSuggestions::SpellingsArrived(const std::string& word, const std::vector<std::string>& spellings)
{
    if (asked_.empty() || word != asked_)
        return;
    answered_ = true;
    std::vector<std::string> words = Merged(spellings);
    if (!words.empty() && words != words_)
        Show(words, words);
}

void WordSuggestions::Show(std::vector<std::string> words, const std::vector<std::string>& entries)
{
    if (words.empty()) {
        Hide();
        return;
    }
    words_ = std::move(words);
    c_.view.ShowSuggestions(Say().heading, entries);
}

void WordSuggestions::Hide()
{
    asked_.clear();
    if (words_.empty())
        return;
    words_.clear();
    c_.view.HideSuggestions();
}

std::string WordSuggestions::Take(int index)
{
    asked_.clear();
    if (index < 0 || static_cast<std::size_t>(index) >= words_.size())
        return {};
    return words_[static_cast<std::size_t>(index)];
}
