#include "win32mainform.h"

#include "controlids.h"
#include "module1.h"
#include "win32support.h"

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
    m_cellColors[static_cast<std::size_t>(index)] = toColorRef(color);
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
