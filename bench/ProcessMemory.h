#pragma once
// The resident memory of one command, measured in a process of its own so that nothing an earlier
// benchmark left behind counts: the benchmark program is started again with a job, does only
// that command, and prints its memory before the command, at the command's peak and after it.

#include <benchmark/benchmark.h>

#include <functional>
#include <string>

struct CommandMemory {
    long beforeKiB = 0;
    long peakKiB = 0;
    long afterKiB = 0;
};

// Runs `command` in this process, its peak counted from its start.
CommandMemory MeasureCommand(const std::function<void()>& command);

// In the child: the job it was started for; null in the benchmark program itself.
const char* ChildJob();
// In the child: hands the figures to the benchmark program and ends the process.
[[noreturn]] void ReportToParentAndExit(const CommandMemory& memory);

// Runs this program again for `job`, with `arguments` on its command line, and reports the child's
// figures as the counters before_MiB, peak_MiB and after_MiB.
void MeasureInChild(benchmark::State& state, const std::string& job, const std::string& arguments = "");
