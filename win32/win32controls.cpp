#include "win32controls.h"

#include "controlids.h"
#include "shorttext.h"
#include "win32support.h"

#include <initializer_list>

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
        // Drawn here (WM_DRAWITEM): WS_BORDER would take the system's
        // frame colour, which differs from one Windows to the next.
        return {L"STATIC", SS_OWNERDRAW | SS_NOTIFY | WS_GROUP, 0};
    case WidgetKind::TextBox:
        return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE};
    }
    return {L"STATIC", 0, 0};
}

void deleteObjects(std::initializer_list<HGDIOBJ> objects)
{
    for (HGDIOBJ object : objects)
        if (object)
            DeleteObject(object);
}

// The bit a cell shows, or -1 for any other control.
int cellBit(HWND control)
{
    const int offset = GetDlgCtrlID(control) - controlId(Layout::WidgetName::CommandAddressBits, 0);
    return offset >= 0 && offset < kAddressBitCount ? offset : -1;
}

} // namespace

HWND control(HWND window, Layout::WidgetName name, std::int16_t index)
{
    return GetDlgItem(window, controlId(name, index));
}

ControlLook::ControlLook()
    : cellBrush(CreateSolidBrush(toColorRef(Layout::kCellBackground))),
      borderBrush(CreateSolidBrush(toColorRef(Layout::kCellBorder))),
      boxBrush(CreateSolidBrush(toColorRef(Layout::kBoxBackground)))
{
}

ControlLook::~ControlLook() { deleteObjects({dialogFont, cellFont, boxFont, cellBrush, borderBrush, boxBrush}); }

void ControlLook::setDpi(int dpi)
{
    deleteObjects({dialogFont, cellFont, boxFont});
    dialogFont = createFont(Layout::kDialogFont, dpi);
    cellFont = createFont(Layout::kCellFont, dpi);
    boxFont = createFont(Layout::kBoxFont, dpi);
}

const Layout::WidgetSpec* createControls(HWND window, HINSTANCE instance)
{
    const auto create = [&](const wchar_t* className, DWORD style, DWORD exStyle, std::string_view text, int id) {
        return CreateWindowExW(exStyle, className, WideText(text).c_str(), style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                               0, 0, 0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                               nullptr);
    };
    // Frames go last: children made later sit lower in the z-order, and
    // with WS_CLIPSIBLINGS a group box then never paints over its contents.
    // Its title is a label of its own on the border, above it: group boxes
    // draw their text in a colour of their own under some themes, which a
    // high-contrast scheme can turn black on black.
    for (const bool frames : {false, true}) {
        for (const Layout::WidgetSpec& row : Layout::kWidgets) {
            const bool frame = row.kind == Layout::WidgetKind::Frame;
            if (frame != frames)
                continue;
            const ControlClass cls = controlClass(row);
            if (!(!frame || create(L"STATIC", SS_LEFT | SS_NOPREFIX, 0, row.text, frameTitleId(row.name)))
                || !create(cls.className, cls.style, cls.exStyle, frame ? std::string_view() : row.text,
                           controlId(row.name, row.index)))
                return &row;
            if (row.kind == Layout::WidgetKind::OptionButton && row.selected)
                SendMessageW(control(window, row.name, row.index), BM_SETCHECK, BST_CHECKED, 0);
        }
    }
    return nullptr;
}

void placeControls(HWND window, const ControlLook& look, int dpi)
{
    for (const Layout::WidgetSpec& row : Layout::kWidgets) {
        const Layout::PixelRect place = Layout::pixelRect(row, dpi);
        HWND target = control(window, row.name, row.index);
        const HFONT font = row.font == Layout::FontRole::Cell  ? look.cellFont
                           : row.font == Layout::FontRole::Box ? look.boxFont
                                                                : look.dialogFont;
        SendMessageW(target, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        MoveWindow(target, place.left, place.top, place.width, place.height, FALSE);
        if (row.kind == Layout::WidgetKind::Frame) {
            // The title on the border, wide enough to hide any the box draws.
            HWND title = GetDlgItem(window, frameTitleId(row.name));
            HDC dc = GetDC(title);
            const HGDIOBJ previous = SelectObject(dc, look.dialogFont);
            const WideText text(row.text);
            SIZE extent{};
            GetTextExtentPoint32W(dc, text.c_str(), lstrlenW(text.c_str()), &extent);
            SelectObject(dc, previous);
            ReleaseDC(title, dc);
            SendMessageW(title, WM_SETFONT, reinterpret_cast<WPARAM>(look.dialogFont), FALSE);
            MoveWindow(title, place.left + MulDiv(6, dpi, 96), place.top, extent.cx + MulDiv(10, dpi, 96), extent.cy,
                       FALSE);
        }
    }
}

LRESULT controlColor(const ControlLook& look, HDC dc, HWND sender)
{
    const int bit = cellBit(sender);
    if (bit >= 0) {
        SetTextColor(dc, look.cellColors[static_cast<std::size_t>(bit)]);
        SetBkColor(dc, toColorRef(Layout::kCellBackground));
        return reinterpret_cast<LRESULT>(look.cellBrush);
    }
    const int id = GetDlgCtrlID(sender);
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
        return reinterpret_cast<LRESULT>(look.boxBrush);
    }
    // Labels, frames and mode buttons in the theme's text and face colours.
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void drawCell(const ControlLook& look, const DRAWITEMSTRUCT& item)
{
    RECT box = item.rcItem;
    FillRect(item.hDC, &box, reinterpret_cast<HBRUSH>(controlColor(look, item.hDC, item.hwndItem)));
    wchar_t text[ShortText::kCapacity + 1] = {};
    const int length = GetWindowTextW(item.hwndItem, text, ShortText::kCapacity + 1);
    const HGDIOBJ font = SelectObject(item.hDC, look.cellFont);
    SetBkMode(item.hDC, TRANSPARENT);
    DrawTextW(item.hDC, text, length, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(item.hDC, font);
    FrameRect(item.hDC, &box, look.borderBrush);
}
