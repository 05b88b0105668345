// Watches another program's top-level window from the X server's side, the
// way a user sees it: when it is mapped, when its first frame is painted,
// what image it shows once it is still, and asks it to close as a window
// manager would. Used by the start-up benchmark and the black-box tests.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

class X11Probe {
public:
    using Clock = std::chrono::steady_clock;

    X11Probe(); // on $DISPLAY
    ~X11Probe();
    X11Probe(const X11Probe&) = delete;
    X11Probe& operator=(const X11Probe&) = delete;

    bool valid() const { return m_display && m_damageEvent >= 0; }

    // Call before starting the program, so that no map is missed.
    void watchNewWindows();
    // Waits for the window with this title to be mapped and starts tracking
    // it; 0 if none appeared in time.
    Window waitForMappedWindow(const std::string& title, Clock::time_point deadline);
    // The time the tracked window first shows a non-blank image: anything
    // but one colour all over, which is all a window shows before the
    // program paints it.
    std::optional<Clock::time_point> waitForFirstFrame(Clock::time_point deadline);
    // The fingerprint of the tracked window's image once nothing has been
    // drawn into it for `quiet`.
    std::optional<std::uint64_t> waitForStillImage(std::chrono::milliseconds quiet, Clock::time_point deadline);
    // The class half of the tracked window's WM_CLASS, by which docks tie
    // it to its desktop entry.
    std::string windowClass();
    // The functions and decorations the tracked window offers a window
    // manager in _MOTIF_WM_HINTS; nothing if it sets none.
    struct MotifHints {
        unsigned long functions;
        unsigned long decorations;
    };
    std::optional<MotifHints> motifHints();
    // Whether WM_NORMAL_HINTS pin the tracked window to one size.
    bool fixedSize();
    // Sends WM_DELETE_WINDOW, as a window manager's close button does.
    void requestClose();
    void stopWatching();

private:
    bool nextEvent(XEvent& event, Clock::time_point deadline);
    std::optional<std::uint64_t> fingerprint();
    bool nonBlank();

    Display* m_display = nullptr;
    int m_damageEvent = -1;
    Window m_window = 0;
    Damage m_damage = 0;
};
