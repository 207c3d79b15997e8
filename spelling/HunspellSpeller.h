#pragma once
// The suggestions of Hunspell, the speller desktop programs share, from its American English
// dictionary, worked out on a thread of its own: a suggestion takes it tens of milliseconds, which
// a keystroke must not wait for. The dictionary is read with the first question, not at the
// start; without it every answer is empty, and the pages go on without the speller.

#include "study/Speller.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct Hunhandle;

class HunspellSpeller : public Speller {
public:
    // Called on the speller's thread with the word asked and its spellings, best first; once for
    // each question taken up.
    using Answer = std::function<void(const std::string& word, std::vector<std::string> spellings)>;

    // The dictionary's two files are `folder`/en_US.aff and `folder`/en_US.dic.
    explicit HunspellSpeller(Answer answer, std::string folder = "/usr/share/hunspell");
    // Waits for the suggestion under way, if any, and for the thread to end.
    ~HunspellSpeller() override;
    HunspellSpeller(const HunspellSpeller&) = delete;
    HunspellSpeller& operator=(const HunspellSpeller&) = delete;

    void Ask(const std::string& word) override;

private:
    void Run();
    std::vector<std::string> Suggest(const std::string& word);

    Answer answer_;
    std::string folder_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::string pending_;
    bool hasPending_ = false;
    bool stopping_ = false;

    // Owned by the speller's thread.
    bool looked_ = false; // for the dictionary
    std::unique_ptr<Hunhandle, void (*)(Hunhandle*)> hunspell_{nullptr, nullptr};

    std::thread thread_; // started by the first question, on the window's thread
};
