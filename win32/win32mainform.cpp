#include "win32mainform.h"

#include "controlids.h"
#include "module1.h"

#include <cmath>

namespace {

constexpr wchar_t kWindowClass[] = L"AddressRangeFinderMainForm";
constexpr int kIconId = 1;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Every text the window shows is short: converting in a fixed buffer keeps
// the runtime's wide strings, and their exceptions, out of the executable.
class WideText {
public:
    explicit WideText(std::string_view text)
    {
        const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), m_chars,
                                                kCapacity - 1);
        m_chars[length > 0 ? length : 0] = L'\0';
    }
    const wchar_t* c_str() const { return m_chars; }

private:
    static constexpr int kCapacity = 64;
    wchar_t m_chars[kCapacity];
};

bool highContrast()
{
    HIGHCONTRASTW settings{};
    settings.cbSize = sizeof settings;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof settings, &settings, 0)
           && (settings.dwFlags & HCF_HIGHCONTRASTON);
}

ShortText windowText(HWND control)
{
    wchar_t wide[ShortText::kCapacity + 1];
    const int length = GetWindowTextW(control, wide, ShortText::kCapacity + 1);
    char bytes[ShortText::kCapacity * 3];
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, length, bytes, sizeof bytes, nullptr, nullptr);
    return std::string_view(bytes, static_cast<std::size_t>(size > 0 ? size : 0));
}

void setText(HWND control, std::string_view text) { SetWindowTextW(control, WideText(text).c_str()); }

COLORREF toColorRef(Rgb c) { return RGB(c.red, c.green, c.blue); }

HFONT createFont(std::string_view face, double points, bool bold, int dpi)
{
    const int height = -static_cast<int>(std::lround(points * dpi / 72.0));
    return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       WideText(face).c_str());
}

// Functions newer than Vista are looked up at run time, so that the program
// still starts where they are missing and falls back to the older way.
template <typename Function>
Function systemFunction(const wchar_t* module, const char* name)
{
    HMODULE handle = GetModuleHandleW(module);
    return handle ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name))) : nullptr;
}

// The DPI of the monitor the window is on (Windows 10), else the system's.
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

struct ControlClass {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

DWORD alignStyle(Layout::Align align)
{
    switch (align) {
    case Layout::Align::Centre:
        return SS_CENTER;
    case Layout::Align::Right:
        return SS_RIGHT;
    case Layout::Align::Left:
        break;
    }
    return SS_LEFT;
}

ControlClass controlClass(const Layout::WidgetSpec& row)
{
    using Layout::WidgetKind;
    switch (row.kind) {
    case WidgetKind::Frame:
        return {L"BUTTON", BS_GROUPBOX | WS_GROUP, 0};
    case WidgetKind::OptionButton:
        // One group for both buttons, so that selecting one clears the other.
        return {L"BUTTON", static_cast<DWORD>(BS_AUTORADIOBUTTON | WS_TABSTOP | (row.index == 0 ? WS_GROUP : 0)), 0};
    case WidgetKind::Label:
        return {L"STATIC", alignStyle(row.align) | SS_NOPREFIX | WS_GROUP, 0};
    case WidgetKind::Cell:
        // Drawn by the form (WM_DRAWITEM): WS_BORDER would take the system's
        // frame colour, which differs from one Windows to the next.
        return {L"STATIC", SS_OWNERDRAW | SS_NOTIFY | WS_GROUP, 0};
    case WidgetKind::TextBox:
        return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE};
    }
    return {L"STATIC", 0, 0};
}

} // namespace

Win32MainForm::Win32MainForm(HINSTANCE instance, IAccPropServices* annotations)
{
    m_comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (annotations)
        annotations->AddRef();
    else if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                     reinterpret_cast<void**>(&annotations))))
        annotations = nullptr;
    m_annotations = annotations;

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Win32MainForm::windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    // A second form in the same process finds the class already there.
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        m_failure = L"the window class";
        return;
    }
    m_cellBrush = CreateSolidBrush(toColorRef(Layout::kCellBackground));
    m_borderBrush = CreateSolidBrush(toColorRef(Layout::kCellBorder));

    // Sized for the system DPI first; applyDpi() fits it to its monitor's.
    const int systemDpi = windowDpi(nullptr);
    const RECT frame = windowRectForClient(Layout::twipsToPixels(Layout::kClientWidth, systemDpi),
                                           Layout::twipsToPixels(Layout::kClientHeight, systemDpi), systemDpi);
    if (!CreateWindowExW(0, kWindowClass, WideText(Layout::kTitle).c_str(), kWindowStyle, CW_USEDEFAULT,
                         CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                         instance, this)) {
        m_failure = L"the main window";
        return;
    }
    if (!createControls(instance))
        return;
    applyDpi(windowDpi(m_window), nullptr);
    // Read-only edits would otherwise borrow the name of the label before them.
    annotate(control(Layout::WidgetName::TextHexMin), L"Lowest address");
    annotate(control(Layout::WidgetName::TextHexMax), L"Highest address");
    for (const Layout::WidgetSpec& row : Layout::kWidgets)
        if (row.kind == Layout::WidgetKind::Frame)
            annotate(control(row.name), WideText(row.text).c_str());
    Form_Load();
}

Win32MainForm::~Win32MainForm()
{
    if (m_window)
        DestroyWindow(m_window);
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(m_cellBrush), static_cast<HGDIOBJ>(m_borderBrush),
                           static_cast<HGDIOBJ>(m_dialogFont), static_cast<HGDIOBJ>(m_cellFont),
                           static_cast<HGDIOBJ>(m_boxFont)})
        if (object)
            DeleteObject(object);
    for (HICON icon : {m_bigIcon, m_smallIcon})
        if (icon)
            DestroyIcon(icon);
    if (m_annotations)
        m_annotations->Release();
    if (m_comStarted)
        CoUninitialize();
}

bool Win32MainForm::createControls(HINSTANCE instance)
{
    const auto create = [&](const wchar_t* className, DWORD style, DWORD exStyle, std::string_view text, int id) {
        return CreateWindowExW(exStyle, className, WideText(text).c_str(), style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                               0, 0, 0, 0, m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                               nullptr);
    };
    // Frames go last: children made later sit lower in the z-order, and
    // with WS_CLIPSIBLINGS a group box then never paints over its contents.
    // Its title is a label of its own on the border, above it: group boxes
    // draw their text in a colour of their own under some themes, which a
    // high-contrast scheme can turn black on black.
    for (const bool frames : {false, true}) {
        for (const Layout::WidgetSpec& row : Layout::kWidgets) {
            if ((row.kind == Layout::WidgetKind::Frame) != frames)
                continue;
            const ControlClass cls = controlClass(row);
            const bool frame = row.kind == Layout::WidgetKind::Frame;
            const bool made = (!frame || create(L"STATIC", SS_LEFT | SS_NOPREFIX, 0, row.text, frameTitleId(row.name)))
                              && create(cls.className, cls.style, cls.exStyle, frame ? std::string_view() : row.text,
                                        controlId(row.name, row.index));
            if (!made) {
                const std::string_view name = Layout::widgetName(row.name); // a literal, so terminated
                if (row.index < 0)
                    wsprintfW(m_failureText, L"the control %hs", name.data());
                else
                    wsprintfW(m_failureText, L"the control %hs(%d)", name.data(), row.index);
                m_failure = m_failureText;
                return false;
            }
            if (row.kind == Layout::WidgetKind::OptionButton && row.selected)
                SendMessageW(control(row.name, row.index), BM_SETCHECK, BST_CHECKED, 0);
        }
    }
    return true;
}

void Win32MainForm::applyDpi(int dpi, const RECT* suggested)
{
    m_dpi = dpi;
    const HFONT oldFonts[] = {m_dialogFont, m_cellFont, m_boxFont};
    m_dialogFont = createFont("MS Shell Dlg", 8.0, false, dpi);
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
        const Layout::TwipRect origin = Layout::parentRect(row.parent);
        const int left = Layout::twipsToPixels(origin.left + row.rect.left, dpi);
        const int top = Layout::twipsToPixels(origin.top + row.rect.top, dpi);
        const int right = Layout::twipsToPixels(origin.left + row.rect.left + row.rect.width, dpi);
        const int bottom = Layout::twipsToPixels(origin.top + row.rect.top + row.rect.height, dpi);
        HWND control = this->control(row.name, row.index);
        const HFONT font = row.font == Layout::FontRole::Cell  ? m_cellFont
                           : row.font == Layout::FontRole::Box ? m_boxFont
                                                                : m_dialogFont;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        MoveWindow(control, left, top, right - left, bottom - top, FALSE);
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
            MoveWindow(title, left + MulDiv(6, dpi, 96), top, extent.cx + MulDiv(10, dpi, 96), extent.cy, FALSE);
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

HWND Win32MainForm::control(Layout::WidgetName name, std::int16_t index) const
{
    return GetDlgItem(m_window, controlId(name, index));
}

int Win32MainForm::run()
{
    MSG msg{};
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        if (preTranslateMessage(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return got == 0 ? static_cast<int>(msg.wParam) : 1;
}

bool Win32MainForm::preTranslateMessage(MSG& msg)
{
    if (!m_window || (msg.hwnd != m_window && !IsChild(m_window, msg.hwnd)))
        return false;
    // The dialog manager would make the radio group a single tab stop; the
    // form's order visits each button, then the two boxes.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB) {
        const HWND focus = GetFocus();
        const int count = static_cast<int>(Layout::kTabOrder.size());
        int position = -1;
        for (int i = 0; i < count; ++i)
            if (control(Layout::kTabOrder[i].name, Layout::kTabOrder[i].index) == focus)
                position = i;
        const int step = GetKeyState(VK_SHIFT) < 0 ? count - 1 : 1;
        const int next = position < 0 ? 0 : (position + step) % count;
        const HWND target = control(Layout::kTabOrder[next].name, Layout::kTabOrder[next].index);
        SetFocus(target);
        if (Layout::kTabOrder[next].name == Layout::WidgetName::TextHexMin
            || Layout::kTabOrder[next].name == Layout::WidgetName::TextHexMax)
            SendMessageW(target, EM_SETSEL, 0, -1);
        return true;
    }
    return IsDialogMessageW(m_window, &msg) != FALSE;
}

LRESULT CALLBACK Win32MainForm::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Win32MainForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Win32MainForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form)
        return DefWindowProcW(window, message, wParam, lParam);
    return form->handleMessage(window, message, wParam, lParam);
}

LRESULT Win32MainForm::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_CTLCOLORSTATIC:
        return controlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
        drawCell(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_ACTIVATE:
        // Remember the focus on the way out; DefWindowProc focuses the
        // window on the way back in, and WM_SETFOCUS hands it on.
        if (LOWORD(wParam) == WA_INACTIVE)
            rememberFocus();
        break;
    case WM_SIZE:
        // A minimised window need not be deactivated first.
        if (wParam == SIZE_MINIMIZED)
            rememberFocus();
        break;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        // A theme switched on or off: every control paints anew.
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        break;
    case WM_DPICHANGED:
        applyDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_SETFOCUS: {
        HWND target = m_lastFocus && IsChild(m_window, m_lastFocus) ? m_lastFocus : nullptr;
        for (std::int16_t i = 0; !target && i < 2; ++i)
            if (SendMessageW(control(Layout::WidgetName::OptionMode, i), BM_GETCHECK, 0, 0) == BST_CHECKED)
                target = control(Layout::WidgetName::OptionMode, i);
        SetFocus(target);
        return 0;
    }
    case WM_DESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        m_window = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Win32MainForm::onCommand(int id, int code, HWND sender)
{
    const int cellBase = controlId(Layout::WidgetName::CommandAddressBits, 0);
    const int modeBase = controlId(Layout::WidgetName::OptionMode, 0);
    // A double click on a cell arrives as STN_CLICKED then STN_DBLCLK; only
    // the first is a click.
    if (code == STN_CLICKED && id >= cellBase && id < cellBase + kAddressBitCount) {
        CommandAddressBits_Click(static_cast<std::int16_t>(id - cellBase));
    } else if (code == BN_CLICKED && (id == modeBase || id == modeBase + 1)) {
        // A radio button also reports BN_CLICKED when it merely gains focus.
        if (SendMessageW(sender, BM_GETCHECK, 0, 0) == BST_CHECKED)
            OptionMode_Click(static_cast<std::int16_t>(id - modeBase));
    }
}

void Win32MainForm::rememberFocus()
{
    const HWND focus = GetFocus();
    if (focus && IsChild(m_window, focus))
        m_lastFocus = focus;
}

int runMainForm(HINSTANCE instance, int show)
{
    Win32MainForm form(instance);
    if (const wchar_t* failed = form.failure()) {
        wchar_t message[160];
        wsprintfW(message, L"Address range finder cannot start: Windows did not create %s.", failed);
        MessageBoxW(nullptr, message, L"Address range finder", MB_OK | MB_ICONERROR);
        return 1;
    }
    ShowWindow(form.window(), show);
    return form.run();
}

// A cell in the colours controlColor() gives it, with a one-pixel border in
// the shared border colour.
void Win32MainForm::drawCell(const DRAWITEMSTRUCT& item)
{
    RECT box = item.rcItem;
    const auto brush = reinterpret_cast<HBRUSH>(controlColor(item.hDC, item.hwndItem));
    FillRect(item.hDC, &box, brush);
    wchar_t text[ShortText::kCapacity + 1] = {};
    const int length = GetWindowTextW(item.hwndItem, text, ShortText::kCapacity + 1);
    const HGDIOBJ font = SelectObject(item.hDC, m_cellFont);
    SetBkMode(item.hDC, TRANSPARENT);
    DrawTextW(item.hDC, text, length, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(item.hDC, font);
    FrameRect(item.hDC, &box, m_borderBrush);
}

LRESULT Win32MainForm::controlColor(HDC dc, HWND sender)
{
    const int id = GetDlgCtrlID(sender);
    const int cellBase = controlId(Layout::WidgetName::CommandAddressBits, 0);
    if (id >= cellBase && id < cellBase + kAddressBitCount) {
        SetTextColor(dc, m_cellColors[static_cast<std::size_t>(id - cellBase)]);
        SetBkColor(dc, toColorRef(Layout::kCellBackground));
        return reinterpret_cast<LRESULT>(m_cellBrush);
    }
    if (id == controlId(Layout::WidgetName::TextHexMin, -1) || id == controlId(Layout::WidgetName::TextHexMax, -1)) {
        // Read-only edits ask here. Blue on white, as an editable box shows
        // it, but a high-contrast theme's own colours for those who chose one.
        if (highContrast()) {
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
        SetTextColor(dc, toColorRef(Layout::kBoxTextColor));
        SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    // Labels, frames and mode buttons in the theme's text and face colours.
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

ShortText Win32MainForm::cellCaption(std::int16_t index) const
{
    return windowText(control(Layout::WidgetName::CommandAddressBits, index));
}

void Win32MainForm::setCellCaption(std::int16_t index, std::string_view text)
{
    setText(control(Layout::WidgetName::CommandAddressBits, index), text);
    annotateCell(index);
}

void Win32MainForm::setCellForeColor(std::int16_t index, Rgb color)
{
    m_cellColors[static_cast<std::size_t>(index)] = toColorRef(color);
    InvalidateRect(control(Layout::WidgetName::CommandAddressBits, index), nullptr, TRUE);
}

void Win32MainForm::setBitNumberCaption(std::int16_t index, std::string_view text)
{
    setText(control(Layout::WidgetName::Label1, index), text);
    annotateCell(index);
}

// A cell is announced by the number shown above it and its state, as
// "Bit 4: 1"; left alone, it would be announced by its text alone.
void Win32MainForm::annotateCell(std::int16_t index)
{
    if (!m_annotations)
        return;
    wchar_t caption[8] = {};
    wchar_t state[8] = {};
    GetWindowTextW(control(Layout::WidgetName::Label1, index), caption, 8);
    GetWindowTextW(control(Layout::WidgetName::CommandAddressBits, index), state, 8);
    wchar_t name[32];
    wsprintfW(name, L"Bit %s: %s", caption, state);
    annotate(control(Layout::WidgetName::CommandAddressBits, index), name);
}

void Win32MainForm::annotate(HWND control, const wchar_t* name)
{
    if (!m_annotations)
        return;
    if (FAILED(m_annotations->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                             PROPID_ACC_NAME, name))) {
        // Not offered here: the controls keep their plain names.
        m_annotations->Release();
        m_annotations = nullptr;
        return;
    }
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

void Win32MainForm::setOutputText(OutputBox box, std::string_view text)
{
    setText(control(box == OutputBox::TextHexMin ? Layout::WidgetName::TextHexMin : Layout::WidgetName::TextHexMax),
            text);
}
