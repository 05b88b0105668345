// The display's scale as the Win32 front end reads it: the DPI of a window's
// monitor, system metrics and the window's outer size for that DPI, each
// through the per-monitor functions where Windows has them.
#pragma once

#include <windows.h>

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Per-monitor awareness, as the manifest asks: where the system did not
// take it from there (Wine 10, for one), asked for at run time. Where the
// manifest was taken, the call changes nothing.
void claimDpiAwareness();
// The DPI of the monitor the window is on (Windows 10), else the system's.
int windowDpi(HWND window);
int systemMetric(int index, int dpi);
// The outer rectangle of a main window whose client area is this size.
RECT windowRectForClient(int width, int height, int dpi);
// The program's icon `resource` in the size these metrics ask for at this
// DPI, drawn from the frames the file has.
HICON loadIcon(int resource, int widthMetric, int heightMetric, int dpi);
