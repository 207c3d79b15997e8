// Finding words half-remembered, over generated tables of 10k, 100k and 1M words: a keystroke whose
// text begins no stored word (the lookup, then the stored words spelt nearly alike), Hunspell's
// answer on its own thread until its stored spellings are in the list, a keystroke in Chinese (the
// words whose explanation holds it), and the first use of each, which reads the words into memory.
// Beside them, references doing the same work: a plain scan of every word with the same edit
// distance, and the engine's own scan of the explanations in word order.

#include "bench/BenchTable.h"
#include "bench/Latency.h"
#include "bench/WordListGenerator.h"
#include "spelling/HunspellSpeller.h"
#include "store/DictSchema.h"
#include "store/DictTable.h"
#include "store/SqliteStatement.h"
#include "study/FormState.h"
#include "study/Lookup.h"
#include "support/FakeView.h"
#include "text/EditDistance.h"
#include "text/GbkText.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <condition_variable>
#include <malloc.h>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// The lookup page over one open table; the speller's answers are handed over by the benchmark.
struct FindingPage {
    explicit FindingPage(const std::string& path) : logic({table, state, view}) { table.Open(path); }
    TDictTable table;
    FormState state;
    FakeView view;
    Lookup logic;
};

FindingPage& PageFor(std::size_t count)
{
    return OncePerSize<FindingPage>(count,
                                    [count] { return std::make_unique<FindingPage>(BenchTablePath(count)); });
}

void Keystroke(FindingPage& page, const std::string& typed)
{
    page.view.texts[Control::Edit_Input] = typed;
    page.logic.Edit_InputChange();
}

// The next stored word of four letters or more with two neighbouring letters swapped in its
// middle, as a typo makes it.
std::string NextTypo(RandomBenchWords& words)
{
    std::string typed = words.Next().word;
    while (typed.size() < 4)
        typed = words.Next().word;
    const std::size_t at = typed.size() / 2;
    std::swap(typed[at - 1], typed[at]);
    return typed;
}

// The first two characters of a stored word's explanation that stand side by side, as a learner
// types them; "苹果" when there are none.
std::string ChineseFrom(const std::string& interpret)
{
    for (std::size_t i = 0; i + 4 <= interpret.size(); i += gbk::IsLeadByte(interpret, i) ? 2 : 1)
        if (gbk::IsLeadByte(interpret, i) && gbk::IsLeadByte(interpret, i + 2))
            return interpret.substr(i, 4);
    return "\xC6\xBB\xB9\xFB";
}

void BM_SpellingKeystroke(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    FindingPage& page = PageFor(count);
    Keystroke(page, "recieve"); // the first use reads the words, untimed
    RandomBenchWords words(count, 5);
    Latency latency;
    long lists = 0;
    for (auto _ : state) {
        const std::string typed = NextTypo(words);
        latency.Time(state, [&] { Keystroke(page, typed); });
        lists += !page.view.suggestions.empty();
    }
    state.counters["with_list"] =
        benchmark::Counter(static_cast<double>(lists), benchmark::Counter::kAvgIterations);
    latency.Report(state);
}

// From the question to Hunspell (after a keystroke) to its stored spellings merged into the list:
// the time the list takes to change after the keystroke has been answered.
void BM_SpellerAnswerMerged(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    FindingPage& page = PageFor(count);
    std::mutex mutex;
    std::condition_variable came;
    std::optional<std::pair<std::string, std::vector<std::string>>> answer;
    HunspellSpeller speller([&](const std::string& word, std::vector<std::string> spellings) {
        const std::lock_guard lock(mutex);
        answer.emplace(word, std::move(spellings));
        came.notify_one();
    });
    const auto ask = [&](const std::string& typed) {
        {
            const std::lock_guard lock(mutex);
            answer.reset();
        }
        speller.Ask(typed);
        std::unique_lock lock(mutex);
        came.wait(lock, [&] { return answer.has_value(); });
        page.logic.suggestions.SpellingsArrived(answer->first, answer->second);
    };
    Keystroke(page, "recieve");
    ask("recieve"); // the dictionary is read with the first question, untimed
    RandomBenchWords words(count, 5);
    Latency latency;
    for (auto _ : state) {
        const std::string typed = NextTypo(words);
        Keystroke(page, typed);
        latency.Time(state, [&] { ask(typed); });
    }
    latency.Report(state);
}

// The same search by a plain scan: every stored word folded and measured against the typed text.
void BM_SpellingReferencePlainScan(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    const std::vector<GeneratedWord>& stored = BenchWords(count);
    RandomBenchWords words(count, 5);
    Latency latency;
    for (auto _ : state) {
        const std::string typed = gbk::UpperCase(NextTypo(words));
        latency.Time(state, [&] {
            std::vector<std::pair<int, const std::string*>> near;
            for (const GeneratedWord& candidate : stored) {
                const int distance = EditDistance(typed, gbk::UpperCase(candidate.word), 2);
                if (distance <= 2)
                    near.emplace_back(distance, &candidate.word);
            }
            std::sort(near.begin(), near.end());
            benchmark::DoNotOptimize(near.data());
        });
    }
    latency.Report(state);
}

// One character of a stored explanation, then two, as an input method hands them over.
void BM_ChineseKeystroke(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    FindingPage& page = PageFor(count);
    Keystroke(page, "\xC6\xBB\xB9\xFB"); // the first use, untimed
    RandomBenchWords words(count, 6);
    Latency latency;
    long entries = 0;
    for (auto _ : state) {
        const std::string typed = ChineseFrom(words.Next().interpret);
        for (const std::size_t length : {2, 4}) {
            latency.Time(state, [&] { Keystroke(page, typed.substr(0, length)); });
            entries += static_cast<long>(page.view.suggestions.size());
        }
    }
    // Per keystroke: two keystrokes an iteration.
    state.counters["entries"] =
        benchmark::Counter(static_cast<double>(entries) / 2, benchmark::Counter::kAvgIterations);
    latency.Report(state);
}

// The engine's scan for the same words: the explanations read in word order through the word index
// until twenty hold the typed bytes.
void BM_ChineseReferenceEngineScan(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    FindingPage& page = PageFor(count);
    SqliteStatement search(
        page.table.Connection(),
        "SELECT word FROM DORori WHERE instr(CAST(interpret AS BLOB), CAST(?1 AS BLOB)) > 0 "
        "ORDER BY " DICT_WORD_ORDER ", ID LIMIT 20");
    RandomBenchWords words(count, 6);
    Latency latency;
    for (auto _ : state) {
        const std::string typed = ChineseFrom(words.Next().interpret);
        for (const std::size_t length : {2, 4}) {
            latency.Time(state, [&] {
                search.Reset().Bind(1, typed.substr(0, length));
                while (search.Step()) {
                }
            });
        }
    }
    latency.Report(state);
}

// The heap's bytes in use, large blocks (mapped apart) included.
std::size_t HeapInUse()
{
    const struct mallinfo2 heap = mallinfo2();
    return heap.uordblks + heap.hblkhd;
}

// The first use after the table is opened: every word, or every record, read into memory; the
// memory they then keep is the heap in use after the first use less before it.
void FirstUse(benchmark::State& state, bool chinese)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    const std::string path = BenchTablePath(count);
    Latency latency;
    double keptMiB = 0;
    for (auto _ : state) {
        TDictTable table;
        table.Open(path);
        const std::size_t before = HeapInUse();
        latency.Time(state, [&] {
            if (chinese)
                benchmark::DoNotOptimize(table.WordsExplaining("\xC6\xBB\xB9\xFB", 20));
            else
                benchmark::DoNotOptimize(table.SimilarWords("recieve", 2, 8));
        });
        keptMiB = static_cast<double>(HeapInUse() - before) / (1 << 20);
    }
    state.counters["kept_MiB"] = keptMiB;
    latency.Report(state);
}

void BM_SpellingFirstUse(benchmark::State& state)
{
    FirstUse(state, false);
}

void BM_ChineseFirstUse(benchmark::State& state)
{
    FirstUse(state, true);
}

#define SIZES ->Apply(BenchTableSizes)->MinWarmUpTime(0.2)->UseManualTime()->Unit(benchmark::kMicrosecond)
BENCHMARK(BM_SpellingKeystroke) SIZES;
BENCHMARK(BM_SpellerAnswerMerged) SIZES;
BENCHMARK(BM_SpellingReferencePlainScan) SIZES;
BENCHMARK(BM_ChineseKeystroke) SIZES;
BENCHMARK(BM_ChineseReferenceEngineScan) SIZES;
BENCHMARK(BM_SpellingFirstUse)
    ->Apply(BenchTableSizes)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChineseFirstUse)
    ->Apply(BenchTableSizes)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
