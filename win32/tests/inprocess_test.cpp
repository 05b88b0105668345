// Drives the real Win32 window in this process: clicks arrive as mouse
// messages to the controls, and results are read back from the controls.
// What clicks and mode switches do, the soak checks after every event.
#include "accsweep.h"
#include "cellborder.h"
#include "contrast.h"
#include "controlids.h"
#include "drive.h"
#include "focus.h"
#include "launch.h"
#include "referencemodel.h"
#include "win32mainform.h"
#include "testlog.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Layout::WidgetName;

void pressTab(Win32MainForm& form, bool shift = false)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG msg{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    if (!form.preTranslateMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    pump();
}

std::string captionsLeftToRight(const Win32MainForm& form)
{
    std::string all;
    for (int bit = kAddressBitCount - 1; bit >= 0; --bit)
        all += textOf(form.control(WidgetName::Label1, static_cast<std::int16_t>(bit))) + (bit ? " " : "");
    return all;
}

// The captions as the window opens, bit 23 first.
std::string startCaptions()
{
    std::string all;
    for (int bit = kAddressBitCount - 1; bit >= 0; --bit)
        all += ReferenceModel().caption(bit) + (bit ? " " : "");
    return all;
}

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

void startState(TestLog& t)
{
    Win32MainForm form(GetModuleHandleW(nullptr));
    t.equal(textOf(form.window()), std::string("Address range finder"), "title");
    for (std::int16_t bit = 0; bit < kAddressBitCount; ++bit) {
        t.equal(textOf(form.control(WidgetName::CommandAddressBits, bit)), std::string("0"), "cell starts at 0");
        t.equal(form.cellForeColor(bit), kBlue, "cell starts blue");
    }
    t.equal(captionsLeftToRight(form), startCaptions(), "PIC numbering at start");
    t.equal(SendMessageW(form.control(WidgetName::OptionMode, 1), BM_GETCHECK, 0, 0), LRESULT{BST_CHECKED},
            "PIC 18F selected");
    t.equal(SendMessageW(form.control(WidgetName::OptionMode, 0), BM_GETCHECK, 0, 0), LRESULT{BST_UNCHECKED},
            "Standard micro not selected");
    t.equal(textOf(form.control(WidgetName::TextHexMin)), std::string("0x0"), "min box at start");
    t.equal(textOf(form.control(WidgetName::TextHexMax)), std::string("0x0"), "max box at start");
    RECT client{};
    GetClientRect(form.window(), &client);
    t.equal(client.right, Layout::twipsToPixels(Layout::kClientWidth, form.dpi()), "client width");
    t.equal(client.bottom, Layout::twipsToPixels(Layout::kClientHeight, form.dpi()), "client height");
}

void focusAndTabOrder(TestLog& t)
{
    Win32MainForm form(GetModuleHandleW(nullptr));
    ShowWindow(form.window(), SW_SHOW);
    SetForegroundWindow(form.window());
    pump();
    const HWND order[] = {form.control(WidgetName::OptionMode, 0), form.control(WidgetName::OptionMode, 1),
                          form.control(WidgetName::TextHexMin), form.control(WidgetName::TextHexMax)};
    t.equal(GetFocus(), order[Focus::initialStop()], "the window opens on the selected mode button");
    SetFocus(order[0]);
    for (int i = 0; i < 8; ++i) {
        t.equal(GetFocus(), order[i % 4], "tab stop " + std::to_string(i));
        if (i % 4 >= 2) {
            DWORD from = 1, to = 0;
            SendMessageW(GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
            const bool whole = from == 0 && to == static_cast<DWORD>(GetWindowTextLengthW(GetFocus()));
            t.check(whole == Focus::kSelectAllOnTab, "tabbing onto a box selects its text as the focus policy says");
        }
        pressTab(form);
    }
    pressTab(form, true);
    t.equal(GetFocus(), order[3], "shift+tab wraps back to the last box");
    // Tabbing through the mode buttons must not change the mode.
    t.equal(captionsLeftToRight(form), startCaptions(), "tabbing leaves the numbering");

    click(form.control(WidgetName::CommandAddressBits, 12));
    t.equal(GetFocus(), order[3], "a clicked cell leaves focus where it was");
    for (std::int16_t bit = 0; bit < kAddressBitCount; ++bit) {
        const LONG style = GetWindowLongW(form.control(WidgetName::CommandAddressBits, bit), GWL_STYLE);
        t.check(!(style & WS_TABSTOP), "cell is no tab stop");
    }
}

LOGFONTW fontOf(HWND control)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

void fontsAndColours(TestLog& t)
{
    Win32MainForm form(GetModuleHandleW(nullptr));
    const LOGFONTW cell = fontOf(form.control(WidgetName::CommandAddressBits, 3));
    t.equal(std::wstring(cell.lfFaceName), std::wstring(L"MS Sans Serif"), "cell face");
    t.equal(cell.lfWeight, LONG{FW_BOLD}, "cell bold");
    t.equal(cell.lfHeight, -MulDiv(825, form.dpi(), 7200), "cell 8.25 pt");
    const LOGFONTW box = fontOf(form.control(WidgetName::TextHexMax));
    t.equal(std::wstring(box.lfFaceName), std::wstring(L"Courier New"), "box face");
    t.equal(box.lfWeight, LONG{FW_BOLD}, "box bold");
    t.equal(box.lfHeight, -MulDiv(1575, form.dpi(), 7200), "box 15.75 pt");

    // The colour each control is painted with, as the window answers it.
    const auto paintedColor = [&](HWND control, COLORREF& background) {
        HDC dc = CreateCompatibleDC(nullptr);
        SendMessageW(form.window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
        const COLORREF text = GetTextColor(dc);
        background = GetBkColor(dc);
        DeleteDC(dc);
        return text;
    };
    HWND cellControl = form.control(WidgetName::CommandAddressBits, 3);
    const COLORREF states[] = {kRed, kBlack, kBlue};
    for (const COLORREF expected : states) {
        click(cellControl);
        COLORREF background = 0;
        t.equal(paintedColor(cellControl, background), expected, "cell painted in its state colour");
        t.equal(background, RGB(192, 192, 192), "cell painted on grey");
    }
    COLORREF boxBackground = 0;
    t.equal(paintedColor(form.control(WidgetName::TextHexMin), boxBackground), kBlue, "box text blue");
    t.equal(boxBackground, GetSysColor(COLOR_WINDOW), "box stays white although read-only");
    const LONG boxStyle = GetWindowLongW(form.control(WidgetName::TextHexMin), GWL_STYLE);
    t.check(boxStyle & ES_READONLY, "box is read-only");
}

RECT childRect(HWND parent, HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

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

// What the window shows on screen, pixel by pixel.
class Grab {
public:
    explicit Grab(HWND window)
    {
        RECT client{};
        GetClientRect(window, &client);
        m_width = client.right;
        m_height = client.bottom;
        m_pixels.resize(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height));
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, m_width, -m_height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        HDC dc = GetDC(window);
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, m_width, m_height);
        const HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, m_width, m_height, dc, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        GetDIBits(memory, bitmap, 0, static_cast<UINT>(m_height), m_pixels.data(), &info, DIB_RGB_COLORS);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(window, dc);
    }
    Contrast::Rgb8 operator()(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= m_width || y >= m_height)
            return {-1, -1, -1};
        const std::uint32_t p = m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x)];
        return {int(p >> 16 & 255), int(p >> 8 & 255), int(p & 255)};
    }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_pixels;
};

Grab grabShown(const Win32MainForm& form)
{
    ShowWindow(form.window(), SW_SHOW);
    UpdateWindow(form.window());
    pump();
    return Grab(form.window());
}

// Each cell's border is one even line in the shared colour at this DPI,
// with the grey fill up to it and none outside and the digit in the middle;
// each frame draws its outline, with its title on it.
void renderedCellsAndFrames(TestLog& t)
{
    Win32MainForm form(GetModuleHandleW(nullptr));
    const Grab pixel = grabShown(form);
    for (const Layout::WidgetSpec& row : Layout::kWidgets) {
        if (row.kind != Layout::WidgetKind::Frame)
            continue;
        const RECT frame = childRect(form.window(), form.control(row.name));
        const int middle = (frame.top + frame.bottom) / 2;
        const Contrast::Rgb8 face = pixel(frame.left + 6, middle);
        const auto line = [&](int x) { return !CellBorder::same(pixel(x, middle), face) || !CellBorder::same(pixel(x + 1, middle), face); };
        t.check(line(frame.left) && line(frame.right - 2), std::string(Layout::widgetName(row.name)) + " draws its outline");
        wchar_t title[64] = {};
        GetWindowTextW(GetDlgItem(form.window(), frameTitleId(row.name)), title, 64);
        t.equal(narrowText(title), std::string(row.text), std::string(Layout::widgetName(row.name)) + " title");
    }
    for (int group = 0; group < 6; ++group) {
        std::array<CellBorder::Box, 4> boxes;
        for (int i = 0; i < 4; ++i) {
            const RECT r = childRect(form.window(), form.control(WidgetName::CommandAddressBits,
                                                                 static_cast<std::int16_t>(23 - 4 * group - i)));
            boxes[static_cast<std::size_t>(i)] = {r.left, r.top, r.right, r.bottom};
        }
        const std::string wrong = CellBorder::groupFault(boxes, {0, 0, 0}, {192, 192, 192}, pixel);
        t.check(wrong.empty(), "cell group " + std::to_string(group) + " at " + std::to_string(form.dpi()) +
                                   " dpi: " + wrong);
        for (const CellBorder::Box& box : boxes)
            t.check(std::abs(CellBorder::textOffset(box, {0, 0, 0}, {192, 192, 192}, pixel)) <= form.dpi() / 96.0,
                    "digit in the middle of its cell");
    }
}

// Every text but the cells' fixed colours stands out at least 4.5:1 from
// what is behind it, as drawn, with the usual colours and with a
// high-contrast theme's.
void textContrast(TestLog& t)
{
    struct Scheme {
        const char* name;
        bool highContrast;
    };
    const int elements[] = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_3DFACE};
    COLORREF saved[5];
    for (int i = 0; i < 5; ++i)
        saved[i] = GetSysColor(elements[i]);
    for (const Scheme& scheme : {Scheme{"standard colours", false}, Scheme{"high contrast", true}}) {
        if (scheme.highContrast) {
            const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
            const COLORREF colours[] = {black, white, black, white, black};
            SetSysColors(5, elements, colours);
            HIGHCONTRASTW settings{sizeof settings, HCF_HIGHCONTRASTON, nullptr};
            SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof settings, &settings, 0);
        }
        Win32MainForm form(GetModuleHandleW(nullptr));
        const Grab pixel = grabShown(form);
        double lowest = 100.0;
        std::string lowestName;
        const int indicator = MulDiv(16, form.dpi(), 96); // a mode button's round mark
        for (const Layout::WidgetSpec& row : Layout::kWidgets) {
            if (row.kind == Layout::WidgetKind::Cell)
                continue;
            RECT area = childRect(form.window(), form.control(row.name, row.index));
            if (row.kind == Layout::WidgetKind::OptionButton)
                area.left += indicator;
            if (row.kind == Layout::WidgetKind::TextBox)
                InflateRect(&area, -3, -3);
            if (row.kind == Layout::WidgetKind::Frame) // the title on the top border
                area = childRect(form.window(), GetDlgItem(form.window(), frameTitleId(row.name)));
            const double ratio = Contrast::rendered(area.left, area.top, area.right, area.bottom, pixel);
            if (ratio < lowest) {
                lowest = ratio;
                lowestName = std::string(Layout::widgetName(row.name)) +
                             (row.index < 0 ? "" : "(" + std::to_string(row.index) + ")");
            }
        }
        std::printf("%s: lowest text contrast %.2f:1 (%s)\n", scheme.name, lowest, lowestName.c_str());
        HIGHCONTRASTW state{sizeof state, 0, nullptr};
        if (scheme.highContrast && SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof state, &state, 0)
            && (state.dwFlags & HCF_HIGHCONTRASTON)) {
            // Where the system keeps the flag, the boxes take the theme's colours.
            HDC dc = CreateCompatibleDC(nullptr);
            SendMessageW(form.window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(form.control(WidgetName::TextHexMin)));
            t.equal(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT), "box text in the theme's colour");
            t.equal(GetBkColor(dc), GetSysColor(COLOR_WINDOW), "box field in the theme's colour");
            DeleteDC(dc);
        } else if (scheme.highContrast) {
            std::printf("this system keeps no high-contrast flag: the boxes stay blue on white\n");
        }
        t.check(lowest >= 4.5, std::string(scheme.name) + ": every text at least 4.5:1, lowest " + lowestName);
        if (scheme.highContrast) {
            HIGHCONTRASTW settings{sizeof settings, 0, nullptr};
            SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof settings, &settings, 0);
            SetSysColors(5, elements, saved);
        }
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

} // namespace

int main(int argc, char** argv)
{
    TestLog t;
    // The DPI that the display is set to, which the window must follow.
    const int dpi = argc > 1 ? std::atoi(argv[1]) : 96;
    {
        Win32MainForm form(GetModuleHandleW(nullptr));
        t.equal(form.dpi(), dpi, "the window takes the display's DPI");
    }
    startState(t);
    focusAndTabOrder(t);
    fontsAndColours(t);
    dpiChanges(t);
    creationFailures(t);
    focusReturns(t);
    accessibleAfterClose(t);
    textContrast(t);
    renderedCellsAndFrames(t);
    closeEndsLoop(t);
    return t.finish();
}
