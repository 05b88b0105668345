#include "x11probe.h"

#include <X11/Xutil.h>

#include <algorithm>

#include <poll.h>

namespace {

// The watched program may destroy its windows at any moment; requests on
// them then fail, which is no reason to stop watching.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

bool hasTitle(Display* display, Window window, const std::string& title)
{
    char* name = nullptr;
    if (!XFetchName(display, window, &name) || !name)
        return false;
    const bool match = title == name;
    XFree(name);
    return match;
}

} // namespace

X11Probe::X11Probe()
{
    XSetErrorHandler(ignoreXError);
    m_display = XOpenDisplay(nullptr);
    int damageError = 0;
    if (m_display && !XDamageQueryExtension(m_display, &m_damageEvent, &damageError))
        m_damageEvent = -1;
}

X11Probe::~X11Probe()
{
    if (m_display) {
        stopWatching();
        XCloseDisplay(m_display);
    }
}

void X11Probe::watchNewWindows()
{
    XSelectInput(m_display, DefaultRootWindow(m_display), SubstructureNotifyMask);
    XSync(m_display, True); // start from an empty queue
}

void X11Probe::stopWatching()
{
    if (m_damage)
        XDamageDestroy(m_display, m_damage);
    m_damage = 0;
    m_window = 0;
    XSelectInput(m_display, DefaultRootWindow(m_display), NoEventMask);
    XSync(m_display, True);
}

bool X11Probe::nextEvent(XEvent& event, Clock::time_point deadline)
{
    while (!XPending(m_display)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd fd{ConnectionNumber(m_display), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(std::min<long long>(left, 50)));
    }
    XNextEvent(m_display, &event);
    return true;
}

Window X11Probe::waitForMappedWindow(const std::string& title, Clock::time_point deadline)
{
    XEvent event;
    while (nextEvent(event, deadline)) {
        if (event.type == MapNotify && hasTitle(m_display, event.xmap.window, title)) {
            m_window = event.xmap.window;
            m_damage = XDamageCreate(m_display, m_window, XDamageReportNonEmpty);
            return m_window;
        }
    }
    return 0;
}

std::optional<X11Probe::Clock::time_point> X11Probe::waitForFirstFrame(Clock::time_point deadline)
{
    // Drawn before the damage watch began, it shows now; drawn later, the
    // damage events say when.
    if (m_window && nonBlank())
        return Clock::now();
    XEvent event;
    while (m_window && nextEvent(event, deadline)) {
        if (event.type == m_damageEvent + XDamageNotify) {
            XDamageSubtract(m_display, m_damage, None, None);
            if (nonBlank())
                return Clock::now();
        }
    }
    return std::nullopt;
}

std::optional<std::uint64_t> X11Probe::waitForStillImage(std::chrono::milliseconds quiet, Clock::time_point deadline)
{
    Clock::time_point lastDrawn = Clock::now();
    while (m_window && Clock::now() < deadline) {
        XEvent event;
        if (nextEvent(event, std::min(deadline, lastDrawn + quiet))) {
            if (event.type == m_damageEvent + XDamageNotify) {
                XDamageSubtract(m_display, m_damage, None, None);
                lastDrawn = Clock::now();
            }
        } else if (Clock::now() >= lastDrawn + quiet) {
            return fingerprint();
        }
    }
    return std::nullopt;
}

std::string X11Probe::windowClass()
{
    XClassHint hint{};
    if (!m_window || !XGetClassHint(m_display, m_window, &hint))
        return {};
    std::string result = hint.res_class ? hint.res_class : "";
    XFree(hint.res_name);
    XFree(hint.res_class);
    return result;
}

std::optional<X11Probe::MotifHints> X11Probe::motifHints()
{
    const Atom atom = XInternAtom(m_display, "_MOTIF_WM_HINTS", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (!m_window
        || XGetWindowProperty(m_display, m_window, atom, 0, 5, False, atom, &type, &format, &count, &remaining, &data)
               != Success)
        return std::nullopt;
    std::optional<MotifHints> result;
    if (data && format == 32 && count >= 3) {
        // flags, functions, decorations: a field counts only where its flag is set
        const auto* longs = reinterpret_cast<const unsigned long*>(data);
        constexpr unsigned long kAll = 1;
        result = MotifHints{longs[0] & 1 ? longs[1] : kAll, longs[0] & 2 ? longs[2] : kAll};
    }
    XFree(data);
    return result;
}

bool X11Probe::fixedSize()
{
    XSizeHints hints{};
    long supplied = 0;
    if (!m_window || !XGetWMNormalHints(m_display, m_window, &hints, &supplied))
        return false;
    return (hints.flags & PMinSize) && (hints.flags & PMaxSize) && hints.min_width == hints.max_width
           && hints.min_height == hints.max_height;
}

void X11Probe::requestClose()
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = m_window;
    event.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, m_window, False, NoEventMask, &event);
    XFlush(m_display);
}

bool X11Probe::nonBlank()
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(m_display, m_window, &attributes) || attributes.map_state != IsViewable)
        return false;
    XImage* image = XGetImage(m_display, m_window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!image)
        return false;
    const unsigned long first = XGetPixel(image, 0, 0);
    bool differs = false;
    for (int y = 0; y < image->height && !differs; ++y)
        for (int x = 0; x < image->width && !differs; ++x)
            differs = XGetPixel(image, x, y) != first;
    XDestroyImage(image);
    return differs;
}

std::optional<std::uint64_t> X11Probe::fingerprint()
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(m_display, m_window, &attributes) || attributes.map_state != IsViewable)
        return std::nullopt;
    XImage* image = XGetImage(m_display, m_window, 0, 0, static_cast<unsigned>(attributes.width),
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
