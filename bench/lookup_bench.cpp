// The lookup page over generated tables of 10k, 100k and 1M words: one keystroke in the input box
// (seek and show, with the fake window), scrolling the preview list, and the next button.

#include "bench/BenchPage.h"
#include "bench/BenchTable.h"
#include "bench/Latency.h"
#include "bench/WordListGenerator.h"
#include "store/DictTable.h"
#include "study/Lookup.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

// Beside the generated words, kFullPrefix itself and 300 words that begin with it, so typing it
// shows a full preview of 255 entries. No generated word begins with "qw".
constexpr const char* kFullPrefix = "qwf";
constexpr int kPrefixGroup = 300;

std::string LookupTablePath(std::size_t count)
{
    return CachedBenchFile("lookup-" + std::to_string(count) + ".db", [count](const std::string& building) {
        std::filesystem::copy_file(BenchTablePath(count), building);
        TDictTable table;
        table.Open(building);
        const auto explanations = GenerateWordList(kPrefixGroup + 1, 2);
        table.BeginBatch();
        for (int i = 0; i <= kPrefixGroup; ++i) {
            std::string word = kFullPrefix;
            if (i > 0)
                word += {static_cast<char>('a' + i / 26 % 26), static_cast<char>('a' + i % 26), 'o', 'n'};
            table.Append();
            table.SetFieldByName("word", word);
            table.SetFieldByName("interpret", explanations[i].interpret);
            table.Post();
        }
        table.EndBatch();
    });
}

// The lookup page over one open table per size.
using Page = BenchPage<Lookup>;

Page& PageFor(std::size_t count)
{
    return OncePerSize<Page>(count, [count] { return std::make_unique<Page>(LookupTablePath(count)); });
}

void Keystroke(Page& page, const std::string& typed)
{
    page.view.texts[Control::Edit_Input] = typed;
    page.logic.Edit_InputChange();
}

// Typing the prefix whose word begins 300 others: seek and the list's first screen.
void BM_KeystrokeFullPreview(benchmark::State& state)
{
    Page& page = PageFor(static_cast<std::size_t>(state.range(0)));
    Latency latency;
    for (auto _ : state) {
        // Another page moved the table meanwhile, as happens between keystrokes.
        page.table.First();
        latency.Time(state, [&] { Keystroke(page, kFullPrefix); });
    }
    if (page.view.preview.size() != static_cast<std::size_t>(page.view.previewRows + 1))
        state.SkipWithError("the preview does not hold its first screen");
    latency.Report(state);
}

// Scrolling that list to its end once more: the next entries, timed by the scroll, until it holds
// all 255.
void BM_ScrollFullPreview(benchmark::State& state)
{
    Page& page = PageFor(static_cast<std::size_t>(state.range(0)));
    // The list another benchmark left may be a short one that scrolling never fills.
    Keystroke(page, kFullPrefix);
    Latency latency;
    for (auto _ : state) {
        if (page.view.preview.size() >= 255)
            Keystroke(page, kFullPrefix); // untimed: the time is the manual one
        latency.Time(state, [&] { page.logic.MorePreview(); });
    }
    latency.Report(state);
}

// Typing the start of a random stored word, as a user does letter by letter.
void BM_KeystrokeTypedPrefix(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Page& page = PageFor(count);
    RandomBenchWords words(count, 3);
    Latency latency;
    long previewEntries = 0;
    for (auto _ : state) {
        const std::string& word = words.Next().word;
        const std::string typed = word.substr(0, 1 + words.Below(word.size()));
        latency.Time(state, [&] { Keystroke(page, typed); });
        previewEntries += static_cast<long>(page.view.preview.size());
    }
    state.counters["preview_entries"] =
        benchmark::Counter(static_cast<double>(previewEntries), benchmark::Counter::kAvgIterations);
    latency.Report(state);
}

// Typing a random stored word letter by letter: each keystroke after the first lands where the one
// before it did, as a user's keystrokes do.
void BM_KeystrokeLetterByLetter(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Page& page = PageFor(count);
    RandomBenchWords words(count, 4);
    Latency latency;
    for (auto _ : state) {
        const std::string& word = words.Next().word;
        for (std::size_t length = 1; length <= word.size(); ++length) {
            const std::string typed = word.substr(0, length);
            latency.Time(state, [&] { Keystroke(page, typed); });
        }
    }
    latency.Report(state);
}

void BM_NextButton(benchmark::State& state)
{
    Page& page = PageFor(static_cast<std::size_t>(state.range(0)));
    page.logic.SetInputWord("pro");
    Keystroke(page, "pro");
    Latency latency;
    for (auto _ : state) {
        latency.Time(state, [&] { page.logic.SpeedButton_nextClick(); });
        if (page.table.Eof())
            page.logic.SetInputWord("pro");
    }
    latency.Report(state);
}

// The warm-up lets first uses (texts converted once, the pages of the table read) happen untimed.
#define SIZES ->Apply(BenchTableSizes)->MinWarmUpTime(0.2)->UseManualTime()->Unit(benchmark::kMicrosecond)
BENCHMARK(BM_KeystrokeFullPreview) SIZES;
BENCHMARK(BM_ScrollFullPreview) SIZES;
BENCHMARK(BM_KeystrokeTypedPrefix) SIZES;
BENCHMARK(BM_KeystrokeLetterByLetter) SIZES;
BENCHMARK(BM_NextButton) SIZES;

} // namespace
