#pragma once
// The speech synthesizer of the process. Its library keeps one global state, so it is loaded once
// and used by one word at a time, from whichever thread asks.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace espeak {

enum class Outcome {
    Said,    // the whole word went to the receiver
    Stopped, // the receiver stopped it
    NoData,  // the synthesizer's data files are missing
    NoVoice, // the voice is not installed
    Failed,  // the synthesizer failed on the text
};

// Receives the samples of a word piece by piece as they are made (16-bit mono at `rate`); returns
// false to stop the word.
using Receiver = std::function<bool(const std::int16_t* samples, std::size_t count, int rate)>;

// Says the UTF-8 `text` with the voice named `voice` ("en-us"), handing its samples to `receive`.
// The first call loads the synthesizer; without its library or its data files every call answers
// NoData.
Outcome Synthesize(const std::string& text, const std::string& voice, const Receiver& receive);

} // namespace espeak
