#include "speech/EspeakSpeaker.h"

#include "speech/EspeakEngine.h"
#include "support/Gbk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

namespace {

// Generous bounds that only keep a broken speaker from hanging the run; nothing is timed.
constexpr auto kHangGuard = std::chrono::seconds(60);

struct Said {
    int rate = 0;
    std::vector<std::int16_t> samples;
};

// Every sample of a word said straight through.
Said Synthesize(const std::string& text)
{
    Said said;
    const espeak::Outcome outcome =
        espeak::Synthesize(text, "en-us", [&](const std::int16_t* samples, std::size_t count, int rate) {
            said.rate = rate;
            said.samples.insert(said.samples.end(), samples, samples + count);
            return true;
        });
    EXPECT_EQ(outcome, espeak::Outcome::Said);
    return said;
}

int Peak(const std::vector<std::int16_t>& samples)
{
    int peak = 0;
    for (const std::int16_t sample : samples)
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    return peak;
}

// A sound device that keeps what it is given, one entry per word begun. It can hold the first
// piece of the first word until the test lets it go, and it can be a device that fails to open.
class BufferOutput : public AudioOutput {
public:
    explicit BufferOutput(bool opens = true, bool holdFirstPiece = false)
        : opens_(opens), holding_(holdFirstPiece)
    {
    }

    bool Begin(int rate) override
    {
        const std::lock_guard<std::mutex> hold(mutex_);
        words_.push_back({rate, {}});
        changed_.notify_all();
        return opens_;
    }
    bool Write(const std::int16_t* samples, std::size_t count) override
    {
        std::unique_lock<std::mutex> lock(mutex_);
        words_.back().samples.insert(words_.back().samples.end(), samples, samples + count);
        changed_.notify_all();
        changed_.wait_for(lock, kHangGuard, [this] { return !holding_; });
        return true;
    }
    void Release() override {}

    void LetGo()
    {
        const std::lock_guard<std::mutex> hold(mutex_);
        holding_ = false;
        changed_.notify_all();
    }
    // Waits until `test` holds for the words so far, and returns them.
    template <class Test> std::vector<Said> WaitFor(Test test)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        EXPECT_TRUE(changed_.wait_for(lock, kHangGuard, [&] { return test(words_); }));
        return words_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Said> words_;
    bool opens_;
    bool holding_;
};

TEST(EspeakSpeaker, AWordBecomesAudibleSamplesOfASpokenWordsLength)
{
    const Said hello = Synthesize("hello");
    ASSERT_GT(hello.rate, 8000);
    const double seconds = static_cast<double>(hello.samples.size()) / hello.rate;
    EXPECT_GT(seconds, 0.2);
    EXPECT_LT(seconds, 2.0);
    EXPECT_GT(Peak(hello.samples), 3000);
    // A longer word takes longer. The voice varies a little from one saying to the next.
    EXPECT_GT(Synthesize("internationalization").samples.size(), 2 * hello.samples.size());
    EXPECT_EQ(espeak::Synthesize("hello", "zz-no-such-voice", [](auto...) { return true; }),
              espeak::Outcome::NoVoice);
    // A voice that is not there leaves the next word its own.
    const Said again = Synthesize("hello");
    EXPECT_NEAR(static_cast<double>(again.samples.size()), static_cast<double>(hello.samples.size()),
                hello.samples.size() * 0.1);
    EXPECT_GT(Peak(again.samples), 3000);
}

TEST(EspeakSpeaker, ANewerWordCutsOffTheOneBeingSaid)
{
    const std::string phrase = "one two three four five six seven eight nine ten";
    const std::size_t wholePhrase = Synthesize(phrase).samples.size();
    const std::size_t cat = Synthesize("cat").samples.size();

    auto owned = std::make_unique<BufferOutput>(true, true);
    BufferOutput& output = *owned;
    std::vector<std::string> notes;
    EspeakSpeaker speaker(std::move(owned), [&](const std::string& note) { notes.push_back(note); });
    speaker.Speak(phrase);
    output.WaitFor(
        [](const std::vector<Said>& words) { return !words.empty() && !words[0].samples.empty(); });
    speaker.Speak(G("  cat "));
    output.LetGo();
    const auto words = output.WaitFor(
        [&](const std::vector<Said>& w) { return w.size() == 2 && w[1].samples.size() >= cat * 9 / 10; });
    ASSERT_EQ(words.size(), 2u);
    EXPECT_LT(words[0].samples.size(), wholePhrase / 4);
    EXPECT_GT(Peak(words[1].samples), 3000);
    EXPECT_TRUE(notes.empty());
}

TEST(EspeakSpeaker, WithoutASoundDeviceOneNoteAndTheWordsAreDropped)
{
    auto owned = std::make_unique<BufferOutput>(false);
    BufferOutput& output = *owned;
    std::mutex mutex;
    std::vector<std::string> notes;
    {
        EspeakSpeaker speaker(std::move(owned), [&](const std::string& note) {
            const std::lock_guard<std::mutex> hold(mutex);
            notes.push_back(note);
        });
        // Words are said one after the other: once the third is begun, the second has ended.
        std::size_t spoken = 0;
        for (const char* word : {"one", "two", "three"}) {
            speaker.Speak(word);
            ++spoken;
            const auto words = output.WaitFor([&](const std::vector<Said>& w) { return w.size() == spoken; });
            EXPECT_TRUE(words.back().samples.empty());
        }
        speaker.Speak(""); // a blank word says nothing
    }
    const std::lock_guard<std::mutex> hold(mutex);
    EXPECT_EQ(notes, std::vector<std::string>{G("没有可用的声音设备，单词不能朗读")});
}

} // namespace
