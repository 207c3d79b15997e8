// The dictation drill over generated tables of 10k, 100k and 1M words, through the page logic and
// the fake window: a key in the answer box (a right answer with its step, a wrong one with its miss
// recorded in the error book, a key that finds the position outside the range), entering the page,
// and applying the settings page. A right answer also with 朗读 on, the word said by the speech
// synthesizer on its thread (into no device), and one in review with 10k words in the error book;
// the answers that write also on a disk with a slow flush.

#include "bench/BenchTable.h"
#include "bench/Latency.h"
#include "bench/SlowDisk.h"
#include "platform/KeyFileWriter.h"
#include "speech/EspeakSpeaker.h"
#include "store/DictTable.h"
#include "store/ErrorBook.h"
#include "study/StudyPages.h"
#include "support/FakeView.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <unistd.h>

namespace {

constexpr int kReviewBookWords = 10000;

void ExecuteBenchSql(TDictTable& table, const char* sql)
{
    if (sqlite3_exec(table.Connection(), sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        std::abort();
}

// The registry file of the runs stays in a private directory.
void UsePrivateConfig()
{
    static const bool done = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "dorori-bench-config-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        setenv("XDG_CONFIG_HOME", pattern.c_str(), 1);
        return true;
    }();
    (void)done;
}

// A sound device that takes the samples at once and plays them nowhere.
class NoDevice : public AudioOutput {
public:
    bool Begin(int) override { return true; }
    bool Write(const std::int16_t*, std::size_t) override { return true; }
    void Release() override {}
};

// The pages over one open table per size, wired to the fake window as the main window wires them;
// a speaking window has the speech synthesizer for its speaker.
struct Window {
    TDictTable table;
    FakeView view;
    std::unique_ptr<EspeakSpeaker> speaker;
    std::unique_ptr<StudyPages> pages;
};

// Each window drills a copy of its own: the misses it records stay out of the shared table.
std::unique_ptr<Window> MakeWindow(std::size_t count, bool speaking, const std::string& use)
{
    UsePrivateConfig();
    auto window = std::make_unique<Window>();
    window->table.Open(FreshBenchTableCopy(count, use));
    // The copy is written out first, so that the first durable answers do not wait for it.
    ::sync();
    if (speaking)
        window->speaker =
            std::make_unique<EspeakSpeaker>(std::make_unique<NoDevice>(), [](const std::string&) {});
    window->pages =
        std::make_unique<StudyPages>(window->table, window->view, StudyPaths{"/nonexistent.ini", "/tmp"},
                                     speaking ? *window->speaker : Silence());
    window->view.onChange = [w = window.get()](Control control) { w->pages->TextChanged(control); };
    window->pages->FirstShowWork();
    return window;
}

Window& WindowFor(std::size_t count)
{
    return OncePerSize<Window>(count, [count] { return MakeWindow(count, false, "dictation"); });
}

Window& SpeakingWindowFor(std::size_t count)
{
    return OncePerSize<Window>(count, [count] { return MakeWindow(count, true, "dictation-speaking"); });
}

// The settings page filled in as the user does, coming from the dictation page.
void FillSettings(Window& window, bool recycled, int groupCount, const std::string& firstWord)
{
    window.view.SelectPage(PageDictation);
    window.pages->settings.MenuItem_settingClick();
    window.view.SetChecked(Control::CheckBox_DictationRecycled, recycled);
    window.view.SetChecked(Control::CheckBox_DictationSpeak, window.speaker != nullptr);
    window.view.Type(Control::ComboBox_GroupWordCount, std::to_string(groupCount));
    window.view.Type(Control::Edit_FistWordInRecycle, firstWord);
}

// Its "确定" button with the page-entry actions of the dictation page it returns to.
void ApplySettings(Window& window)
{
    if (window.pages->settings.SpeedButton_applySettingClick())
        window.pages->PageControl1Change();
}

const std::string& MiddleWord(std::size_t count)
{
    return BenchWords(count)[count / 2].word;
}

// Enter in the answer box of a drill started at the table's middle word, with the asked word typed
// (`right`) or a wrong one.
void AnswerKey(benchmark::State& state, Window& window, bool recycled, int groupCount, bool right)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    FillSettings(window, recycled, groupCount, MiddleWord(count));
    ApplySettings(window);
    Latency latency;
    for (auto _ : state) {
        window.view.texts[Control::Edit_Dictation] =
            right ? window.pages->state.DictationWord : "0-not-a-word";
        latency.Time(state, [&] { window.pages->dictation.Edit_DictationKeyDown(VK_RETURN); });
    }
    if (window.view.LastStatus() != (right ? "Quite Right!" : "Error!"))
        state.SkipWithError(right ? "the answer was not taken" : "the wrong answer was taken");
    latency.Report(state);
}

void BM_KeyRightAnswer(benchmark::State& state)
{
    AnswerKey(state, WindowFor(static_cast<std::size_t>(state.range(0))), false, 20, true);
}

void BM_KeyRightAnswerSpeaking(benchmark::State& state)
{
    AnswerKey(state, SpeakingWindowFor(static_cast<std::size_t>(state.range(0))), false, 20, true);
}

// Right answers inside a group of 50: every 50th one returns to the group's first word.
void BM_KeyRightAnswerInGroup(benchmark::State& state)
{
    AnswerKey(state, WindowFor(static_cast<std::size_t>(state.range(0))), true, 50, true);
}

// Each wrong answer records its miss, a durable transaction of its own.
void BM_KeyWrongAnswer(benchmark::State& state)
{
    AnswerKey(state, WindowFor(static_cast<std::size_t>(state.range(0))), true, 50, false);
}

// A window reviewing an error book of 10k words spread over the table (fewer where a word comes up
// twice), their misses varied.
std::unique_ptr<Window> MakeReviewWindow(std::size_t count)
{
    auto window = MakeWindow(count, false, "review");
    ErrorBook& book = window->pages->errorBook;
    RandomBenchWords words(count, 11);
    book.RecordMiss(words.Next().word, 0); // makes the table, outside the one transaction below
    ExecuteBenchSql(window->table, "BEGIN");
    for (int i = 1; i < kReviewBookWords; ++i) {
        const std::string& word = words.Next().word;
        for (int miss = 0; miss <= i % 3; ++miss)
            book.RecordMiss(word, i);
    }
    ExecuteBenchSql(window->table, "COMMIT");
    window->view.SelectPage(PageDictation);
    window->pages->settings.MenuItem_settingClick();
    window->view.SetChecked(Control::CheckBox_DictationReview, true);
    ApplySettings(*window);
    return window;
}

// A right answer in review: its run raised or the word retired, the book's next word asked. A
// retired word goes back into the book between the timed answers, so the book keeps its size.
void BM_KeyRightAnswerInReview(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Window& window = OncePerSize<Window>(count, [count] { return MakeReviewWindow(count); });
    ErrorBook& book = window.pages->errorBook;
    const int size = book.Count();
    Latency latency;
    for (auto _ : state) {
        const std::string answered = window.pages->state.DictationWord;
        window.view.texts[Control::Edit_Dictation] = answered;
        latency.Time(state, [&] { window.pages->dictation.Edit_DictationKeyDown(VK_RETURN); });
        if (window.view.LastStatus() != "Quite Right!")
            book.RecordMiss(answered, 0);
    }
    if (book.Count() != size)
        state.SkipWithError("the book did not keep its size");
    latency.Report(state);
}

// The answers that write, on a disk whose flush takes 10 ms: the window's thread does not wait for it.
void BM_KeyWrongAnswerOnSlowDisk(benchmark::State& state)
{
    const SlowDisk disk;
    BM_KeyWrongAnswer(state);
}

void BM_KeyRightAnswerInReviewOnSlowDisk(benchmark::State& state)
{
    const SlowDisk disk;
    BM_KeyRightAnswerInReview(state);
}

// Ctrl+Right with the position outside a group of 50 that starts at the table's middle word, where
// `place` puts it before each key: the key returns it to the group's start.
void KeyOutsideTheGroup(benchmark::State& state, const std::function<void(TDictTable&, int start)>& place)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Window& window = WindowFor(count);
    FillSettings(window, true, 50, MiddleWord(count));
    ApplySettings(window);
    const int start = window.pages->state.DictationStartRecNo;
    Latency latency;
    for (auto _ : state) {
        place(window.table, start);
        latency.Time(state, [&] { window.pages->dictation.Edit_DictationKeyDown(VK_RIGHT); });
    }
    if (window.table.RecNo() != start)
        state.SkipWithError("the drill did not return to the group's start");
    latency.Report(state);
}

// Ctrl+Right on the group's last word: the key then finds the position one past the range.
void BM_KeyPastTheGroup(benchmark::State& state)
{
    KeyOutsideTheGroup(state, [](TDictTable& table, int start) { table.SetRecNo(start + 50); });
}

// The worst place to return from: the position at the table's end.
void BM_KeyFarOutsideTheGroup(benchmark::State& state)
{
    KeyOutsideTheGroup(state, [](TDictTable& table, int) { table.Last(); });
}

// Selecting the dictation tab after another page moved the table, asked words spread over the table.
void BM_EnterDictationPage(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Window& window = WindowFor(count);
    RandomBenchWords words(count, 5);
    Latency latency;
    for (auto _ : state) {
        window.pages->state.DictationWord = words.Next().word;
        window.table.First();
        window.view.SelectPage(PageDictation);
        latency.Time(state, [&] { window.pages->PageControl1Change(); });
    }
    latency.Report(state);
}

// The "确定" button of the settings page with its page-entry actions, the first word of each
// iteration given by `firstWord`; the registry write is included.
void TimeApplySettings(benchmark::State& state, const std::function<std::string()>& firstWord)
{
    Window& window = WindowFor(static_cast<std::size_t>(state.range(0)));
    Latency latency;
    for (auto _ : state) {
        FillSettings(window, true, 50, firstWord());
        latency.Time(state, [&] { ApplySettings(window); });
    }
    if (window.view.settingsTab)
        state.SkipWithError("the settings were not applied");
    latency.Report(state);
}

// First words spread over the table.
void BM_ApplySettings(benchmark::State& state)
{
    RandomBenchWords words(static_cast<std::size_t>(state.range(0)), 7);
    TimeApplySettings(state, [&] { return words.Next().word; });
}

// The same, with the key file put in place aside, as the program saves it.
void BM_ApplySettingsKeyWrittenAside(benchmark::State& state)
{
    const KeyFileWriter writer;
    RandomBenchWords words(static_cast<std::size_t>(state.range(0)), 7);
    TimeApplySettings(state, [&] { return words.Next().word; });
}

// The table's last word as the first word: both record numbers (the range's start and the counter
// on page entry) are counted over the whole table.
void BM_ApplySettingsLastWord(benchmark::State& state)
{
    TDictTable& table = WindowFor(static_cast<std::size_t>(state.range(0))).table;
    table.Last();
    const std::string last = table.FieldByName("word");
    TimeApplySettings(state, [&] { return last; });
}

// A keystroke in the first-word box: the "到" label of a group of 50.
void BM_FirstWordKeystroke(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Window& window = WindowFor(count);
    RandomBenchWords words(count, 9);
    window.pages->settings.MenuItem_settingClick();
    window.view.Type(Control::ComboBox_GroupWordCount, "50");
    Latency latency;
    for (auto _ : state) {
        const std::string& word = words.Next().word;
        latency.Time(state, [&] { window.view.Type(Control::Edit_FistWordInRecycle, word); });
    }
    latency.Report(state);
}

#define SIZES ->Apply(BenchTableSizes)->UseManualTime()->Unit(benchmark::kMicrosecond)
BENCHMARK(BM_KeyRightAnswer) SIZES;
BENCHMARK(BM_KeyRightAnswerSpeaking) SIZES;
BENCHMARK(BM_KeyRightAnswerInGroup) SIZES;
BENCHMARK(BM_KeyWrongAnswer) SIZES;
BENCHMARK(BM_KeyRightAnswerInReview)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeyWrongAnswerOnSlowDisk)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeyRightAnswerInReviewOnSlowDisk)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeyPastTheGroup) SIZES;
BENCHMARK(BM_KeyFarOutsideTheGroup) SIZES;
BENCHMARK(BM_EnterDictationPage) SIZES;
BENCHMARK(BM_ApplySettings) SIZES;
BENCHMARK(BM_ApplySettingsKeyWrittenAside) SIZES;
BENCHMARK(BM_ApplySettingsLastWord) SIZES;
BENCHMARK(BM_FirstWordKeystroke) SIZES;

} // namespace
