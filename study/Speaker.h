#pragma once
// Says words aloud for the pages. Speaking never waits: the word is said in the background, and a
// newer word cuts off the one still being said.

#include <string>

class Speaker {
public:
    virtual ~Speaker() = default;
    // `word` is GBK; a blank word says nothing.
    virtual void Speak(const std::string& word) = 0;
};

// A speaker that says nothing, for pages built without a voice.
Speaker& Silence();
