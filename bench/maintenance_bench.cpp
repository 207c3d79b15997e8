// The maintenance page over generated tables of 10k, 100k and 1M words: find, save (a new word and
// an update) and delete, each with its durable commit, through the fake window; saving and deleting
// also on a disk with a slow flush.

#include "bench/BenchPage.h"
#include "bench/BenchTable.h"
#include "bench/Latency.h"
#include "bench/SlowDisk.h"
#include "bench/WordListGenerator.h"
#include "store/DictTable.h"
#include "store/WordSeek.h"
#include "study/Maintenance.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

// The page over a private copy of the generated table, made once per size and run; the benchmarks
// put back what they change, so the table keeps its size.
using Page = BenchPage<Maintenance>;

Page& PageFor(std::size_t count)
{
    return OncePerSize<Page>(
        count, [count] { return std::make_unique<Page>(FreshBenchTableCopy(count, "maintenance")); });
}

void Fill(Page& page, const std::string& word, const std::string& interpret)
{
    page.view.texts[Control::Edit_newword] = word;
    page.view.texts[Control::Memo_newInterpret] = interpret;
}

void BM_Find(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Page& page = PageFor(count);
    RandomBenchWords words(count, 4);
    Latency latency;
    for (auto _ : state) {
        Fill(page, words.Next().word, std::string());
        latency.Time(state, [&] { page.logic.SpeedButton_findwordClick(); });
    }
    latency.Report(state);
}

void BM_SaveNewWord(benchmark::State& state)
{
    Page& page = PageFor(static_cast<std::size_t>(state.range(0)));
    const auto explanations = GenerateWordList(64, 5);
    long serial = 0;
    Latency latency;
    for (auto _ : state) {
        const std::string word = "qzsave" + std::to_string(serial);
        Fill(page, word, explanations[serial++ % explanations.size()].interpret);
        latency.Time(state, [&] { page.logic.SpeedButton_SaveWordClick(); });
        if (!Seek_Word_Record(page.table, word)) {
            state.SkipWithError("the word was not stored");
            break;
        }
        page.table.Delete();
    }
    latency.Report(state);
}

void BM_SaveUpdate(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Page& page = PageFor(count);
    const auto explanations = GenerateWordList(64, 6);
    RandomBenchWords words(count, 7);
    Latency latency;
    for (auto _ : state) {
        const GeneratedWord& entry = words.Next();
        Fill(page, entry.word, explanations[words.Below(explanations.size())].interpret);
        page.view.answers = {Answer::Yes};
        latency.Time(state, [&] { page.logic.SpeedButton_SaveWordClick(); });
        // Put the generated explanation back.
        page.table.Edit();
        page.table.SetFieldByName("interpret", entry.interpret);
        page.table.Post();
    }
    latency.Report(state);
}

void BM_Delete(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    Page& page = PageFor(count);
    RandomBenchWords words(count, 8);
    Latency latency;
    for (auto _ : state) {
        const GeneratedWord& entry = words.Next();
        Fill(page, entry.word, std::string());
        page.view.answers = {Answer::Yes};
        latency.Time(state, [&] { page.logic.SpeedButton5Click(); });
        page.table.Append();
        page.table.SetFieldByName("word", entry.word);
        page.table.SetFieldByName("interpret", entry.interpret);
        page.table.Post();
    }
    if (page.table.RecordCount() != static_cast<int>(count))
        state.SkipWithError("the table changed its size");
    latency.Report(state);
}

// The same on a disk whose flush takes 10 ms: the window's thread does not wait for it.
void BM_SaveNewWordOnSlowDisk(benchmark::State& state)
{
    const SlowDisk disk;
    BM_SaveNewWord(state);
}

void BM_DeleteOnSlowDisk(benchmark::State& state)
{
    const SlowDisk disk;
    BM_Delete(state);
}

#define SIZES ->Apply(BenchTableSizes)->UseManualTime()->Unit(benchmark::kMicrosecond)
BENCHMARK(BM_Find) SIZES;
BENCHMARK(BM_SaveNewWord) SIZES;
BENCHMARK(BM_SaveUpdate) SIZES;
BENCHMARK(BM_Delete) SIZES;
BENCHMARK(BM_SaveNewWordOnSlowDisk)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeleteOnSlowDisk)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
