// Start-up cost of the tool against a bare Qt window of the same size, seen
// from the X server: time from exec until the titled window is mapped and
// shows its first painted image, then resident memory a second later.
//
//   startup_benchmark TOOL "TOOL TITLE" BARE "BARE TITLE" [RUNS]
//
// Needs DISPLAY (an Xvfb server with no window manager).
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
    double milliseconds;
    long residentKiB;
};

bool hasTitle(Display* display, Window window, const std::string& title)
{
    char* name = nullptr;
    if (!XFetchName(display, window, &name) || !name)
        return false;
    const bool match = title == name;
    XFree(name);
    return match;
}

// A fingerprint of what the window shows; the first frame is the first
// image that differs from the one the window had when it was mapped.
std::optional<std::uint64_t> fingerprint(Display* display, Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        return std::nullopt;
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!image)
        return std::nullopt;
    std::uint64_t hash = 1469598103934665603ull; // FNV-1a over every pixel
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            hash ^= XGetPixel(image, x, y);
            hash *= 1099511628211ull;
        }
    }
    XDestroyImage(image);
    return hash;
}

// The watched program may destroy its windows at any moment; requests on
// them then fail, which is no reason to stop measuring.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

long residentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

bool waitForEvent(Display* display, Clock::time_point deadline)
{
    while (!XPending(display)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(std::min<long long>(left, 100)));
    }
    return true;
}

std::optional<Sample> measure(Display* display, int damageEvent, const char* program, const std::string& title)
{
    Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True); // start from an empty queue

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    const Clock::time_point deadline = start + std::chrono::seconds(20);

    Window window = 0;
    Damage damage = 0;
    std::optional<std::uint64_t> unpainted;
    std::optional<Clock::time_point> painted;
    while (!painted && waitForEvent(display, deadline)) {
        XEvent event;
        XNextEvent(display, &event);
        if (!window && event.type == MapNotify && hasTitle(display, event.xmap.window, title)) {
            window = event.xmap.window;
            damage = XDamageCreate(display, window, XDamageReportNonEmpty);
            unpainted = fingerprint(display, window);
        } else if (window && event.type == damageEvent + XDamageNotify) {
            XDamageSubtract(display, damage, None, None);
            const auto shown = fingerprint(display, window);
            if (shown && shown != unpainted)
                painted = Clock::now();
        }
    }
    std::optional<Sample> sample;
    if (painted) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        sample = Sample{std::chrono::duration<double, std::milli>(*painted - start).count(), residentKiB(pid)};
    }
    if (damage)
        XDamageDestroy(display, damage);
    XSelectInput(display, root, NoEventMask);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XSync(display, True);
    return sample;
}

template <typename T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s TOOL TITLE BARE BARE_TITLE [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 5 ? std::max(1, std::atoi(argv[5])) : 10;
    XSetErrorHandler(ignoreXError);
    Display* display = XOpenDisplay(nullptr);
    int damageEvent = 0;
    int damageError = 0;
    if (!display || !XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "needs an X display with the DAMAGE extension\n");
        return 2;
    }

    std::vector<double> toolMs, bareMs;
    std::vector<long> toolKiB, bareKiB;
    for (int run = 0; run < runs; ++run) {
        const auto tool = measure(display, damageEvent, argv[1], argv[2]);
        const auto bare = measure(display, damageEvent, argv[3], argv[4]);
        if (!tool || !bare) {
            std::fprintf(stderr, "run %d: no painted window within 20 s\n", run + 1);
            return 1;
        }
        std::printf("run %2d: tool %7.1f ms %7ld KiB   bare %7.1f ms %7ld KiB\n", run + 1, tool->milliseconds,
                    tool->residentKiB, bare->milliseconds, bare->residentKiB);
        toolMs.push_back(tool->milliseconds);
        bareMs.push_back(bare->milliseconds);
        toolKiB.push_back(tool->residentKiB);
        bareKiB.push_back(bare->residentKiB);
    }
    const double tMs = median(toolMs), bMs = median(bareMs);
    const long tKiB = median(toolKiB), bKiB = median(bareKiB);
    std::printf("median first frame: tool %.1f ms, bare %.1f ms, ratio %.3f\n", tMs, bMs, tMs / bMs);
    std::printf("median resident:    tool %ld KiB, bare %ld KiB, ratio %.3f\n", tKiB, bKiB,
                static_cast<double>(tKiB) / static_cast<double>(bKiB));
    XCloseDisplay(display);
    return 0;
}
