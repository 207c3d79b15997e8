#include "bench/VirtualDesktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/XTest.h>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <signal.h>
#include <stdexcept>
#include <string_view>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

extern char** environ;

namespace {

// Polls until the condition holds; throws `what` after `patience`.
void Await(const std::function<bool()>& condition, std::chrono::milliseconds patience, const char* what)
{
    const SteadyTime giveUp = std::chrono::steady_clock::now() + patience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > giveUp)
            throw std::runtime_error(what);
        std::this_thread::sleep_for(10ms);
    }
}

// The session as this process has it, without what would connect the program to another desktop.
std::vector<std::string> DesktopEnvironment(const fs::path& work)
{
    std::vector<std::string> environment;
    for (char** variable = environ; *variable; ++variable) {
        const std::string_view text = *variable;
        const std::string_view name = text.substr(0, text.find('='));
        if (name != "DISPLAY" && name != "WAYLAND_DISPLAY" && name != "QT_QPA_PLATFORM" &&
            name != "DBUS_SESSION_BUS_ADDRESS" && !name.starts_with("XDG_"))
            environment.emplace_back(text);
    }
    fs::create_directory(work / "runtime");
    fs::permissions(work / "runtime", fs::perms::owner_all);
    environment.push_back("XDG_RUNTIME_DIR=" + (work / "runtime").string());
    environment.push_back("XDG_CONFIG_HOME=" + (work / "config").string());
    environment.push_back("XDG_DATA_HOME=" + (work / "data").string());
    return environment;
}

std::optional<long> CardinalProperty(Display* display, Window window, const char* name)
{
    Atom type;
    int format;
    unsigned long items, after;
    unsigned char* data = nullptr;
    std::optional<long> value;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1, False, XA_CARDINAL,
                           &type, &format, &items, &after, &data) == Success &&
        data && items == 1 && format == 32)
        value = *reinterpret_cast<long*>(data);
    if (data)
        XFree(data);
    return value;
}

std::string Title(Display* display, Window window)
{
    Atom type;
    int format;
    unsigned long items, after;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, XA_WM_NAME, 0, 256, False, AnyPropertyType, &type, &format,
                           &items, &after, &data) == Success &&
        data && format == 8)
        title.assign(reinterpret_cast<char*>(data), items);
    if (data)
        XFree(data);
    return title;
}

bool Viewable(Display* display, Window window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

} // namespace

pid_t SpawnProcess(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
                   const fs::path& directory, int keepOpen)
{
    std::vector<char*> argv, envp;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    for (const std::string& variable : environment)
        envp.push_back(const_cast<char*>(variable.c_str()));
    envp.push_back(nullptr);
    const std::string folder = directory.string();
    const int null = open("/dev/null", O_RDWR | O_CLOEXEC);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        if (keepOpen >= 0)
            fcntl(keepOpen, F_SETFD, 0);
        if (!folder.empty() && chdir(folder.c_str()) != 0)
            _exit(127);
        execvpe(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    close(null);
    if (pid < 0)
        throw std::runtime_error("cannot start " + arguments[0]);
    return pid;
}

bool EndProcess(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int waited = 0; waited < 60; ++waited) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return true;
        std::this_thread::sleep_for(50ms);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return false;
}

unsigned long FindViewableWindow(_XDisplay* display, unsigned long parent, const std::string& title)
{
    Window root, up, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &up, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i)
        if (Title(display, children[i]) == title && Viewable(display, children[i]))
            found = children[i];
        else
            found = FindViewableWindow(display, children[i], title);
    if (children)
        XFree(children);
    return found;
}

VirtualDesktop::VirtualDesktop(const fs::path& work) : environment_(DesktopEnvironment(work))
{
    // A desktop that does not come up leaves no server or manager running.
    try {
        StartServerAndManager(work);
    } catch (...) {
        EndAll();
        throw;
    }
}

void VirtualDesktop::StartServerAndManager(const fs::path& work)
{
    // The server picks a free display itself and names it once it accepts clients; it never starts
    // over when its last client leaves, which could take the window manager down as it connects.
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        throw std::runtime_error("no pipe for the X server");
    processes_.push_back(SpawnProcess({"Xvfb", "-displayfd", std::to_string(pipeEnds[1]), "-screen", "0",
                                       "1280x800x24", "-nolisten", "tcp", "-noreset"},
                                      environment_, {}, pipeEnds[1]));
    close(pipeEnds[1]);
    std::string number;
    char c;
    while (read(pipeEnds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(pipeEnds[0]);
    if (number.empty())
        throw std::runtime_error("Xvfb did not start");
    const std::string name = ":" + number;
    environment_.push_back("DISPLAY=" + name);
    display_ = XOpenDisplay(name.c_str());
    if (!display_)
        throw std::runtime_error("cannot connect to Xvfb");
    // Two desktops, for the switch that shows the manager runs, and no popup naming them: it showed
    // over the window's corner for a second, which the keystroke benchmark took for a key's answer.
    const fs::path config = work / "openbox-rc.xml";
    std::ofstream(config) << R"(<?xml version="1.0"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <desktops><number>2</number><popupTime>0</popupTime></desktops>
</openbox_config>
)";
    processes_.push_back(SpawnProcess({"openbox", "--config-file", config.string()}, environment_));
    WaitForWindowManager();
}

VirtualDesktop::~VirtualDesktop()
{
    EndAll();
}

void VirtualDesktop::EndAll()
{
    if (display_)
        XCloseDisplay(display_);
    display_ = nullptr;
    for (auto pid = processes_.rbegin(); pid != processes_.rend(); ++pid)
        EndProcess(*pid);
    processes_.clear();
}

void VirtualDesktop::WaitForWindowManager()
{
    // A window mapped before the manager's event loop runs may stay unmapped (the manager announces
    // itself earlier): a desktop switch that the manager carries out shows that the loop runs.
    const Window root = DefaultRootWindow(display_);
    for (const long desktop : {1L, 0L})
        Await(
            [&] {
                XEvent event{};
                event.xclient.type = ClientMessage;
                event.xclient.window = root;
                event.xclient.message_type = XInternAtom(display_, "_NET_CURRENT_DESKTOP", False);
                event.xclient.format = 32;
                event.xclient.data.l[0] = desktop;
                event.xclient.data.l[1] = CurrentTime;
                XSendEvent(display_, root, False, SubstructureNotifyMask | SubstructureRedirectMask, &event);
                XSync(display_, False);
                std::this_thread::sleep_for(20ms);
                return CardinalProperty(display_, root, "_NET_CURRENT_DESKTOP") == desktop;
            },
            10s, "the window manager did not start");
}

void VirtualDesktop::Start(const fs::path& program)
{
    processes_.push_back(SpawnProcess({program.string()}, environment_, program.parent_path()));
}

unsigned long VirtualDesktop::WaitForWindow(const std::string& title, std::chrono::milliseconds patience)
{
    Window window = 0;
    Await([&] { return (window = FindViewableWindow(display_, DefaultRootWindow(display_), title)) != 0; },
          patience, "the window was not shown");
    return window;
}

void VirtualDesktop::WaitForFocus(unsigned long window, std::chrono::milliseconds patience)
{
    Await(
        [&] {
            Window focus;
            int revert;
            XGetInputFocus(display_, &focus, &revert);
            return focus == window;
        },
        patience, "the window did not get the keyboard focus");
}

SteadyTime VirtualDesktop::SendKey(const std::string& keysym)
{
    const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(keysym.c_str()));
    if (code == 0)
        throw std::runtime_error("no key for " + keysym);
    const SteadyTime sent = std::chrono::steady_clock::now();
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    XFlush(display_);
    return sent;
}

struct WindowPixels::Shared {
    Display* display;
    Window window;
    XShmSegmentInfo segment{};
    XImage* image = nullptr;

    ~Shared()
    {
        if (image) {
            XShmDetach(display, &segment);
            XDestroyImage(image);
        }
        if (segment.shmaddr)
            shmdt(segment.shmaddr);
    }
};

WindowPixels::WindowPixels(Display* display, unsigned long window) : shared_(std::make_unique<Shared>())
{
    shared_->display = display;
    shared_->window = window;
    XWindowAttributes attributes;
    if (!XShmQueryExtension(display) || !XGetWindowAttributes(display, window, &attributes))
        throw std::runtime_error("the window's pixels cannot be read through shared memory");
    XImage* image = XShmCreateImage(display, attributes.visual, attributes.depth, ZPixmap, nullptr,
                                    &shared_->segment, attributes.width, attributes.height);
    if (!image)
        throw std::runtime_error("no image for the window's pixels");
    shared_->segment.shmid = shmget(IPC_PRIVATE, image->bytes_per_line * image->height, IPC_CREAT | 0600);
    shared_->segment.shmaddr = image->data = static_cast<char*>(shmat(shared_->segment.shmid, nullptr, 0));
    // Removed now, the segment lives until both sides have detached, also when this process ends early.
    shmctl(shared_->segment.shmid, IPC_RMID, nullptr);
    shared_->segment.readOnly = False;
    if (shared_->segment.shmaddr == reinterpret_cast<char*>(-1) || !XShmAttach(display, &shared_->segment)) {
        shared_->segment.shmaddr = nullptr;
        XDestroyImage(image);
        throw std::runtime_error("no shared memory for the window's pixels");
    }
    shared_->image = image;
    last_.assign(image->bytes_per_line * image->height, 0);
}

WindowPixels::~WindowPixels() = default;

bool WindowPixels::Changed()
{
    XShmGetImage(shared_->display, shared_->window, shared_->image, 0, 0, AllPlanes);
    const char* now = shared_->image->data;
    if (std::memcmp(now, last_.data(), last_.size()) == 0)
        return false;
    std::memcpy(last_.data(), now, last_.size());
    return true;
}

std::optional<SteadyTime> WindowPixels::LastChange(SteadyTime since, std::chrono::milliseconds still,
                                                   std::chrono::milliseconds patience)
{
    std::optional<SteadyTime> last;
    for (;;) {
        const SteadyTime asked = std::chrono::steady_clock::now();
        if (Changed())
            last = asked;
        if (asked - last.value_or(since) >= still)
            return last;
        if (asked - since > patience)
            return std::nullopt;
        // A millisecond's resolution; reading more often took the program and the server a share
        // of the processor that showed in the times on two cores.
        std::this_thread::sleep_for(1ms);
    }
}
