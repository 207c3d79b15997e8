// For bench/process_start.sh: the milliseconds from launching a command to its viewable window
// titled TITLE on $DISPLAY, the CPU time (user and system, all its threads) it took to its first
// paint, and the CPU time it took to get there and settle: once its own CPU time has not grown for
// 200 ms, the command is killed and its usage read as it ends, exactly, so that nothing it does on
// its way out is counted. The window is looked for every half millisecond through one connection,
// so the figure is not rounded to the cost of starting a tool for each look.
//
//   bench_window_start TITLE COMMAND [ARGUMENT...]     prints "WALL_MS PAINT_CPU_MS SETTLED_CPU_MS"

#include "bench/VirtualDesktop.h"

#include <X11/Xlib.h>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <signal.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <time.h>
#include <vector>

using namespace std::chrono_literals;

extern char** environ;

namespace {

bool Ended(pid_t pid)
{
    return waitpid(pid, nullptr, WNOHANG) == pid;
}

// The process's CPU time so far in clock ticks, of all its threads, those ended included.
long CpuTicks(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), {});
    // The fields after the command's name, which is in parentheses and may hold blanks.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long user = 0, system = 0;
    for (int number = 3; fields >> field && number <= 15; ++number) {
        if (number == 14)
            user = std::stol(field);
        else if (number == 15)
            system = std::stol(field);
    }
    return user + system;
}

// The process's CPU time so far in milliseconds, of all its threads, those ended included, to the
// nanosecond as the scheduler counts it: clock ticks would round a start of some 40 ms to a quarter.
double CpuMs(pid_t pid)
{
    clockid_t clock;
    timespec time{};
    if (clock_getcpuclockid(pid, &clock) != 0 || clock_gettime(clock, &time) != 0)
        return 0;
    return time.tv_sec * 1e3 + time.tv_nsec / 1e6;
}

// Waits until the process's CPU time has not grown for 200 ms (at most 5 s), kills it and returns
// the milliseconds of CPU it used in all.
double SettledCpuMs(pid_t pid)
{
    long last = CpuTicks(pid);
    for (int still = 0, polls = 0; still < 10 && polls < 250; ++polls) {
        std::this_thread::sleep_for(20ms);
        const long now = CpuTicks(pid);
        still = now == last ? still + 1 : 0;
        last = now;
    }
    kill(pid, SIGKILL);
    rusage usage{};
    wait4(pid, nullptr, 0, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TITLE COMMAND [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    // A window of an earlier round may go while the tree is looked through: the error that
    // reading its name then gives means only that it is gone.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open the display\n");
        return 1;
    }
    const std::vector<std::string> command(argv + 2, argv + argc);
    std::vector<std::string> environment;
    for (char** variable = environ; *variable; ++variable)
        environment.emplace_back(*variable);
    const auto began = std::chrono::steady_clock::now();
    const pid_t pid = SpawnProcess(command, environment);
    unsigned long window = 0;
    while (!(window = FindViewableWindow(display, DefaultRootWindow(display), argv[1]))) {
        if (Ended(pid)) {
            std::fprintf(stderr, "%s ended without a window\n", argv[2]);
            return 1;
        }
        if (std::chrono::steady_clock::now() - began > 10s) {
            std::fprintf(stderr, "no window of %s after 10 s\n", argv[2]);
            EndProcess(pid);
            return 1;
        }
        std::this_thread::sleep_for(500us);
    }
    const auto shown = std::chrono::steady_clock::now();
    // Mapped is not yet painted: the first reading that differs from black is.
    WindowPixels pixels(display, window);
    while (!pixels.Changed() && std::chrono::steady_clock::now() - shown < 10s)
        std::this_thread::sleep_for(500us);
    const double paintCpu = CpuMs(pid);
    const double settledCpu = SettledCpuMs(pid);
    std::printf("%.1f %.1f %.1f\n", std::chrono::duration<double, std::milli>(shown - began).count(),
                paintCpu, settledCpu);
    return 0;
}
