// Start-up cost of the tool against a bare Qt window of the same size, seen
// from the X server: time from exec until the titled window is mapped and
// shows its first painted image, then resident memory a second later.
//
//   startup_benchmark TOOL "TOOL TITLE" BARE "BARE TITLE" [RUNS]
//
// Needs DISPLAY (an Xvfb server with no window manager).
#include "x11probe.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Sample {
    double milliseconds;
    long residentKiB;
};

long residentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

std::optional<Sample> measure(X11Probe& probe, const char* program, const std::string& title)
{
    probe.watchNewWindows();
    const auto start = X11Probe::Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    const auto deadline = start + std::chrono::seconds(20);

    std::optional<Sample> sample;
    if (probe.waitForMappedWindow(title, deadline)) {
        if (const auto painted = probe.waitForFirstFrame(deadline)) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            sample = Sample{std::chrono::duration<double, std::milli>(*painted - start).count(), residentKiB(pid)};
        }
    }
    probe.stopWatching();
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
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
    X11Probe probe;
    if (!probe.valid()) {
        std::fprintf(stderr, "needs an X display with the DAMAGE extension\n");
        return 2;
    }

    std::vector<double> toolMs, bareMs;
    std::vector<long> toolKiB, bareKiB;
    for (int run = 0; run < runs; ++run) {
        const auto tool = measure(probe, argv[1], argv[2]);
        const auto bare = measure(probe, argv[3], argv[4]);
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
    return 0;
}
