// Drives the real Win32 window in this process: clicks arrive as mouse
// messages to the controls, and results are read back from the controls.
// What clicks and mode switches do, the soak checks after every event.
// Here: the window as it opens, and focus and Tab; the other checks are in
// the files that inprocess.h names.
#include "drive.h"
#include "focus.h"
#include "inprocess.h"
#include "referencemodel.h"
#include "win32mainform.h"
#include "testlog.h"

#include <cstdlib>
#include <string>

namespace {

using Layout::WidgetName;

// A key as the message loop meets it, with Shift or Ctrl held.
void press(Win32MainForm& form, WPARAM key, int modifier = 0)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    if (modifier)
        keys[modifier] = 0x80;
    SetKeyboardState(keys);
    MSG msg{GetFocus(), WM_KEYDOWN, key, 0, 0, {0, 0}};
    if (!form.preTranslateMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    pump();
    if (modifier)
        keys[modifier] = 0;
    SetKeyboardState(keys);
}

void pressTab(Win32MainForm& form, bool shift = false) { press(form, VK_TAB, shift ? VK_SHIFT : 0); }

std::string clipboardText()
{
    std::string text;
    if (!OpenClipboard(nullptr))
        return "(clipboard busy)";
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = narrowText(static_cast<const wchar_t*>(GlobalLock(data)));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
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
            if (OpenClipboard(nullptr)) {
                EmptyClipboard();
                CloseClipboard();
            }
            press(form, 'C', VK_CONTROL);
            t.equal(clipboardText(), textOf(GetFocus()), "Tab, then Ctrl+C copies the whole address");
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
