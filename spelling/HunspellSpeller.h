#pragma once
// The suggestions of Hunspell, the speller desktop programs share, from its American English
// dictionary, read at the first suggestion rather than at the start. Without the dictionary it
// suggests nothing, and the pages go on without it.

#include "study/Speller.h"

#include <memory>
#include <string>

class Hunspell;

class HunspellSpeller : public Speller {
public:
    // The dictionary's two files are `folder`/en_US.aff and `folder`/en_US.dic.
    explicit HunspellSpeller(std::string folder = "/usr/share/hunspell");
    ~HunspellSpeller() override;

    std::vector<std::string> Suggest(const std::string& word) override;

private:
    std::string folder_;
    bool looked_ = false; // for the dictionary
    std::unique_ptr<Hunspell> hunspell_;
};
