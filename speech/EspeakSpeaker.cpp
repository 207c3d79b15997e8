#include "speech/EspeakSpeaker.h"

#include "speech/EspeakEngine.h"
#include "text/GbkCodec.h"
#include "text/GbkText.h"

#include <chrono>
#include <utility>

namespace {

// After this long without a word the sound device is given back to other programs.
constexpr auto kReleaseAfter = std::chrono::seconds(5);

} // namespace

EspeakSpeaker::EspeakSpeaker(std::unique_ptr<AudioOutput> output, Note note, std::string voice)
    : output_(std::move(output)), note_(std::move(note)), voice_(std::move(voice))
{
}

EspeakSpeaker::~EspeakSpeaker()
{
    {
        const std::lock_guard<std::mutex> hold(mutex_);
        stopping_ = true;
        ++turn_;
    }
    wake_.notify_one();
    if (thread_.joinable())
        thread_.join();
}

void EspeakSpeaker::Speak(const std::string& word)
{
    {
        const std::lock_guard<std::mutex> hold(mutex_);
        pending_ = word;
        hasPending_ = true;
        ++turn_;
    }
    // Started with the first word: most starts say nothing.
    if (!thread_.joinable())
        thread_ = std::thread([this] { Run(); });
    wake_.notify_one();
}

void EspeakSpeaker::Run()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        const auto ready = [this] { return hasPending_ || stopping_; };
        if (deviceInUse_ && !wake_.wait_for(lock, kReleaseAfter, ready)) {
            output_->Release();
            deviceInUse_ = false;
            continue;
        }
        wake_.wait(lock, ready);
        if (stopping_)
            break;
        const std::string word = std::move(pending_);
        const std::uint64_t turn = turn_;
        hasPending_ = false;
        lock.unlock();
        Say(word, turn);
        lock.lock();
    }
    lock.unlock();
    output_->Release();
}

void EspeakSpeaker::Say(const std::string& word, std::uint64_t turn)
{
    const std::string text = gbk::ToUtf8(gbk::Trim(word));
    if (text.empty())
        return;
    bool begun = false;
    bool deviceFailed = false;
    const espeak::Outcome outcome =
        espeak::Synthesize(text, voice_, [&](const std::int16_t* samples, std::size_t count, int rate) {
            if (turn_ != turn)
                return false;
            if (!begun) {
                begun = true;
                deviceInUse_ = true;
                deviceFailed = !output_->Begin(rate);
            }
            if (!deviceFailed)
                deviceFailed = !output_->Write(samples, count);
            return !deviceFailed;
        });
    if (outcome == espeak::Outcome::NoData || outcome == espeak::Outcome::NoVoice)
        NoteOnce(notedVoice_, "没有找到英语语音，单词不能朗读");
    if (deviceFailed) {
        output_->Release();
        deviceInUse_ = false;
        NoteOnce(notedDevice_, "没有可用的声音设备，单词不能朗读");
    }
}

void EspeakSpeaker::NoteOnce(bool& noted, const char* utf8)
{
    if (noted)
        return;
    noted = true;
    note_(gbk::FromUtf8(utf8).value());
}
