#pragma once
// Per-action timing for benchmarks of what a user feels: each iteration times one action (setup and
// clean-up around it stay outside), and the run reports the median and the 99th percentile besides
// the mean. Use with ->UseManualTime().

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

class Latency {
public:
    template <class Action> void Time(benchmark::State& state, Action&& action)
    {
        const auto start = std::chrono::steady_clock::now();
        action();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        seconds_.push_back(took.count());
    }

    void Report(benchmark::State& state)
    {
        if (seconds_.empty())
            return;
        std::sort(seconds_.begin(), seconds_.end());
        state.counters["median_us"] = seconds_[seconds_.size() / 2] * 1e6;
        state.counters["p99_us"] = seconds_[std::min(seconds_.size() - 1, seconds_.size() * 99 / 100)] * 1e6;
    }

private:
    std::vector<double> seconds_;
};
