#pragma once
// Spellings a speller of the desktop's own suggests for a misspelt word, best first. The pages
// offer only those of them that are stored words.

#include <string>
#include <vector>

class Speller {
public:
    virtual ~Speller() = default;
    // `word` is GBK; none when the speller knows no better or has no dictionary.
    virtual std::vector<std::string> Suggest(const std::string& word) = 0;
};

// A speller that suggests nothing, for pages built without one.
Speller& NoSpeller();
