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

    // Stored words among `speller`'s suggestions come first, in its order.
    WordSuggestions(StudyContext context, Speller& speller) : c_(context), speller_(speller) {}

    // After a keystroke's lookup, which landed on `shownWord`: the list for `typed`, or none. A
    // typed text that begins the word shown costs nothing more.
    void Offer(const std::string& typed, const std::string& shownWord);
    void Hide();
    // The stored word of the entry at `index`; empty when there is none.
    std::string WordAt(int index) const;

private:
    void Show(std::vector<std::string> words, const std::vector<std::string>& entries);
    // The stored words spelt nearly like `sought`, best first.
    std::vector<std::string> Spellings(const std::string& sought);

    StudyContext c_;
    Speller& speller_;
    std::vector<std::string> words_; // the word of each entry shown
};
