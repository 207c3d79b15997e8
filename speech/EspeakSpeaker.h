#pragma once
// Says words with the speech synthesizer on a thread of its own, started with the first word, so
// that the window never waits: Speak, always called from one thread, only hands the word over. A
// newer word cuts off the one being said; after a pause the sound device is given back. When there
// is no voice or no device, the one note for that trouble is handed to `note` (on the speaking
// thread) and the words are dropped without delay.

#include "speech/AudioOutput.h"
#include "study/Speaker.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class EspeakSpeaker : public Speaker {
public:
    // A GBK text for the status line.
    using Note = std::function<void(const std::string& text)>;

    EspeakSpeaker(std::unique_ptr<AudioOutput> output, Note note, std::string voice = "en-us");
    // Cuts off the word being said and waits for the thread to end.
    ~EspeakSpeaker() override;
    EspeakSpeaker(const EspeakSpeaker&) = delete;
    EspeakSpeaker& operator=(const EspeakSpeaker&) = delete;

    void Speak(const std::string& word) override;

private:
    void Run();
    void Say(const std::string& word, std::uint64_t turn);
    void NoteOnce(bool& noted, const char* utf8);

    std::unique_ptr<AudioOutput> output_;
    Note note_;
    std::string voice_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::string pending_;
    bool hasPending_ = false;
    bool stopping_ = false;
    // Raised by every new word: a word whose turn has passed stops at its next piece.
    std::atomic<std::uint64_t> turn_{0};

    // Owned by the speaking thread.
    bool deviceInUse_ = false;
    bool notedVoice_ = false;
    bool notedDevice_ = false;

    std::thread thread_;
};
