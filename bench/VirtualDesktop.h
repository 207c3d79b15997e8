#pragma once
// A desktop of its own for benchmarks of the whole program: Xvfb with openbox, a program started on
// it with private session and settings folders, its window found, keys sent through the server's
// test extension as a keyboard sends them, and the window's pixels read back.

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

struct _XDisplay;

using SteadyTime = std::chrono::steady_clock::time_point;

// The first viewable window titled `title` at or below `parent`, or 0.
unsigned long FindViewableWindow(_XDisplay* display, unsigned long parent, const std::string& title);

// Starts `arguments` in `directory` with `environment`, its output discarded; `keepOpen` is a
// descriptor the child inherits. Throws std::runtime_error when it cannot fork.
pid_t SpawnProcess(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
                   const std::filesystem::path& directory = {}, int keepOpen = -1);
// SIGTERM, then SIGKILL when it has not ended within three seconds; false in that case.
bool EndProcess(pid_t pid);

class VirtualDesktop {
public:
    // Starts the server and the window manager, with its folders under `work`; throws
    // std::runtime_error when either cannot be started.
    explicit VirtualDesktop(const std::filesystem::path& work);
    ~VirtualDesktop();
    VirtualDesktop(const VirtualDesktop&) = delete;
    VirtualDesktop& operator=(const VirtualDesktop&) = delete;

    // Starts `program` in its own folder; it is ended with the desktop.
    void Start(const std::filesystem::path& program);

    // The first viewable window titled `title`; throws after `patience`.
    unsigned long WaitForWindow(const std::string& title, std::chrono::milliseconds patience);
    // Waits until `window` holds the keyboard focus; throws after `patience`.
    void WaitForFocus(unsigned long window, std::chrono::milliseconds patience);

    // Presses and releases the key of the X key symbol named `keysym` ("a", "BackSpace"); returns
    // the moment the press was sent.
    SteadyTime SendKey(const std::string& keysym);

    _XDisplay* Connection() const { return display_; }

private:
    void StartServerAndManager(const std::filesystem::path& work);
    void WaitForWindowManager();
    // Closes the connection and ends every process started, the last started first.
    void EndAll();

    std::vector<std::string> environment_;
    std::vector<pid_t> processes_; // in the order started
    _XDisplay* display_ = nullptr;
};

// The pixels of one window, read through shared memory, so that reading them often costs the server
// little.
class WindowPixels {
public:
    WindowPixels(_XDisplay* display, unsigned long window);
    ~WindowPixels();
    WindowPixels(const WindowPixels&) = delete;
    WindowPixels& operator=(const WindowPixels&) = delete;

    // Reads the window again; true when it differs from the last reading (the first: from black).
    bool Changed();

    // Reads the window until it has not changed for `still`, and returns the moment the reading that
    // first showed its last change was asked for, or nothing when it did not change after `since`
    // or did not come to rest within `patience`.
    std::optional<SteadyTime> LastChange(SteadyTime since, std::chrono::milliseconds still,
                                         std::chrono::milliseconds patience);

private:
    struct Shared;
    std::unique_ptr<Shared> shared_;
    std::vector<char> last_;
};
