// What the MSAA test's files share: the events the program sends, an
// object's properties asked as a reader asks for them, the objects found
// from the main window, and the checks each file holds.
#pragma once

#include "controlids.h"
#include "testlog.h"

#include <windows.h>
#include <oleacc.h>

#include <map>
#include <string>
#include <vector>

struct Event {
    DWORD event;
    HWND window;
    LONG object;
};
extern std::vector<Event> g_events;

// Handles queued messages, where out-of-process events arrive, for a while.
void pumpFor(DWORD milliseconds);
// How many events of this kind came for this control's client object.
int eventsFor(DWORD event, HWND control);

inline std::string narrow(BSTR text)
{
    std::string out;
    for (UINT i = 0; text && i < SysStringLen(text); ++i)
        out += static_cast<char>(text[i]);
    return out;
}

inline VARIANT self()
{
    VARIANT child;
    child.vt = VT_I4;
    child.lVal = CHILDID_SELF;
    return child;
}

std::string nameOf(IAccessible* object);
std::string valueOf(IAccessible* object);
LONG numberOf(IAccessible* object, HRESULT (STDMETHODCALLTYPE IAccessible::*property)(VARIANT, VARIANT*));
HWND windowOf(IDispatch* object);

// The main window's objects, found as a reader finds them: its client
// object, its children (one per control), and each control's own object.
struct Found {
    IAccessible* window = nullptr;
    std::map<int, IAccessible*> byId;
    ~Found()
    {
        for (auto& [id, object] : byId)
            object->Release();
        if (window)
            window->Release();
    }
    IAccessible* operator()(Layout::WidgetName name, std::int16_t index = -1) const
    {
        const auto found = byId.find(controlId(name, index));
        return found == byId.end() ? nullptr : found->second;
    }
};

inline HWND item(HWND main, Layout::WidgetName name, std::int16_t index = -1) { return GetDlgItem(main, controlId(name, index)); }

// What a reader reads and presses (msaa_read.cpp).
void names(TestLog& t, HWND main, const Found& found);
void rolesAndActions(TestLog& t, const Found& found);
void presses(TestLog& t, HWND main, const Found& found);
void boxesAndWindow(TestLog& t, HWND main, const Found& found);

// Where the objects are, and requests that must fail (msaa_walk.cpp).
void placesAndNavigation(TestLog& t, HWND main, const Found& found, int dpi);
void badChildren(TestLog& t, HWND main, const Found& found);
