// Soak: drives the real Win32 window in this process with random clicks,
// double clicks and mode switches, delivered as mouse messages to the
// controls, and after every event compares the whole window with the same
// bit-mask model the Linux soak uses. Prints its rate, the mismatches and how
// the GDI and USER object counts and private bytes grew after warming up;
// fails on a mismatch or on a count that grows in most stretches of the run.
//
//   win32_soak [EVENTS] [SEED]      (under Wine: scripts/with-wine.sh)
#include "controlids.h"
#include "drive.h"
#include "referencemodel.h"
#include "win32mainform.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

using Layout::WidgetName;

struct Usage {
    long gdiObjects;
    long userObjects;
    long privateKiB;
};

Usage usage()
{
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    return {static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)),
            static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)),
            // The commit charge, which is the private bytes; Wine fills in
            // only this one of the two fields that hold it.
            static_cast<long>(memory.PagefileUsage / 1024)};
}

// Everything the user can see of the pattern, numbering, mode and result;
// a cell's colour is the one the window hands the painter.
int countMismatches(const Win32MainForm& form, const ReferenceModel& ref, HDC dc, long event)
{
    int mismatches = 0;
    const auto expect = [&](bool same, const char* what, int bit) {
        if (!same && ++mismatches <= 3)
            std::fprintf(stderr, "event %ld: %s %d differs\n", event, what, bit);
    };
    for (std::int16_t bit = 0; bit < kAddressBitCount; ++bit) {
        HWND cell = form.control(WidgetName::CommandAddressBits, bit);
        SendMessageW(form.window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(cell));
        const Rgb color = ref.color(bit);
        expect(textOf(cell) == ref.text(bit), "cell", bit);
        expect(GetTextColor(dc) == RGB(color.red, color.green, color.blue), "colour", bit);
        expect(textOf(form.control(WidgetName::Label1, bit)) == ref.caption(bit), "caption", bit);
    }
    for (std::int16_t mode = 0; mode < 2; ++mode) {
        const bool checked = SendMessageW(form.control(WidgetName::OptionMode, mode), BM_GETCHECK, 0, 0) == BST_CHECKED;
        expect(checked == (ref.standardNumbering == (mode == 0)), "mode button", mode);
    }
    expect(textOf(form.control(WidgetName::TextHexMin)) == ref.minimum(), "minimum box", 0);
    expect(textOf(form.control(WidgetName::TextHexMax)) == ref.maximum(), "maximum box", 0);
    return mismatches;
}

} // namespace

int main(int argc, char** argv)
{
    const long events = argc > 1 ? std::atol(argv[1]) : 100000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : std::random_device{}();
    const long warmUp = events / 10;
    std::printf("seed %u, %ld events\n", seed, events);

    Win32MainForm form(GetModuleHandleW(nullptr));
    ShowWindow(form.window(), SW_SHOW);
    pump();
    HDC dc = CreateCompatibleDC(nullptr);

    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> pick(0, 99);
    std::uniform_int_distribution<int> anyBit(0, kAddressBitCount - 1);
    ReferenceModel ref;
    long mismatches = 0;
    // Readings after warming up and at the end of ten equal stretches: a
    // leak grows in nearly every stretch, the system's own caches and heap
    // pages now and then.
    constexpr int kStretches = 10;
    const long stretch = std::max(1L, (events - warmUp) / kStretches);
    std::vector<Usage> readings{usage()};
    LARGE_INTEGER frequency{}, start{}, end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (long event = 0; event < events; ++event) {
        const int roll = pick(rng);
        if (roll < 90) {
            const int bit = anyBit(rng);
            click(form.control(WidgetName::CommandAddressBits, static_cast<std::int16_t>(bit)), roll >= 80);
            ref.click(bit); // a double click is one step
        } else {
            const std::int16_t mode = static_cast<std::int16_t>(roll % 2);
            click(form.control(WidgetName::OptionMode, mode));
            ref.standardNumbering = mode == 0;
        }
        mismatches += countMismatches(form, ref, dc, event);
        if (event + 1 == warmUp)
            readings.assign(1, usage());
        else if (event + 1 > warmUp && (event + 1 - warmUp) % stretch == 0 && readings.size() <= kStretches)
            readings.push_back(usage());
    }
    QueryPerformanceCounter(&end);
    DeleteDC(dc);
    const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    const Usage& warm = readings.front();
    const Usage& last = readings.back();
    const auto leaks = [&](long Usage::*field) {
        int grew = 0;
        for (std::size_t i = 1; i < readings.size(); ++i)
            grew += readings[i].*field > readings[i - 1].*field ? 1 : 0;
        return grew >= kStretches * 8 / 10;
    };

    std::printf("%.0f events/s over %.1f s\n", static_cast<double>(events) / seconds, seconds);
    std::printf("mismatches: %ld\n", mismatches);
    std::printf("growth after event %ld: %ld GDI objects (of %ld), %ld USER objects (of %ld), %ld KiB private bytes "
                "(of %ld)\n",
                warmUp, last.gdiObjects - warm.gdiObjects, last.gdiObjects, last.userObjects - warm.userObjects,
                last.userObjects, last.privateKiB - warm.privateKiB, last.privateKiB);
    std::printf("private KiB after each stretch of %ld events:", stretch);
    for (const Usage& reading : readings)
        std::printf(" %ld", reading.privateKiB);
    std::printf("\n");
    if (last.gdiObjects == 0 && last.userObjects == 0)
        std::printf("this system counts no GDI or USER objects (Wine does not): only Windows can tell their growth\n");
    const bool ok = mismatches == 0 && !leaks(&Usage::gdiObjects) && !leaks(&Usage::userObjects)
                    && !leaks(&Usage::privateKiB);
    std::printf("%d passed, %d failed\n", ok ? 1 : 0, ok ? 0 : 1);
    return ok ? 0 : 1;
}
