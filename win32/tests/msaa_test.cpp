// Reads and presses the real program's window from another process over
// MSAA, as a Windows screen reader does: objects found from the main window,
// their names, roles, states, values and actions, the events they send, and
// errors for every request about a child that does not exist.
// Here: finding the objects and watching their events; the checks are in
// the files that msaa.h names.
#include "launch.h"
#include "msaa.h"
#include "testlog.h"

#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <string>
#include <vector>

using Layout::WidgetName;

std::vector<Event> g_events;

namespace {

void CALLBACK onEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD)
{
    g_events.push_back({event, window, object});
}

// A text property of the object itself: its name or its value.
std::string textOf(IAccessible* object, HRESULT (STDMETHODCALLTYPE IAccessible::*property)(VARIANT, BSTR*))
{
    BSTR text = nullptr;
    (object->*property)(self(), &text);
    const std::string value = narrow(text);
    SysFreeString(text);
    return value;
}

void findObjects(HWND main, Found& found)
{
    const HRESULT result =
        AccessibleObjectFromWindow(main, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&found.window));
    if (FAILED(result)) {
        std::printf("the main window's object: error 0x%08lx\n", static_cast<unsigned long>(result));
        return;
    }
    LONG count = 0;
    found.window->get_accChildCount(&count);
    std::vector<VARIANT> children(static_cast<std::size_t>(count > 0 ? count : 0));
    LONG obtained = 0;
    if (count > 0)
        AccessibleChildren(found.window, 0, count, children.data(), &obtained);
    for (LONG i = 0; i < obtained; ++i) {
        VARIANT& child = children[static_cast<std::size_t>(i)];
        HWND control = child.vt == VT_DISPATCH ? windowOf(child.pdispVal) : nullptr;
        IAccessible* object = nullptr;
        if (control && SUCCEEDED(AccessibleObjectFromWindow(control, OBJID_CLIENT, IID_IAccessible,
                                                            reinterpret_cast<void**>(&object))))
            found.byId[GetDlgCtrlID(control)] = object;
        VariantClear(&child);
    }
}

} // namespace

void pumpFor(DWORD milliseconds)
{
    const DWORD end = GetTickCount() + milliseconds;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(5);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

int eventsFor(DWORD event, HWND control)
{
    int count = 0;
    for (const Event& e : g_events)
        count += e.event == event && e.window == control && e.object == OBJID_CLIENT;
    return count;
}

std::string nameOf(IAccessible* object) { return textOf(object, &IAccessible::get_accName); }
std::string valueOf(IAccessible* object) { return textOf(object, &IAccessible::get_accValue); }

LONG numberOf(IAccessible* object, HRESULT (STDMETHODCALLTYPE IAccessible::*property)(VARIANT, VARIANT*))
{
    VARIANT result;
    VariantInit(&result);
    (object->*property)(self(), &result);
    const LONG number = result.vt == VT_I4 ? result.lVal : -1;
    VariantClear(&result);
    return number;
}

HWND windowOf(IDispatch* object)
{
    IAccessible* accessible = nullptr;
    HWND window = nullptr;
    if (object && SUCCEEDED(object->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&accessible)))) {
        WindowFromAccessibleObject(accessible, &window);
        accessible->Release();
    }
    return window;
}

int wmain(int argc, wchar_t** argv)
{
    TestLog t;
    if (!t.check(argc == 2 || argc == 3, "usage: msaa_test PROGRAM.exe [DPI]"))
        return t.finish();
    const int dpi = argc == 3 ? _wtoi(argv[2]) : 96;
    readInPhysicalPixels();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        Launched program(argv[1]);
        HWND main = program.started() ? waitForWindow(program.id()) : nullptr;
        DWORD closedAt = GetTickCount();
        IAccessible* held = nullptr;
        if (t.check(main != nullptr, "the program shows its window")) {
            HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, &onEvent,
                                                 program.id(), 0, WINEVENT_OUTOFCONTEXT);
            t.check(hook != nullptr, "events of the program can be watched");
            Found found;
            findObjects(main, found);
            if (!t.check(found.window != nullptr, "the main window has an accessible object"))
                return t.finish();
            names(t, main, found);
            rolesAndActions(t, found);
            boxesAndWindow(t, main, found);
            badChildren(t, main, found);
            presses(t, main, found);
            placesAndNavigation(t, main, found, dpi);
            if (hook)
                UnhookWinEvent(hook);
            // A reader lets go of most objects as the window goes, calling
            // in while the program ends, and holds on to others.
            held = found(WidgetName::TextHexMin);
            if (held)
                held->AddRef();
            closedAt = closeWindow(main);
        }
        t.check(processEnded(program.handle(), closedAt, 1000), "the program ends within a second of WM_CLOSE");
        if (held)
            held->Release();
    }
    CoUninitialize();
    return t.finish();
}
