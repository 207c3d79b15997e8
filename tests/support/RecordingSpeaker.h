#pragma once
// A speaker that keeps the words it was asked to say, in order.

#include "study/Speaker.h"

#include <string>
#include <vector>

class RecordingSpeaker : public Speaker {
public:
    void Speak(const std::string& word) override { said.push_back(word); }
    std::vector<std::string> said;
};
