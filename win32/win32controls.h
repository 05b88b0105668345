// The window's controls as plain Win32 makes them from the layout table:
// created, placed and given fonts for a DPI, coloured and, for a cell,
// drawn. Every control is a direct child of the top-level window, so that
// notifications reach one window procedure; a frame is a group box placed
// behind the controls it surrounds. These know the table and the handles,
// nothing of the form that calls them.
#pragma once

#include "layout.h"

#include <windows.h>

#include <array>

HWND control(HWND window, Layout::WidgetName name, std::int16_t index = -1);

// What the controls are drawn with: the fonts for the window's DPI, the
// brushes that stay, and each cell's text colour.
class ControlLook {
public:
    ControlLook();
    ~ControlLook();
    ControlLook(const ControlLook&) = delete;
    ControlLook& operator=(const ControlLook&) = delete;

    // Fonts for this DPI, the ones before them freed.
    void setDpi(int dpi);

    HFONT dialogFont = nullptr;
    HFONT cellFont = nullptr;
    HFONT boxFont = nullptr;
    HBRUSH cellBrush = nullptr;
    HBRUSH borderBrush = nullptr;
    HBRUSH boxBrush = nullptr;
    std::array<COLORREF, kAddressBitCount> cellColors{};
};

// Every row of the table as a child of window, the selected mode button
// checked; the row Windows refused to create, or nullptr.
const Layout::WidgetSpec* createControls(HWND window, HINSTANCE instance);
// Every control where the table puts it at this DPI, in its font.
void placeControls(HWND window, const ControlLook& look, int dpi);
// WM_CTLCOLORSTATIC: sets the colours on dc, answers the brush.
LRESULT controlColor(const ControlLook& look, HDC dc, HWND control);
// WM_DRAWITEM for a cell: its colours, its text, a one-pixel border.
void drawCell(const ControlLook& look, const DRAWITEMSTRUCT& item);
