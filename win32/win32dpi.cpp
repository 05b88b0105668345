#include "win32dpi.h"

#include "controlids.h"
#include "win32mainform.h"
#include "win32support.h"

namespace {

constexpr int kIconId = 1;

} // namespace

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

void Win32MainForm::applyDpi(int dpi, const RECT* suggested)
{
    m_dpi = dpi;
    const HFONT oldFonts[] = {m_dialogFont, m_cellFont, m_boxFont};
    m_dialogFont = createFont(Layout::kDialogFont.family, Layout::kDialogFont.pointSize, Layout::kDialogFont.bold, dpi);
    m_cellFont = createFont(Layout::kCellFont.family, Layout::kCellFont.pointSize, Layout::kCellFont.bold, dpi);
    m_boxFont = createFont(Layout::kBoxFont.family, Layout::kBoxFont.pointSize, Layout::kBoxFont.bold, dpi);

    // The icon sizes this DPI asks for, drawn from the frames the file has.
    const HICON oldIcons[] = {m_bigIcon, m_smallIcon};
    const auto loadIcon = [&](int width, int height) {
        return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconId), IMAGE_ICON,
                                             systemMetric(width, dpi), systemMetric(height, dpi), 0));
    };
    m_bigIcon = loadIcon(SM_CXICON, SM_CYICON);
    m_smallIcon = loadIcon(SM_CXSMICON, SM_CYSMICON);
    SendMessageW(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_bigIcon));
    SendMessageW(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon));

    if (suggested) {
        SetWindowPos(m_window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        const RECT frame = windowRectForClient(Layout::twipsToPixels(Layout::kClientWidth, dpi),
                                               Layout::twipsToPixels(Layout::kClientHeight, dpi), dpi);
        SetWindowPos(m_window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (const Layout::WidgetSpec& row : Layout::kWidgets) {
        const Layout::PixelRect place = Layout::pixelRect(row, dpi);
        HWND control = this->control(row.name, row.index);
        const HFONT font = row.font == Layout::FontRole::Cell  ? m_cellFont
                           : row.font == Layout::FontRole::Box ? m_boxFont
                                                                : m_dialogFont;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        MoveWindow(control, place.left, place.top, place.width, place.height, FALSE);
        if (row.kind == Layout::WidgetKind::Frame) {
            // The title on the border, wide enough to hide any the box draws.
            HWND title = GetDlgItem(m_window, frameTitleId(row.name));
            HDC dc = GetDC(title);
            const HGDIOBJ previous = SelectObject(dc, m_dialogFont);
            const WideText text(row.text);
            SIZE extent{};
            GetTextExtentPoint32W(dc, text.c_str(), lstrlenW(text.c_str()), &extent);
            SelectObject(dc, previous);
            ReleaseDC(title, dc);
            SendMessageW(title, WM_SETFONT, reinterpret_cast<WPARAM>(m_dialogFont), FALSE);
            MoveWindow(title, place.left + MulDiv(6, dpi, 96), place.top, extent.cx + MulDiv(10, dpi, 96), extent.cy, FALSE);
        }
    }
    InvalidateRect(m_window, nullptr, TRUE);
    for (HFONT font : oldFonts)
        if (font)
            DeleteObject(font);
    for (HICON icon : oldIcons)
        if (icon)
            DestroyIcon(icon);
}
