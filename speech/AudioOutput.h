#pragma once
// Where spoken samples go: 16-bit mono samples at the synthesizer's rate. Only the speaking thread
// uses it.

#include <cstddef>
#include <cstdint>

class AudioOutput {
public:
    virtual ~AudioOutput() = default;

    // Gets ready for a new word at `rate` samples a second, dropping whatever the word before still
    // had to say. False when there is no device to play on.
    virtual bool Begin(int rate) = 0;
    // Plays the samples; waits at most about as long as the device buffers. False when the device
    // failed.
    virtual bool Write(const std::int16_t* samples, std::size_t count) = 0;
    // Nothing was said for a while: the device is given back to other programs.
    virtual void Release() = 0;
};
