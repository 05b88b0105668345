// Drives the real Win32 window in this process: clicks arrive as mouse
// messages to the controls, and results are read back from the controls.
#include "controlids.h"
#include "win32mainform.h"
#include "testlog.h"

#include <string>
#include <vector>

namespace {

using Layout::WidgetName;

std::string textOf(HWND control)
{
    wchar_t buffer[64] = {};
    GetWindowTextW(control, buffer, 64);
    std::string text;
    for (const wchar_t* c = buffer; *c; ++c)
        text += static_cast<char>(*c);
    return text;
}

void pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void click(HWND control)
{
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    pump();
}

void doubleClick(HWND control)
{
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageW(control, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    pump();
}

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
    for (int bit = 23; bit >= 0; --bit)
        all += textOf(form.control(WidgetName::Label1, static_cast<std::int16_t>(bit))) + (bit ? " " : "");
    return all;
}

const std::string kPicCaptions = "22 21 20 19 18 17 16 15 14 13 12 11 10 9 8 7 6 5 4 3 2 1 0 BA0";
const std::string kStandardCaptions = "23 22 21 20 19 18 17 16 15 14 13 12 11 10 9 8 7 6 5 4 3 2 1 0";
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

void startState(TestLog& t)
{
    Win32MainForm form(GetModuleHandleW(nullptr));
    t.equal(textOf(form.window()), std::string("Address range finder"), "title");
    for (std::int16_t bit = 0; bit < 24; ++bit) {
        t.equal(textOf(form.control(WidgetName::CommandAddressBits, bit)), std::string("0"), "cell starts at 0");
        t.equal(form.cellForeColor(bit), kBlue, "cell starts blue");
    }
    t.equal(captionsLeftToRight(form), kPicCaptions, "PIC numbering at start");
    t.equal(SendMessageW(form.control(WidgetName::OptionMode, 1), BM_GETCHECK, 0, 0), LRESULT{BST_CHECKED},
            "PIC 18F selected");
    t.equal(SendMessageW(form.control(WidgetName::OptionMode, 0), BM_GETCHECK, 0, 0), LRESULT{BST_UNCHECKED},
            "Standard micro not selected");
    t.equal(textOf(form.control(WidgetName::TextHexMin)), std::string("0x0"), "min box at start");
    t.equal(textOf(form.control(WidgetName::TextHexMax)), std::string("0x0"), "max box at start");
    RECT client{};
    GetClientRect(form.window(), &client);
    t.equal(client.right, Layout::twipsToPixels(8415, form.dpi()), "client width");
    t.equal(client.bottom, Layout::twipsToPixels(3165, form.dpi()), "client height");
}

void cellClicks(TestLog& t)
{
    struct Row {
        const char* name;
        std::int16_t bit;
        int clicks;
        bool doubleClick;
        const char* text;
        COLORREF color;
        const char* min;
        const char* max;
    };
    const Row rows[] = {
        {"top bit once", 23, 1, false, "1", kRed, "0x800000", "0x800000"},
        {"top bit twice", 23, 2, false, "X", kBlack, "0x0", "0x800000"},
        {"top bit three times", 23, 3, false, "0", kBlue, "0x0", "0x0"},
        {"bottom bit twice", 0, 2, false, "X", kBlack, "0x0", "0x1"},
        {"double click is one step", 0, 1, true, "1", kRed, "0x1", "0x1"},
        {"two double clicks are two steps", 4, 2, true, "X", kBlack, "0x0", "0x10"},
    };
    for (const Row& row : rows) {
        Win32MainForm form(GetModuleHandleW(nullptr));
        HWND cell = form.control(WidgetName::CommandAddressBits, row.bit);
        for (int i = 0; i < row.clicks; ++i)
            row.doubleClick ? doubleClick(cell) : click(cell);
        const std::string name = row.name;
        t.equal(textOf(cell), std::string(row.text), name + ": text");
        t.equal(form.cellForeColor(row.bit), row.color, name + ": colour");
        t.equal(textOf(form.control(WidgetName::TextHexMin)), std::string(row.min), name + ": min");
        t.equal(textOf(form.control(WidgetName::TextHexMax)), std::string(row.max), name + ": max");
    }
}

void modeSwitches(TestLog& t)
{
    Win32MainForm form(GetModuleHandleW(nullptr));
    for (std::int16_t bit : {23, 9, 9})
        click(form.control(WidgetName::CommandAddressBits, bit));
    const std::string min = textOf(form.control(WidgetName::TextHexMin));
    const std::string max = textOf(form.control(WidgetName::TextHexMax));

    const std::pair<std::int16_t, const std::string*> steps[] = {
        {0, &kStandardCaptions}, {1, &kPicCaptions}, {0, &kStandardCaptions}};
    for (const auto& [mode, expected] : steps) {
        SendMessageW(form.control(WidgetName::OptionMode, mode), BM_CLICK, 0, 0);
        pump();
        t.equal(captionsLeftToRight(form), *expected, "captions after mode " + std::to_string(mode));
        t.equal(SendMessageW(form.control(WidgetName::OptionMode, static_cast<std::int16_t>(1 - mode)), BM_GETCHECK,
                             0, 0),
                LRESULT{BST_UNCHECKED}, "other mode cleared");
        t.equal(textOf(form.control(WidgetName::CommandAddressBits, 23)), std::string("1"), "cell 23 kept");
        t.equal(textOf(form.control(WidgetName::CommandAddressBits, 9)), std::string("X"), "cell 9 kept");
        t.equal(textOf(form.control(WidgetName::TextHexMin)), min, "min box kept");
        t.equal(textOf(form.control(WidgetName::TextHexMax)), max, "max box kept");
    }
}

void focusAndTabOrder(TestLog& t)
{
    Win32MainForm form(GetModuleHandleW(nullptr));
    ShowWindow(form.window(), SW_SHOW);
    SetForegroundWindow(form.window());
    SetFocus(form.control(WidgetName::OptionMode, 0));
    pump();
    const HWND order[] = {form.control(WidgetName::OptionMode, 0), form.control(WidgetName::OptionMode, 1),
                          form.control(WidgetName::TextHexMin), form.control(WidgetName::TextHexMax)};
    for (int i = 0; i < 8; ++i) {
        t.equal(GetFocus(), order[i % 4], "tab stop " + std::to_string(i));
        pressTab(form);
    }
    pressTab(form, true);
    t.equal(GetFocus(), order[3], "shift+tab wraps back to the last box");
    // Tabbing through the mode buttons must not change the mode.
    t.equal(captionsLeftToRight(form), kPicCaptions, "tabbing leaves the numbering");

    click(form.control(WidgetName::CommandAddressBits, 12));
    t.equal(GetFocus(), order[3], "a clicked cell leaves focus where it was");
    for (std::int16_t bit = 0; bit < 24; ++bit) {
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

void closeEndsLoop(TestLog& t)
{
    pump(); // drop the quit that earlier forms posted as they were destroyed
    Win32MainForm form(GetModuleHandleW(nullptr));
    PostMessageW(form.window(), WM_CLOSE, 0, 0);
    t.equal(form.run(), 0, "closing the window ends the loop with 0");
    t.check(form.window() == nullptr, "window gone after close");
}

} // namespace

int main()
{
    TestLog t;
    startState(t);
    cellClicks(t);
    modeSwitches(t);
    focusAndTabOrder(t);
    fontsAndColours(t);
    closeEndsLoop(t);
    return t.finish();
}
