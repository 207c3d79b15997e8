// The word table's seeks, steps and record numbers over generated tables of 10k, 100k and 1M words.

#include "bench/BenchTable.h"
#include "store/DictTable.h"
#include "store/WordSeek.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

// One open table per size, shared by the read-only benchmarks.
TDictTable& ReadTable(std::size_t count)
{
    return OncePerSize<TDictTable>(count, [count] {
        auto table = std::make_unique<TDictTable>();
        table->Open(BenchTablePath(count));
        return table;
    });
}

// A private copy for the benchmarks that change the table.
std::unique_ptr<TDictTable> WritableCopy(std::size_t count)
{
    auto table = std::make_unique<TDictTable>();
    table->Open(FreshBenchTableCopy(count, "write"));
    return table;
}

void BM_SeekWordRecord(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    TDictTable& table = ReadTable(count);
    RandomBenchWords words(count, 7);
    for (auto _ : state)
        benchmark::DoNotOptimize(Seek_Word_Record(table, words.Next().word));
}

void BM_SeekNearest(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    TDictTable& table = ReadTable(count);
    RandomBenchWords words(count, 8);
    for (auto _ : state)
        table.SeekNearest(words.Next().word.substr(0, 3) + "zz");
}

// One step in word order per iteration, starting over at the far end, with or without reading the
// record number after it.
void Step(benchmark::State& state, bool forward, bool readRecNo)
{
    TDictTable& table = ReadTable(static_cast<std::size_t>(state.range(0)));
    const auto startOver = [&] { forward ? table.First() : table.Last(); };
    startOver();
    for (auto _ : state) {
        forward ? table.Next() : table.Prior();
        if (forward ? table.Eof() : table.Bof())
            startOver();
        if (readRecNo)
            benchmark::DoNotOptimize(table.RecNo());
    }
}
void BM_Next(benchmark::State& state)
{
    Step(state, true, false);
}
void BM_Prior(benchmark::State& state)
{
    Step(state, false, false);
}
void BM_RecNoAfterNext(benchmark::State& state)
{
    Step(state, true, true);
}

void BM_RecNoAfterSeek(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    TDictTable& table = ReadTable(count);
    RandomBenchWords words(count, 9);
    for (auto _ : state) {
        table.SeekNearest(words.Next().word);
        benchmark::DoNotOptimize(table.RecNo());
    }
}

void BM_SetRecNoNear(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    TDictTable& table = ReadTable(static_cast<std::size_t>(count));
    table.SetRecNo(count / 2);
    int step = 50;
    for (auto _ : state) {
        table.SetRecNo(table.RecNo() + step);
        step = -step;
    }
}

void BM_SetRecNoFar(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    TDictTable& table = ReadTable(static_cast<std::size_t>(count));
    std::mt19937 random(10);
    for (auto _ : state)
        table.SetRecNo(1 + static_cast<int>(random() % count));
}

// A whole walk in word order, without and with reading the record number at every step: the two
// must cost about the same.
void WalkAll(benchmark::State& state, bool readRecNo)
{
    TDictTable& table = ReadTable(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        long sum = 0;
        for (table.First(); !table.Eof(); table.Next())
            sum += readRecNo ? table.RecNo() : 1;
        benchmark::DoNotOptimize(sum);
    }
}
void BM_WalkAll(benchmark::State& state)
{
    WalkAll(state, false);
}
void BM_WalkAllReadingRecNo(benchmark::State& state)
{
    WalkAll(state, true);
}

void BM_AppendPost(benchmark::State& state)
{
    auto table = WritableCopy(static_cast<std::size_t>(state.range(0)));
    long serial = 0;
    for (auto _ : state) {
        table->Append();
        table->SetFieldByName("word", "zzbench" + std::to_string(serial++));
        table->SetFieldByName("interpret", "benchmark");
        table->Post();
    }
}

void BM_Delete(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    auto table = WritableCopy(count);
    std::mt19937 random(11);
    for (auto _ : state) {
        state.PauseTiming();
        table->SetRecNo(1 + static_cast<int>(random() % table->RecordCount()));
        const std::string word = table->FieldByName("word");
        const std::string interpret = table->FieldByName("interpret");
        state.ResumeTiming();
        table->Delete();
        state.PauseTiming(); // put it back, so the table keeps its size
        table->Append();
        table->SetFieldByName("word", word);
        table->SetFieldByName("interpret", interpret);
        table->Post();
        state.ResumeTiming();
    }
}

void BM_OpenExisting(benchmark::State& state)
{
    const std::string path = BenchTablePath(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        TDictTable table;
        table.Open(path);
        benchmark::DoNotOptimize(table.FieldByName("word"));
    }
}

// Opening, then the first record number after a seek: the record-number runs are made then (what a
// start with the dictation settings costs beyond opening).
void BM_OpenThenFirstRecNo(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    const std::string path = BenchTablePath(count);
    const std::string& middle = BenchWords(count)[count / 2].word;
    for (auto _ : state) {
        TDictTable table;
        table.Open(path);
        table.SeekNearest(middle);
        benchmark::DoNotOptimize(table.RecNo());
    }
}

#define SIZES ->Apply(BenchTableSizes)
BENCHMARK(BM_SeekWordRecord) SIZES;
BENCHMARK(BM_SeekNearest) SIZES;
BENCHMARK(BM_Next) SIZES;
BENCHMARK(BM_Prior) SIZES;
BENCHMARK(BM_RecNoAfterNext) SIZES;
BENCHMARK(BM_RecNoAfterSeek) SIZES;
BENCHMARK(BM_SetRecNoNear) SIZES;
BENCHMARK(BM_SetRecNoFar) SIZES;
BENCHMARK(BM_WalkAll) SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkAllReadingRecNo) SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AppendPost) SIZES->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Delete) SIZES->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenExisting) SIZES->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenThenFirstRecNo) SIZES->Unit(benchmark::kMillisecond);

} // namespace
