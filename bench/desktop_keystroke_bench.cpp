// A keystroke in the lookup box as a user sees it: the real program on a desktop of its own (Xvfb
// with openbox) over a generated table beside it, keys sent as a keyboard sends them, letters of
// stored words and Backspace. A key's time runs from its press to the last change of the window's
// pixels before they stayed still for the settle period. Needs Xvfb and openbox. The program is the
// one built beside it, or $DORORI_BENCH_PROGRAM, so that two builds can be compared in one session.
//
// On a virtual machine the host may take the processors away for tens of milliseconds however
// little a key asks of them (the machine's "steal" time): the keys during whose measurement that
// happened are counted, and the keys it spared are given figures of their own besides all keys'.

#include "bench/BenchTable.h"
#include "bench/Latency.h"
#include "bench/VirtualDesktop.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr int kKeys = 104;
constexpr auto kSettle = 100ms;
constexpr auto kSlow = 16ms;

// The time the host has taken the processors away from this machine, in seconds.
double StolenSeconds()
{
    std::ifstream stat("/proc/stat");
    std::string cpu;
    long long user = 0, nice = 0, system = 0, idle = 0, iowait = 0, irq = 0, softirq = 0, steal = 0;
    stat >> cpu >> user >> nice >> system >> idle >> iowait >> irq >> softirq >> steal;
    return static_cast<double>(steal) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

// The start of a stored word typed letter by letter, then erased: at most five letters each.
std::vector<std::string> TypingKeys(std::size_t words)
{
    RandomBenchWords random(words, 24);
    std::vector<std::string> keys;
    while (keys.size() < kKeys) {
        const std::string& word = random.Next().word;
        const std::size_t letters = std::min<std::size_t>(word.size(), 2 + random.Below(4));
        for (std::size_t i = 0; i < letters; ++i)
            keys.push_back(std::string(1, static_cast<char>(word[i] | 0x20))); // lower case
        keys.insert(keys.end(), letters, "BackSpace");
    }
    keys.resize(kKeys);
    return keys;
}

void TypeOnTheDesktop(benchmark::State& state)
{
    const auto words = static_cast<std::size_t>(state.range(0));
    TempDir work;
    fs::create_directories(work / "program/data");
    const char* program = std::getenv("DORORI_BENCH_PROGRAM");
    fs::copy_file(program ? program : DORORI_PROGRAM, work / "program/DoRori");
    fs::copy_file(BenchTablePath(words), work / "program/data/DORori.db");
    const std::vector<std::string> keys = TypingKeys(words);

    VirtualDesktop desktop(work.path());
    desktop.Start(work / "program/DoRori");
    const unsigned long window = desktop.WaitForWindow("RIdavave", 20s);
    desktop.WaitForFocus(window, 10s);
    WindowPixels pixels(desktop.Connection(), window);
    // The first paints over; the caret blinks every half second, so a shorter rest shows the end.
    pixels.LastChange(std::chrono::steady_clock::now(), 400ms, 20s);

    Latency latency;
    Latency spared; // the keys the host did not take the processors from
    // Letters show words the list may not have shown before; Backspace returns to words it has.
    std::vector<double> letters;
    int slow = 0;
    int metSteal = 0;
    const double stolenAtStart = StolenSeconds();
    std::size_t next = 0;
    for (auto _ : state) {
        const std::string& key = keys[next++ % keys.size()];
        const double stolenBefore = StolenSeconds();
        const SteadyTime sent = desktop.SendKey(key);
        const auto changed = pixels.LastChange(sent, kSettle, 5s);
        if (!changed) {
            state.SkipWithError("a key left the window unchanged, or it did not come to rest");
            break;
        }
        const double seconds = std::chrono::duration<double>(*changed - sent).count();
        latency.Record(state, seconds);
        // From the press to the end of the settle period: a steal then may not have met the key.
        if (StolenSeconds() > stolenBefore)
            ++metSteal;
        else
            spared.Add(seconds);
        if (key != "BackSpace")
            letters.push_back(seconds);
        slow += *changed - sent > kSlow;
    }
    latency.Report(state);
    spared.Report(state, "spared_");
    state.counters["met_steal"] = metSteal;
    state.counters["steal_ms"] = (StolenSeconds() - stolenAtStart) * 1e3;
    state.counters["above_16ms"] = slow;
    if (!letters.empty()) {
        std::sort(letters.begin(), letters.end());
        state.counters["letter_median_us"] = letters[letters.size() / 2] * 1e6;
    }
}

void BM_KeystrokeOnTheDesktop(benchmark::State& state)
{
    // A desktop or window that does not come up ends the run with its reason, and its processes.
    try {
        TypeOnTheDesktop(state);
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
    }
}

BENCHMARK(BM_KeystrokeOnTheDesktop)
    ->Arg(10000)
    ->Arg(1000000)
    ->Iterations(kKeys)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
