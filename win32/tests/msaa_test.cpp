// Reads and presses the real program's window from another process over
// MSAA, as a Windows screen reader does: objects found from the main window,
// their names, roles, states, values and actions, the events they send, and
// errors for every request about a child that does not exist.
#include "accsweep.h"
#include "controlids.h"
#include "launch.h"
#include "testlog.h"

#include <windows.h>
#include <oleacc.h>

#include <climits>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using Layout::WidgetName;

struct Event {
    DWORD event;
    HWND window;
    LONG object;
};
std::vector<Event> g_events;

void CALLBACK onEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD)
{
    g_events.push_back({event, window, object});
}

// Handles queued messages, where out-of-process events arrive, for a while.
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

// How many events of this kind came for this control's client object.
int eventsFor(DWORD event, HWND control)
{
    int count = 0;
    for (const Event& e : g_events)
        count += e.event == event && e.window == control && e.object == OBJID_CLIENT;
    return count;
}

std::string narrow(BSTR text)
{
    std::string out;
    for (UINT i = 0; text && i < SysStringLen(text); ++i)
        out += static_cast<char>(text[i]);
    return out;
}

VARIANT self()
{
    VARIANT child;
    child.vt = VT_I4;
    child.lVal = CHILDID_SELF;
    return child;
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
    IAccessible* operator()(WidgetName name, std::int16_t index = -1) const
    {
        const auto found = byId.find(controlId(name, index));
        return found == byId.end() ? nullptr : found->second;
    }
};

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

const char* const kPicCaptions[] = {"BA0", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10",
                                    "11", "12", "13", "14", "15", "16", "17", "18", "19", "20", "21", "22"};

std::string cellName(bool pic, int bit, const char* state)
{
    return std::string("Bit ") + (pic ? kPicCaptions[bit] : std::to_string(bit).c_str()) + ": " + state;
}

HWND item(HWND main, WidgetName name, std::int16_t index = -1) { return GetDlgItem(main, controlId(name, index)); }

// Names in both numberings, and the name-change events a switch sends.
void names(TestLog& t, HWND main, const Found& found)
{
    struct Step {
        const char* what;
        int modeButton; // -1: as the program starts
        bool pic;
    };
    const Step steps[] = {{"at start", -1, true}, {"after the switch to standard", 0, false},
                          {"after the switch back to PIC 18F", 1, true}};
    for (const Step& step : steps) {
        g_events.clear();
        if (step.modeButton >= 0)
            SendMessageW(item(main, WidgetName::OptionMode, static_cast<std::int16_t>(step.modeButton)), BM_CLICK, 0, 0);
        pumpFor(300);
        int wrong = 0;
        int announced = 0;
        std::string first;
        for (std::int16_t bit = 0; bit < kAddressBitCount; ++bit) {
            IAccessible* cell = found(WidgetName::CommandAddressBits, bit);
            const std::string name = cell ? nameOf(cell) : "<none>";
            if (name != cellName(step.pic, bit, "0") && first.empty())
                first = name + " for bit " + std::to_string(bit);
            wrong += name != cellName(step.pic, bit, "0");
            announced += eventsFor(EVENT_OBJECT_NAMECHANGE, item(main, WidgetName::CommandAddressBits, bit)) > 0;
        }
        t.equal(wrong, 0, std::string("every cell named by its caption and state ") + step.what + " " + first);
        if (step.modeButton >= 0)
            t.equal(announced, 24, std::string("every cell announces its new name ") + step.what);
    }
}

void rolesAndActions(TestLog& t, const Found& found)
{
    int wrongRole = 0, wrongAction = 0, focusable = 0;
    for (std::int16_t bit = 0; bit < kAddressBitCount; ++bit) {
        IAccessible* cell = found(WidgetName::CommandAddressBits, bit);
        if (!cell) {
            ++wrongRole;
            continue;
        }
        wrongRole += numberOf(cell, &IAccessible::get_accRole) != ROLE_SYSTEM_PUSHBUTTON;
        focusable += (numberOf(cell, &IAccessible::get_accState) & STATE_SYSTEM_FOCUSABLE) != 0;
        BSTR action = nullptr;
        cell->get_accDefaultAction(self(), &action);
        wrongAction += narrow(action) != "Press";
        SysFreeString(action);
    }
    t.equal(wrongRole, 0, "every cell is a push button");
    t.equal(wrongAction, 0, "every cell's default action is Press");
    t.equal(focusable, 0, "no cell claims to take the focus");
}

// Three presses through the reader step a cell through 1, X and 0, as
// clicks do: its name, both boxes and their events follow.
void presses(TestLog& t, HWND main, const Found& found)
{
    IAccessible* cell = found(WidgetName::CommandAddressBits, 5);
    IAccessible* lowest = found(WidgetName::TextHexMin);
    IAccessible* highest = found(WidgetName::TextHexMax);
    if (!t.check(cell && lowest && highest, "cell 5 and both boxes found"))
        return;
    struct Row {
        const char* name;
        const char* min;
        const char* max;
        int minChanges;
        int maxChanges;
    };
    const Row rows[] = {{"Bit 4: 1", "0x20", "0x20", 1, 1}, {"Bit 4: X", "0x0", "0x20", 1, 0},
                        {"Bit 4: 0", "0x0", "0x0", 0, 1}};
    for (const Row& row : rows) {
        g_events.clear();
        t.equal(cell->accDoDefaultAction(self()), S_OK, "press answers S_OK");
        pumpFor(300);
        t.equal(nameOf(cell), std::string(row.name), std::string("pressed: ") + row.name);
        t.equal(valueOf(lowest), std::string(row.min), std::string("lowest box after ") + row.name);
        t.equal(valueOf(highest), std::string(row.max), std::string("highest box after ") + row.name);
        t.equal(eventsFor(EVENT_OBJECT_NAMECHANGE, item(main, WidgetName::CommandAddressBits, 5)), 1,
                std::string("one name change for ") + row.name);
        t.equal(eventsFor(EVENT_OBJECT_VALUECHANGE, item(main, WidgetName::TextHexMin)), row.minChanges,
                std::string("lowest box's value changes after ") + row.name);
        t.equal(eventsFor(EVENT_OBJECT_VALUECHANGE, item(main, WidgetName::TextHexMax)), row.maxChanges,
                std::string("highest box's value changes after ") + row.name);
    }
}

void boxesAndWindow(TestLog& t, HWND main, const Found& found)
{
    t.equal(nameOf(found.window), std::string("Address range finder"), "the window is named by its title");
    struct Row {
        WidgetName name;
        const char* expected;
    };
    const Row rows[] = {{WidgetName::TextHexMin, "Lowest address"}, {WidgetName::TextHexMax, "Highest address"},
                        {WidgetName::Frame1, "Address bits ( 0 - 1 - X )"}, {WidgetName::Frame2, "Mode"},
                        {WidgetName::Frame3, "Configurations"}, {WidgetName::OptionMode, "Standard micro"}};
    for (const Row& row : rows) {
        IAccessible* object = found(row.name, row.name == WidgetName::OptionMode ? 0 : -1);
        t.equal(object ? nameOf(object) : std::string("<none>"), std::string(row.expected),
                std::string("named ") + row.expected);
    }
    for (const WidgetName box : {WidgetName::TextHexMin, WidgetName::TextHexMax}) {
        IAccessible* object = found(box);
        if (!object)
            continue;
        t.check(numberOf(object, &IAccessible::get_accState) & STATE_SYSTEM_READONLY, "box is read-only");
        t.equal(valueOf(object), std::string("0x0"), "box's value is its address");
        BSTR typed = SysAllocString(L"0xFFFFFF");
        t.check(FAILED(object->put_accValue(self(), typed)), "a value cannot be put into a box");
        SysFreeString(typed);
        t.equal(valueOf(object), std::string("0x0"), "box unchanged by the attempt");
        wchar_t shown[16] = {};
        SendMessageW(item(main, box), WM_GETTEXT, 16, reinterpret_cast<LPARAM>(shown));
        t.check(std::wstring(shown) == L"0x0", "box shows its address unchanged");
    }
}

// Each cell where it is drawn, in physical pixels at this DPI; object
// navigation walks the cells in the order they are shown, and hit testing
// finds a cell at its middle and nowhere else.
void placesAndNavigation(TestLog& t, HWND main, const Found& found, int dpi)
{
    POINT origin{0, 0};
    ClientToScreen(main, &origin);
    int misplaced = 0;
    int missedHits = 0;
    std::string firstMisplaced;
    for (const Layout::WidgetSpec& row : Layout::kWidgets) {
        IAccessible* cell = row.kind == Layout::WidgetKind::Cell ? found(row.name, row.index) : nullptr;
        if (!cell)
            continue;
        const Layout::PixelRect place = Layout::pixelRect(row, dpi);
        const LONG left = origin.x + place.left;
        const LONG top = origin.y + place.top;
        const LONG right = left + place.width;
        const LONG bottom = top + place.height;
        LONG x = 0, y = 0, width = 0, height = 0;
        cell->accLocation(&x, &y, &width, &height, self());
        if (x != left || y != top || width != right - left || height != bottom - top) {
            ++misplaced;
            if (firstMisplaced.empty())
                firstMisplaced = " (bit " + std::to_string(row.index) + " at " + std::to_string(x) + "," +
                                 std::to_string(y) + " " + std::to_string(width) + "x" + std::to_string(height) + ")";
        }
        VARIANT hit;
        VariantInit(&hit);
        cell->accHitTest((left + right) / 2, (top + bottom) / 2, &hit);
        missedHits += !(hit.vt == VT_I4 && hit.lVal == CHILDID_SELF);
        VariantClear(&hit);
        cell->accHitTest(right + 1, bottom + 1, &hit);
        missedHits += hit.vt != VT_EMPTY;
        VariantClear(&hit);
    }
    t.equal(misplaced, 0, "every cell's location is where the layout puts it at " + std::to_string(dpi) + " dpi" + firstMisplaced);
    t.equal(missedHits, 0, "hit tests find each cell at its middle and not beside it");

    struct Walk {
        LONG direction;
        std::int16_t from;
        int step;
    };
    for (const Walk& walk : {Walk{NAVDIR_NEXT, 23, -1}, Walk{NAVDIR_PREVIOUS, 0, 1}, Walk{NAVDIR_RIGHT, 23, -1}}) {
        IAccessible* at = found(WidgetName::CommandAddressBits, walk.from);
        if (at)
            at->AddRef();
        int visited = 1;
        bool inOrder = true;
        while (at) {
            VARIANT next;
            VariantInit(&next);
            const HRESULT result = at->accNavigate(walk.direction, self(), &next);
            at->Release();
            at = nullptr;
            if (result == S_OK && next.vt == VT_DISPATCH) {
                const int expected = walk.from + walk.step * visited;
                inOrder = inOrder && windowOf(next.pdispVal) == item(main, WidgetName::CommandAddressBits,
                                                                      static_cast<std::int16_t>(expected));
                next.pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&at));
                ++visited;
            }
            VariantClear(&next);
            if (visited > 30)
                break;
        }
        t.equal(visited, 24, "navigation " + std::to_string(walk.direction) + " walks all 24 cells from bit " +
                                 std::to_string(walk.from));
        t.check(inOrder, "navigation " + std::to_string(walk.direction) + " walks them in the order shown");
    }
    IDispatch* parent = nullptr;
    IAccessible* cell = found(WidgetName::CommandAddressBits, 7);
    if (cell && SUCCEEDED(cell->get_accParent(&parent)) && parent) {
        t.equal(windowOf(parent), item(main, WidgetName::CommandAddressBits, 7), "a cell's parent is its window");
        parent->Release();
    } else {
        t.check(false, "a cell has a parent");
    }
}

// Requests about children that do not exist, or with a child id of the wrong
// type, answer an error from every object of ours and change nothing.
void badChildren(TestLog& t, HWND main, const Found& found)
{
    std::vector<VARIANT> bad;
    for (const LONG id : {1L, -1L, 24L, 100L, static_cast<LONG>(INT_MIN), static_cast<LONG>(INT_MAX)}) {
        VARIANT v;
        v.vt = VT_I4;
        v.lVal = id;
        bad.push_back(v);
    }
    const VARTYPE types[] = {VT_EMPTY, VT_I2, VT_UI4, VT_R8, VT_BOOL, VT_BSTR, VT_NULL, VT_ERROR};
    for (const VARTYPE type : types) {
        VARIANT v;
        VariantInit(&v);
        v.vt = type;
        if (type == VT_BSTR)
            v.bstrVal = SysAllocString(L"0");
        else if (type == VT_R8)
            v.dblVal = 0.0;
        else
            v.lVal = 0;
        bad.push_back(v);
    }
    std::string answered;
    int asked = 0;
    // The cells at both ends and the one in the middle, both boxes and every
    // frame: each kind of object the program makes, and none left out.
    const std::pair<WidgetName, std::int16_t> swept[] = {
        {WidgetName::CommandAddressBits, 0}, {WidgetName::CommandAddressBits, 11}, {WidgetName::CommandAddressBits, 23},
        {WidgetName::TextHexMin, -1},        {WidgetName::TextHexMax, -1},         {WidgetName::Frame1, -1},
        {WidgetName::Frame2, -1},            {WidgetName::Frame3, -1}};
    for (const auto& [name, index] : swept) {
        IAccessible* object = found(name, index);
        const int id = controlId(name, index);
        const bool ours = name == WidgetName::CommandAddressBits;
        if (!object)
            continue;
        for (const VARIANT& child : bad) {
            ++asked;
            const std::string succeeded = methodsThatSucceed(object, child);
            if (!succeeded.empty() && answered.empty())
                answered = " (control " + std::to_string(id) + ", type " + std::to_string(child.vt) + ": " + succeeded + ")";
        }
        VARIANT end;
        VariantInit(&end);
        for (const LONG direction : {0L, 9L, -1L, static_cast<LONG>(INT_MAX)})
            if (ours && SUCCEEDED(object->accNavigate(direction, self(), &end)) && answered.empty())
                answered = " (navigation " + std::to_string(direction) + ")";
        VariantClear(&end);
    }
    for (VARIANT& v : bad)
        VariantClear(&v);
    t.equal(asked, 8 * 14, "cells, boxes and frames asked with every bad child id");
    t.check(answered.empty(), "every request about a bad child id answers an error" + answered);
    wchar_t shown[16] = {};
    SendMessageW(item(main, WidgetName::TextHexMax), WM_GETTEXT, 16, reinterpret_cast<LPARAM>(shown));
    t.check(std::wstring(shown) == L"0x0", "no bad request pressed a cell");
}

} // namespace

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
