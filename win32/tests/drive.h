// What the Win32 tests in this process do to the window and read back: mouse
// messages as a click delivers them, queued messages handled, texts read.
#pragma once

#include <windows.h>

#include <string>

inline std::string narrowText(const wchar_t* wide)
{
    std::string text;
    for (const wchar_t* c = wide; *c; ++c)
        text += static_cast<char>(*c);
    return text;
}

// By WM_GETTEXT, which reaches a control of another process too.
inline std::string textOf(HWND control)
{
    wchar_t buffer[64] = {};
    SendMessageW(control, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(buffer));
    return narrowText(buffer);
}

inline void pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// A click, or a double click: press, release, the second press as the
// double-click message, release.
inline void click(HWND control, bool doubleClick = false)
{
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    if (doubleClick) {
        SendMessageW(control, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
    pump();
}
