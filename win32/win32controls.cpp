#include "win32mainform.h"

#include "controlids.h"
#include "module1.h"
#include "win32support.h"

namespace {

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
                wsprintfW(m_failureText, L"the control %s", WideText(Layout::widgetName(row.name, row.index)).c_str());
                m_failure = m_failureText;
                return false;
            }
            if (row.kind == Layout::WidgetKind::Cell || row.kind == Layout::WidgetKind::TextBox || frame)
                exposeToScreenReaders(control(row.name, row.index));
            if (row.kind == Layout::WidgetKind::OptionButton && row.selected)
                SendMessageW(control(row.name, row.index), BM_SETCHECK, BST_CHECKED, 0);
        }
    }
    return true;
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
        SetBkColor(dc, toColorRef(Layout::kBoxBackground));
        return reinterpret_cast<LRESULT>(m_boxBrush);
    }
    // Labels, frames and mode buttons in the theme's text and face colours.
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
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

