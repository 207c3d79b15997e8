// Milliseconds from launching a command to its viewable window titled TITLE on $DISPLAY, for
// bench/process_start.sh; the command is then ended with SIGTERM. The window is looked for every
// half millisecond through one connection, so the figure is not rounded to the cost of starting a
// tool for each look.
//
//   bench_window_start TITLE COMMAND [ARGUMENT...]

#include "bench/VirtualDesktop.h"

#include <X11/Xlib.h>
#include <chrono>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

extern char** environ;

namespace {

bool Ended(pid_t pid)
{
    return waitpid(pid, nullptr, WNOHANG) == pid;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TITLE COMMAND [ARGUMENT...]\n", argv[0]);
        return 2;
    }
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
    while (!FindViewableWindow(display, DefaultRootWindow(display), argv[1])) {
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
    std::printf("%.1f\n", std::chrono::duration<double, std::milli>(shown - began).count());
    if (!EndProcess(pid))
        std::fprintf(stderr, "%s did not end on SIGTERM\n", argv[2]);
    return 0;
}
