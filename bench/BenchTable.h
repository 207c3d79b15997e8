#pragma once
// Generated word lists, tables and files for benchmarks: generated once per run, and the files
// built once and kept under /tmp between runs.

#include "bench/WordListGenerator.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

// GenerateWordList(words), generated once per run.
const std::vector<GeneratedWord>& BenchWords(std::size_t words);

// The words of BenchWords(words) in a fixed pseudo-random order, one per call, so every run asks
// the same words.
class RandomBenchWords {
public:
    RandomBenchWords(std::size_t words, unsigned seed) : words_(BenchWords(words)), random_(seed) {}
    const GeneratedWord& Next() { return words_[random_() % words_.size()]; }
    // A number below `limit`, from the same sequence.
    std::size_t Below(std::size_t limit) { return random_() % limit; }

private:
    const std::vector<GeneratedWord>& words_;
    std::mt19937 random_;
};

// "/tmp/dorori-bench-<name>", made on first use by `make`, which is given a path beside it to
// write; the file takes its name only once complete, so a run stopped midway leaves nothing a
// later run would take for it.
std::string CachedBenchFile(const std::string& name,
                            const std::function<void(const std::string& path)>& make);

// The table sizes the benchmarks of the core run at: `->Apply(BenchTableSizes)`.
void BenchTableSizes(benchmark::internal::Benchmark* benchmark);

// Path of a table holding BenchWords(words); built on first use.
std::string BenchTablePath(std::size_t words);

// A fresh private copy of that table, named after `use`, for benchmarks that change the table.
std::string FreshBenchTableCopy(std::size_t words, const std::string& use);

// Removes a table file and the files the engine keeps beside it.
void RemoveBenchTable(const std::string& path);

// One object per table size for the call site (each lambda is its own type), made by `make` on
// first use and kept for the whole run, so the benchmarks of a size share an open table.
template <class T, class Make> T& OncePerSize(std::size_t words, Make make)
{
    static std::map<std::size_t, std::unique_ptr<T>> made;
    std::unique_ptr<T>& slot = made[words];
    if (!slot)
        slot = make();
    return *slot;
}
