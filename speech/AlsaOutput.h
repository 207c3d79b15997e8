#pragma once
// Plays spoken words on the desktop's default sound device. A short buffer keeps a newer word from
// waiting behind an older one, and playback starts with the first piece rather than a full buffer.

#include "speech/AudioOutput.h"

#include <string>

struct _snd_pcm;

class AlsaOutput : public AudioOutput {
public:
    // `device` is the sound device's name for the sound library ("default": the desktop's).
    explicit AlsaOutput(std::string device = "default");
    ~AlsaOutput() override;
    AlsaOutput(const AlsaOutput&) = delete;
    AlsaOutput& operator=(const AlsaOutput&) = delete;

    bool Begin(int rate) override;
    bool Write(const std::int16_t* samples, std::size_t count) override;
    void Release() override;

private:
    bool Open(int rate);

    std::string device_;
    _snd_pcm* pcm_ = nullptr;
    int rate_ = 0;
};
