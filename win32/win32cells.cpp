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
