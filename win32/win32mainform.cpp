#include "win32mainform.h"

#include "controlids.h"
#include "focus.h"
#include "win32dpi.h"
#include "win32support.h"

namespace {

constexpr wchar_t kWindowClass[] = L"AddressRangeFinderMainForm";
constexpr int kIconId = 1;

bool isBox(const Layout::WidgetRef& stop)
{
    for (const Layout::WidgetSpec& row : Layout::kWidgets)
        if (row.name == stop.name && row.index == stop.index)
            return row.kind == Layout::WidgetKind::TextBox;
    return false;
}

} // namespace

Win32MainForm::Win32MainForm(HINSTANCE instance)
{
    // Before COM makes its own window: calls from screen readers arrive
    // through it, and run in its DPI awareness.
    claimDpiAwareness();
    // Screen readers in other processes reach the form's objects through
    // COM. The thread never leaves it: taking the apartment down waits for
    // the calls readers have under way, and Wine's can wait for ever when
    // one ends just then; the process's end takes it down at once instead.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

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
    if (const Layout::WidgetSpec* refused = createControls(m_window, instance)) {
        wsprintfW(m_failureText, L"the control %s", WideText(Layout::widgetName(refused->name, refused->index)).c_str());
        m_failure = m_failureText;
        return;
    }
    m_accessibles.expose(m_window);
    applyDpi(windowDpi(m_window), nullptr);
    Form_Load();
}

Win32MainForm::~Win32MainForm()
{
    if (m_window)
        DestroyWindow(m_window);
    for (HICON icon : {m_bigIcon, m_smallIcon})
        if (icon)
            DestroyIcon(icon);
}

HWND Win32MainForm::tabStop(std::size_t position) const
{
    return control(Layout::kTabOrder[position].name, Layout::kTabOrder[position].index);
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
        int position = -1;
        for (std::size_t i = 0; i < Layout::kTabOrder.size(); ++i)
            if (tabStop(i) == focus)
                position = static_cast<int>(i);
        const std::size_t next = Focus::nextStop(position, GetKeyState(VK_SHIFT) < 0);
        const HWND target = tabStop(next);
        SetFocus(target);
        if (Focus::kSelectAllOnTab && isBox(Layout::kTabOrder[next]))
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
        return controlColor(m_look, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
        drawCell(m_look, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
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
        SetFocus(m_lastFocus && IsChild(m_window, m_lastFocus) ? m_lastFocus : tabStop(Focus::initialStop()));
        return 0;
    }
    case WM_DESTROY:
        m_accessibles.detach();
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

void Win32MainForm::applyDpi(int dpi, const RECT* suggested)
{
    m_dpi = dpi;
    m_look.setDpi(dpi);
    const HICON oldIcons[] = {m_bigIcon, m_smallIcon};
    m_bigIcon = loadIcon(kIconId, SM_CXICON, SM_CYICON, dpi);
    m_smallIcon = loadIcon(kIconId, SM_CXSMICON, SM_CYSMICON, dpi);
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
    placeControls(m_window, m_look, dpi);
    InvalidateRect(m_window, nullptr, TRUE);
    for (HICON icon : oldIcons)
        if (icon)
            DestroyIcon(icon);
}

ShortText Win32MainForm::cellCaption(std::int16_t index) const
{
    return windowText(control(Layout::WidgetName::CommandAddressBits, index));
}

void Win32MainForm::setCellCaption(std::int16_t index, std::string_view text)
{
    setText(control(Layout::WidgetName::CommandAddressBits, index), text);
    announceCell(index);
}

void Win32MainForm::setCellForeColor(std::int16_t index, Rgb color)
{
    m_look.cellColors[static_cast<std::size_t>(index)] = toColorRef(color);
    InvalidateRect(control(Layout::WidgetName::CommandAddressBits, index), nullptr, TRUE);
}

void Win32MainForm::setBitNumberCaption(std::int16_t index, std::string_view text)
{
    setText(control(Layout::WidgetName::Label1, index), text);
    announceCell(index);
}

// A cell's name is the number above it and its state: either change renames
// it, and a reader that follows it says the new name.
void Win32MainForm::announceCell(std::int16_t index)
{
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control(Layout::WidgetName::CommandAddressBits, index), OBJID_CLIENT,
                   CHILDID_SELF);
}

void Win32MainForm::setOutputText(OutputBox box, std::string_view text)
{
    HWND target = control(box == OutputBox::TextHexMin ? Layout::WidgetName::TextHexMin : Layout::WidgetName::TextHexMax);
    if (windowText(target) == text)
        return;
    setText(target, text);
    // The address is the box's value for screen readers.
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, target, OBJID_CLIENT, CHILDID_SELF);
}
