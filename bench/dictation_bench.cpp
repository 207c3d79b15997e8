// The dictation drill over generated tables of 10k, 100k and 1M words, through the page logic and
// the fake window: a key in the answer box (a right answer with its step, a wrong one, a key that
// finds the position outside the range), entering the page, and applying the settings page.

#include "bench/BenchTable.h"
#include "bench/Latency.h"
#include "bench/WordListGenerator.h"
#include "dict/DictTable.h"
#include "study/StudyPages.h"
#include "support/FakeView.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>

namespace {

const std::vector<GeneratedWord>& Words(std::size_t count)
{
    static std::map<std::size_t, std::vector<GeneratedWord>> cache;
    auto& words = cache[count];
    if (words.empty())
        words = GenerateWordList(count);
    return words;
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

// The pages over one open table per size, wired to the fake window as the main window wires them.
struct Window {
    TDictTable table;
    FakeView view;
    std::unique_ptr<StudyPages> pages;
};

Window& WindowFor(std::size_t count)
{
    static std::map<std::size_t, std::unique_ptr<Window>> windows;
    auto& window = windows[count];
    if (!window) {
        UsePrivateConfig();
        window = std::make_unique<Window>();
        window->table.Open(BenchTablePath(count));
        window->pages =
            std::make_unique<StudyPages>(window->table, window->view, StudyPaths{"/nonexistent.ini", "/tmp"});
        window->view.onChange = [w = window.get()](Control control) { w->pages->TextChanged(control); };
        window->pages->FirstShowWork();
    }
    return *window;
}

// The settings page applied as the user does, the dictation page entered afterwards.
void Apply(Window& window, bool recycled, int groupCount, const std::string& firstWord)
{
    window.view.SelectPage(PageDictation);
    window.pages->settings.MenuItem_settingClick();
    window.view.SetChecked(Control::CheckBox_DictationRecycled, recycled);
    window.view.Type(Control::ComboBox_GroupWordCount, std::to_string(groupCount));
    window.view.Type(Control::Edit_FistWordInRecycle, firstWord);
    if (window.pages->settings.SpeedButton_applySettingClick())
        window.pages->PageControl1Change();
}

const std::string& MiddleWord(std::size_t count)
{
    return Words(count)[count / 2].word;
}

void BM_KeyRightAnswer(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Window& window = WindowFor(count);
    Apply(window, false, 20, MiddleWord(count));
    Latency latency;
    for (auto _ : state) {
        window.view.texts[Control::Edit_Dictation] = window.pages->state.DictationWord;
        latency.Time(state, [&] { window.pages->dictation.Edit_DictationKeyDown(VK_RETURN); });
    }
    if (window.view.LastStatus() != "Quite Right!")
        state.SkipWithError("the answer was not taken");
    latency.Report(state);
}

// Right answers inside a group of 50: every 50th one returns to the group's first word.
void BM_KeyRightAnswerInGroup(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Window& window = WindowFor(count);
    Apply(window, true, 50, MiddleWord(count));
    Latency latency;
    for (auto _ : state) {
        window.view.texts[Control::Edit_Dictation] = window.pages->state.DictationWord;
        latency.Time(state, [&] { window.pages->dictation.Edit_DictationKeyDown(VK_RETURN); });
    }
    latency.Report(state);
}

void BM_KeyWrongAnswer(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Window& window = WindowFor(count);
    Apply(window, true, 50, MiddleWord(count));
    Latency latency;
    for (auto _ : state) {
        window.view.texts[Control::Edit_Dictation] = "0-not-a-word";
        latency.Time(state, [&] { window.pages->dictation.Edit_DictationKeyDown(VK_RETURN); });
    }
    if (window.view.LastStatus() != "Error!")
        state.SkipWithError("the wrong answer was taken");
    latency.Report(state);
}

// Ctrl+Right on the group's last word: the key then finds the position one past the range.
void BM_KeyPastTheGroup(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Window& window = WindowFor(count);
    Apply(window, true, 50, MiddleWord(count));
    Dictation& drill = window.pages->dictation;
    const int start = window.pages->state.DictationStartRecNo;
    Latency latency;
    for (auto _ : state) {
        window.table.SetRecNo(start + 50);
        latency.Time(state, [&] { drill.Edit_DictationKeyDown(VK_RIGHT); });
    }
    if (window.table.RecNo() != start)
        state.SkipWithError("the drill did not return to the group's start");
    latency.Report(state);
}

// The worst place to return from: a group in the middle of the table and the position at its end.
void BM_KeyFarOutsideTheGroup(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Window& window = WindowFor(count);
    Apply(window, true, 50, MiddleWord(count));
    const int start = window.pages->state.DictationStartRecNo;
    Latency latency;
    for (auto _ : state) {
        window.table.Last();
        latency.Time(state, [&] { window.pages->dictation.Edit_DictationKeyDown(VK_RIGHT); });
    }
    if (window.table.RecNo() != start)
        state.SkipWithError("the drill did not return to the group's start");
    latency.Report(state);
}

// Selecting the dictation tab after another page moved the table, asked words spread over the table.
void BM_EnterDictationPage(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Window& window = WindowFor(count);
    const auto& words = Words(count);
    std::mt19937 random(5);
    Latency latency;
    for (auto _ : state) {
        window.pages->state.DictationWord = words[random() % count].word;
        window.table.First();
        window.view.SelectPage(PageDictation);
        latency.Time(state, [&] { window.pages->PageControl1Change(); });
    }
    latency.Report(state);
}

// The "确定" button of the settings page with its page-entry actions, first words spread over the
// table; the registry write is included.
void BM_ApplySettings(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Window& window = WindowFor(count);
    const auto& words = Words(count);
    std::mt19937 random(7);
    Latency latency;
    for (auto _ : state) {
        window.view.SelectPage(PageDictation);
        window.pages->settings.MenuItem_settingClick();
        window.view.SetChecked(Control::CheckBox_DictationRecycled, true);
        window.view.Type(Control::ComboBox_GroupWordCount, "50");
        window.view.Type(Control::Edit_FistWordInRecycle, words[random() % count].word);
        latency.Time(state, [&] {
            if (window.pages->settings.SpeedButton_applySettingClick())
                window.pages->PageControl1Change();
        });
    }
    if (window.view.settingsTab)
        state.SkipWithError("the settings were not applied");
    latency.Report(state);
}

// The same with the table's last word as the first word: both record numbers (the range's start and
// the counter on page entry) are counted over the whole table.
void BM_ApplySettingsLastWord(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Window& window = WindowFor(count);
    window.table.Last();
    const std::string last = window.table.FieldByName("word");
    Latency latency;
    for (auto _ : state) {
        window.view.SelectPage(PageDictation);
        window.pages->settings.MenuItem_settingClick();
        window.view.SetChecked(Control::CheckBox_DictationRecycled, true);
        window.view.Type(Control::ComboBox_GroupWordCount, "50");
        window.view.Type(Control::Edit_FistWordInRecycle, last);
        latency.Time(state, [&] {
            if (window.pages->settings.SpeedButton_applySettingClick())
                window.pages->PageControl1Change();
        });
    }
    latency.Report(state);
}

// A keystroke in the first-word box: the "到" label of a group of 50.
void BM_FirstWordKeystroke(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Window& window = WindowFor(count);
    const auto& words = Words(count);
    window.pages->settings.MenuItem_settingClick();
    window.view.Type(Control::ComboBox_GroupWordCount, "50");
    std::mt19937 random(9);
    Latency latency;
    for (auto _ : state) {
        const std::string& word = words[random() % count].word;
        latency.Time(state, [&] { window.view.Type(Control::Edit_FistWordInRecycle, word); });
    }
    latency.Report(state);
}

#define SIZES ->Arg(10000)->Arg(100000)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMicrosecond)
BENCHMARK(BM_KeyRightAnswer) SIZES;
BENCHMARK(BM_KeyRightAnswerInGroup) SIZES;
BENCHMARK(BM_KeyWrongAnswer) SIZES;
BENCHMARK(BM_KeyPastTheGroup) SIZES;
BENCHMARK(BM_KeyFarOutsideTheGroup) SIZES;
BENCHMARK(BM_EnterDictationPage) SIZES;
BENCHMARK(BM_ApplySettings) SIZES;
BENCHMARK(BM_ApplySettingsLastWord) SIZES;
BENCHMARK(BM_FirstWordKeystroke) SIZES;

} // namespace
