#pragma once
// Spellings a speller of the desktop's own suggests for a misspelt word, best first. The pages
// offer only those of them that are stored words. Asking never waits: the answer comes later,
// through the function the speller was made with, and the window hands it to the pages
// (StudyPages::SpellingsArrived).

#include <string>
#include <vector>

class Speller {
public:
    virtual ~Speller() = default;
    // `word` is GBK. A newer question replaces one not yet taken up.
    virtual void Ask(const std::string& word) = 0;
};

// A speller that never answers, for pages built without one.
Speller& NoSpeller();
