#include "win32dpi.h"

#include "win32support.h"

void claimDpiAwareness()
{
    using SetContextFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    if (const auto setContext = systemFunction<SetContextFn>(L"user32.dll", "SetProcessDpiAwarenessContext"))
        if (!setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2))
            setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
}

int windowDpi(HWND window)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    if (const auto getDpiForWindow = systemFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow"))
        if (const UINT dpi = getDpiForWindow(window))
            return static_cast<int>(dpi);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int systemMetric(int index, int dpi)
{
    using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
    if (const auto forDpi = systemFunction<GetSystemMetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi"))
        return forDpi(index, static_cast<UINT>(dpi));
    return GetSystemMetrics(index);
}

RECT windowRectForClient(int width, int height, int dpi)
{
    RECT rect{0, 0, width, height};
    using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    if (const auto adjust = systemFunction<AdjustForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi"))
        adjust(&rect, kWindowStyle, FALSE, 0, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&rect, kWindowStyle, FALSE, 0);
    return rect;
}

HICON loadIcon(int resource, int widthMetric, int heightMetric, int dpi)
{
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), IMAGE_ICON,
                                         systemMetric(widthMetric, dpi), systemMetric(heightMetric, dpi), 0));
}
