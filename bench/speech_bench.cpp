// Spoken words: from a word being asked (the page logic handing it to the speaker) to its first
// samples reaching the sound device, with the speech synthesizer on its thread. The device is a
// buffer, and the sound library's null device, which takes samples as a sound card would but
// plays them nowhere (a benchmark machine has no sound card). Each iteration asks a new word
// while the one before may still be being said, so it also cuts that one off.

#include "bench/Latency.h"
#include "speech/AlsaOutput.h"
#include "speech/EspeakSpeaker.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <iterator>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// Passes the samples on to `device` (nothing when null) and notes when the first samples of the
// latest word have been handed over.
class FirstSampleWatch : public AudioOutput {
public:
    explicit FirstSampleWatch(std::unique_ptr<AudioOutput> device) : device_(std::move(device)) {}

    bool Begin(int rate) override { return !device_ || device_->Begin(rate); }
    bool Write(const std::int16_t* samples, std::size_t count) override
    {
        const bool written = !device_ || device_->Write(samples, count);
        const std::lock_guard<std::mutex> hold(mutex_);
        if (!heard_) {
            heard_ = Clock::now();
            changed_.notify_all();
        }
        return written;
    }
    void Release() override
    {
        if (device_)
            device_->Release();
    }

    void Expect()
    {
        const std::lock_guard<std::mutex> hold(mutex_);
        heard_.reset();
    }
    Clock::time_point WaitForFirstSample()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return heard_.has_value(); });
        return *heard_;
    }

private:
    std::unique_ptr<AudioOutput> device_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<Clock::time_point> heard_;
};

const char* const kWords[] = {"apple", "international", "cat", "thoroughly", "quiet", "elephant", "be"};

void TimeFirstSample(benchmark::State& state, std::unique_ptr<AudioOutput> device)
{
    auto owned = std::make_unique<FirstSampleWatch>(std::move(device));
    FirstSampleWatch& watch = *owned;
    bool noted = false;
    EspeakSpeaker speaker(std::move(owned), [&](const std::string&) { noted = true; });
    Latency latency;
    std::size_t next = 0;
    double firstMs = 0;
    for (auto _ : state) {
        watch.Expect();
        const Clock::time_point asked = Clock::now();
        speaker.Speak(kWords[next++ % std::size(kWords)]);
        const double seconds = std::chrono::duration<double>(watch.WaitForFirstSample() - asked).count();
        if (next == 1) // the process's first word also loads the synthesizer, or opens the device
            firstMs = seconds * 1e3;
        latency.Record(state, seconds);
    }
    state.counters["first_word_ms"] = firstMs;
    if (noted)
        state.SkipWithError("the speaker found no voice or no device");
    latency.Report(state);
}

void BM_FirstSampleIntoABuffer(benchmark::State& state)
{
    TimeFirstSample(state, nullptr);
}

void BM_FirstSampleIntoTheNullDevice(benchmark::State& state)
{
    TimeFirstSample(state, std::make_unique<AlsaOutput>("null"));
}

BENCHMARK(BM_FirstSampleIntoABuffer)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(BM_FirstSampleIntoTheNullDevice)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace
