#include "bench/ProcessMemory.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

constexpr const char* kJobVariable = "DORORI_BENCH_JOB";
// Marks the child's figures among whatever else it prints.
constexpr const char* kFiguresMark = "resident KiB before/peak/after:";

long StatusKiB(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::strtol(line.c_str() + field.size(), nullptr, 10);
    return -1;
}

// The peak (VmHWM) starts again from the memory resident now.
void ResetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

} // namespace

CommandMemory MeasureCommand(const std::function<void()>& command)
{
    CommandMemory memory;
    memory.beforeKiB = StatusKiB("VmRSS:");
    ResetPeak();
    command();
    memory.peakKiB = StatusKiB("VmHWM:");
    memory.afterKiB = StatusKiB("VmRSS:");
    return memory;
}

const char* ChildJob()
{
    return std::getenv(kJobVariable);
}

void ReportToParentAndExit(const CommandMemory& memory)
{
    std::printf("\n%s %ld %ld %ld\n", kFiguresMark, memory.beforeKiB, memory.peakKiB, memory.afterKiB);
    std::fflush(stdout);
    // Nothing of the process's own ending (destructors, the toolkit) belongs to the figures.
    std::_Exit(0);
}

void MeasureInChild(benchmark::State& state, const std::string& job, const std::string& arguments)
{
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    setenv(kJobVariable, job.c_str(), 1);
    FILE* child = popen((self + " " + arguments).c_str(), "r");
    unsetenv(kJobVariable);
    CommandMemory memory;
    bool read = false;
    char line[256];
    const std::string mark = kFiguresMark;
    while (child && std::fgets(line, sizeof line, child))
        read = read || std::sscanf(line, (mark + " %ld %ld %ld").c_str(), &memory.beforeKiB, &memory.peakKiB,
                                   &memory.afterKiB) == 3;
    if (!child || pclose(child) != 0 || !read) {
        state.SkipWithError("the command's process failed");
        return;
    }
    state.counters["before_MiB"] = memory.beforeKiB / 1024.0;
    state.counters["peak_MiB"] = memory.peakKiB / 1024.0;
    state.counters["after_MiB"] = memory.afterKiB / 1024.0;
}
