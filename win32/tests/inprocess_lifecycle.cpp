// The window through what happens to it from outside: a move to a monitor of
// another scale, a control that Windows refuses to create, focus after
// minimise or another window, a reader's object that outlives the window,
// and the close that ends the message loop.
#include "accsweep.h"
#include "drive.h"
#include "inprocess.h"
#include "launch.h"
#include "win32mainform.h"
#include "testlog.h"

#include <cmath>
#include <string>

using Layout::WidgetName;

// Moved to a monitor of another scale, the window takes the rectangle that
// Windows suggests and lays out every control and font again for the DPI.
void dpiChanges(TestLog& t)
{
    using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
    const auto metricForDpi = reinterpret_cast<GetSystemMetricsForDpiFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
    Win32MainForm form(GetModuleHandleW(nullptr));
    for (const int dpi : {144, 192, 96}) {
        const std::string at = " at " + std::to_string(dpi) + " dpi";
        RECT suggested{40, 30, 40 + Layout::twipsToPixels(Layout::kClientWidth, dpi) + 7, 30 + Layout::twipsToPixels(Layout::kClientHeight, dpi) + 29};
        SendMessageW(form.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        t.equal(form.dpi(), dpi, "form takes the new DPI" + at);
        RECT window{};
        GetWindowRect(form.window(), &window);
        t.check(EqualRect(&window, &suggested), "window takes the suggested rectangle" + at);
        int misplaced = 0;
        int misfonted = 0;
        for (const Layout::WidgetSpec& row : Layout::kWidgets) {
            // Face, weight and size, rounded to the pixel, of the font the row names.
            const Layout::FontSpec* named = Layout::fontFor(row.font);
            const Layout::FontSpec& wanted = named ? *named : Layout::kDialogFont;
            const LOGFONTW font = fontOf(form.control(row.name, row.index));
            misfonted += narrowText(font.lfFaceName) != wanted.family || (font.lfWeight >= FW_BOLD) != wanted.bold
                         || font.lfHeight != -static_cast<LONG>(std::lround(wanted.pointSize * dpi / 72.0));
            const Layout::PixelRect place = Layout::pixelRect(row, dpi);
            const RECT expected{place.left, place.top, place.left + place.width, place.top + place.height};
            const RECT actual = childRect(form.window(), form.control(row.name, row.index));
            misplaced += !EqualRect(&actual, &expected);
        }
        t.equal(misplaced, 0, "every control laid out from the table" + at);
        t.equal(misfonted, 0, "every control in the font the table names" + at);
        t.equal(fontOf(form.control(WidgetName::CommandAddressBits, 0)).lfHeight, -MulDiv(825, dpi, 7200),
                "cell font" + at);
        t.equal(fontOf(form.control(WidgetName::TextHexMin)).lfHeight, -MulDiv(1575, dpi, 7200), "box font" + at);
        ICONINFO info{};
        BITMAP bitmap{};
        const auto big = reinterpret_cast<HICON>(SendMessageW(form.window(), WM_GETICON, ICON_BIG, 0));
        if (big && GetIconInfo(big, &info)) {
            GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
        const int wanted = metricForDpi ? metricForDpi(SM_CXICON, static_cast<UINT>(dpi)) : GetSystemMetrics(SM_CXICON);
        t.equal(static_cast<int>(bitmap.bmWidth), wanted, "icon of the size this DPI asks for" + at);
    }
}

namespace {

// Vetoes the creation of the first window of one class, as a hook or a
// policy may; answers any message box with OK and keeps its text.
struct CreationVeto {
    static inline const wchar_t* s_class = nullptr;
    static inline bool s_vetoed = false;
    static inline wchar_t s_message[256] = {};

    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto window = reinterpret_cast<HWND>(wParam);
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (code == HCBT_CREATEWND && !s_vetoed && lstrcmpiW(name, s_class) == 0) {
            s_vetoed = true;
            return 1;
        }
        if (code == HCBT_ACTIVATE && lstrcmpW(name, L"#32770") == 0) {
            GetDlgItemTextW(window, 0xFFFF, s_message, 256);
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
};

} // namespace

void creationFailures(TestLog& t)
{
    struct Row {
        const wchar_t* vetoedClass;
        const wchar_t* named;
    };
    const Row rows[] = {{L"AddressRangeFinderMainForm", L"the main window"},
                        {L"Edit", L"the control TextHexMin"},
                        {L"Static", L"the control Label1(0)"}};
    for (const Row& row : rows) {
        const std::string what = narrowText(row.named);
        CreationVeto::s_class = row.vetoedClass;
        CreationVeto::s_vetoed = false;
        CreationVeto::s_message[0] = L'\0';
        HHOOK hook = SetWindowsHookExW(WH_CBT, &CreationVeto::hook, nullptr, GetCurrentThreadId());
        {
            Win32MainForm form(GetModuleHandleW(nullptr));
            t.check(form.failure() && std::wstring(form.failure()) == row.named, "the form names " + what);
        }
        CreationVeto::s_vetoed = false;
        const int status = runMainForm(GetModuleHandleW(nullptr), SW_SHOW);
        UnhookWindowsHookEx(hook);
        t.check(status != 0, "the program ends with a failure status when " + what + " is refused");
        t.check(std::wstring(CreationVeto::s_message).find(row.named) != std::wstring::npos,
                "the message box names " + what);
    }
    pump();
}

// Focus comes back to the control that had it, after minimise and restore
// and after another window was active.
void focusReturns(TestLog& t)
{
    Win32MainForm form(GetModuleHandleW(nullptr));
    ShowWindow(form.window(), SW_SHOW);
    SetForegroundWindow(form.window());
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    for (const WidgetName name : {WidgetName::TextHexMax, WidgetName::TextHexMin}) {
        SetActiveWindow(form.window());
        SetFocus(form.control(name));
        pump();
        ShowWindow(form.window(), SW_MINIMIZE);
        pump();
        ShowWindow(form.window(), SW_RESTORE);
        pump();
        const std::string box = name == WidgetName::TextHexMax ? "TextHexMax" : "TextHexMin";
        t.equal(GetFocus(), form.control(name), box + " has the focus again after minimise and restore");
        SetActiveWindow(other);
        pump();
        SetActiveWindow(form.window());
        pump();
        t.equal(GetFocus(), form.control(name), box + " has the focus again after switching away and back");
    }
    DestroyWindow(other);
}

// A reader may keep a control's object after the window has gone: every
// call then answers an error, and none reaches the form that was.
void accessibleAfterClose(TestLog& t)
{
    struct Row {
        WidgetName name;
        std::int16_t index;
    };
    const Row rows[] = {{WidgetName::CommandAddressBits, 3}, {WidgetName::TextHexMin, -1}, {WidgetName::Frame1, -1}};
    for (const Row& row : rows) {
        IAccessible* object = nullptr;
        {
            Win32MainForm form(GetModuleHandleW(nullptr));
            AccessibleObjectFromWindow(form.control(row.name, row.index), OBJID_CLIENT, IID_IAccessible,
                                       reinterpret_cast<void**>(&object));
        }
        pump();
        const std::string what = std::string(Layout::widgetName(row.name)) + " after its window has gone";
        if (!t.check(object != nullptr, what + ": the object was handed out"))
            continue;
        VARIANT self;
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        const std::string succeeded = methodsThatSucceed(object, self);
        t.check(succeeded.empty(), what + ": every call answers an error (" + succeeded + ")");
        IDispatch* parent = nullptr;
        LONG count = 0;
        VARIANT any;
        VariantInit(&any);
        t.check(FAILED(object->get_accParent(&parent)) && !parent, what + ": no parent");
        t.check(FAILED(object->get_accChildCount(&count)), what + ": no child count");
        t.check(FAILED(object->get_accFocus(&any)) && any.vt == VT_EMPTY, what + ": no focus");
        t.check(FAILED(object->accHitTest(0, 0, &any)) && any.vt == VT_EMPTY, what + ": no hit");
        object->Release();
    }
}

void closeEndsLoop(TestLog& t)
{
    pump(); // drop the quit that earlier forms posted as they were destroyed
    DWORD closedAt = 0;
    {
        Win32MainForm form(GetModuleHandleW(nullptr));
        closedAt = closeWindow(form.window());
        t.equal(form.run(), 0, "closing the window ends the loop with 0");
        t.check(form.window() == nullptr, "window gone after close");
    }
    reportEnd(closedAt);
}
