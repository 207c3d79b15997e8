#pragma once
// The list that drops below the lookup box when the typed text begins no stored word: the stored
// words spelt nearly like it, or, for text in Chinese, the stored words whose explanation holds it.
// Only stored words are ever offered; the lookup shows the one picked (Lookup::SuggestionPicked).

#include "study/Speller.h"
#include "study/StudyContext.h"

#include <string>
#include <vector>

class WordSuggestions {
public:
    static constexpr int kMostEdits = 2;
    static constexpr std::size_t kMostSpellings = 8;
    static constexpr std::size_t kMostExplained = 20;

    // `speller` is asked about every typed text that drops spellings; the stored words among its
    // answer then come first, in its order.
    WordSuggestions(StudyContext context, Speller& speller) : c_(context), speller_(speller) {}

    // After a keystroke's lookup, which landed on `shownWord`: the list for `typed`, or none. A
    // typed text that begins the word shown costs nothing more.
    void Offer(const std::string& typed, const std::string& shownWord);
    void Hide();
    // The speller's spellings for `word`: merged into the list while it still offers spellings
    // for that text, and nothing has been picked from it.
    void SpellingsArrived(const std::string& word, const std::vector<std::string>& spellings);
    // True once the speller's answer for the text of the list has come.
    bool SpellerAnswered() const { return answered_; }
    // The stored word of the entry at `index`, picked; empty when there is none. The speller's
    // answer no longer changes the list it was picked from.
    std::string Take(int index);

private:
    void Show(std::vector<std::string> words, const std::vector<std::string>& entries);
    // The speller's spellings that are stored words, as stored, then the near ones.
    std::vector<std::string> Merged(const std::vector<std::string>& spellings) const;

    StudyContext c_;
    Speller& speller_;
    std::vector<std::string> words_; // the word of each entry shown
    std::string asked_;              // the text the speller was last asked about, while it counts
    std::vector<std::string> near_;  // the stored words within the allowed edits of it
    bool answered_ = false;
};
