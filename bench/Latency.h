#pragma once
// Per-action timing for benchmarks of what a user feels: each iteration times one action (setup and
// clean-up around it stay outside), and the run reports the median and the 99th percentile besides
// the mean. Use with ->UseManualTime().

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

// The wall time the action takes, in seconds.
template <class Action> double Seconds(Action&& action)
{
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class Latency {
public:
    template <class Action> void Time(benchmark::State& state, Action&& action)
    {
        Record(state, Seconds(action));
    }

    // An action timed by other means, e.g. across threads.
    void Record(benchmark::State& state, double seconds)
    {
        state.SetIterationTime(seconds);
        Add(seconds);
    }
    // An action's time for the figures only, e.g. of a part of the actions timed.
    void Add(double seconds) { seconds_.push_back(seconds); }

    // `kind` names the actions when a benchmark times actions of several kinds apart.
    void Report(benchmark::State& state, const std::string& kind = {})
    {
        if (seconds_.empty())
            return;
        std::sort(seconds_.begin(), seconds_.end());
        state.counters[kind + "median_us"] = seconds_[seconds_.size() / 2] * 1e6;
        state.counters[kind + "p99_us"] =
            seconds_[std::min(seconds_.size() - 1, seconds_.size() * 99 / 100)] * 1e6;
    }

private:
    std::vector<double> seconds_;
};
