// What the in-process test's files share: the colours a cell's states are
// drawn in, a control's font and place as the window reports them, and the
// checks each file holds, which main() runs in one order.
#pragma once

#include "testlog.h"

#include <windows.h>

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

inline LOGFONTW fontOf(HWND control)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

inline RECT childRect(HWND parent, HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Fonts, colours and what the window draws (inprocess_render.cpp).
void fontsAndColours(TestLog& t);
void textContrast(TestLog& t);
void renderedCellsAndFrames(TestLog& t);

// The window through changes from outside (inprocess_lifecycle.cpp).
void dpiChanges(TestLog& t);
void creationFailures(TestLog& t);
void focusReturns(TestLog& t);
void accessibleAfterClose(TestLog& t);
void closeEndsLoop(TestLog& t);
