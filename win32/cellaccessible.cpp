// What a cell does over MSAA beyond a plain control: its one action, and
// object navigation from cell to cell in the order they are shown; and
// hit testing, the same for every control here.
#include "controlaccessible.h"

#include "accessiblenames.h"
#include "module1.h"
#include "win32mainform.h"
#include "win32support.h"

HRESULT ControlAccessible::get_accDefaultAction(VARIANT child, BSTR* action)
{
    if (!action)
        return E_INVALIDARG;
    *action = nullptr;
    const HRESULT ok = self(child);
    if (FAILED(ok) || m_kind != Kind::Cell)
        return FAILED(ok) ? ok : m_standard->get_accDefaultAction(child, action);
    *action = SysAllocString(WideText(AccessibleNames::kPress).c_str());
    return *action ? S_OK : E_OUTOFMEMORY;
}

// A press steps the cell as a click does, boxes and all.
HRESULT ControlAccessible::accDoDefaultAction(VARIANT child)
{
    const HRESULT ok = self(child);
    if (FAILED(ok) || m_kind != Kind::Cell)
        return FAILED(ok) ? ok : m_standard->accDoDefaultAction(child);
    m_form->CommandAddressBits_Click(m_index);
    return S_OK;
}

// Selecting or focusing a cell means nothing: it is pressed or left alone.
HRESULT ControlAccessible::accSelect(LONG flags, VARIANT child)
{
    const HRESULT ok = self(child);
    if (FAILED(ok) || m_kind != Kind::Cell)
        return FAILED(ok) ? ok : m_standard->accSelect(flags, child);
    return DISP_E_MEMBERNOTFOUND;
}

// The cells are shown highest bit first: next and right go one bit down.
HRESULT ControlAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end)
{
    if (!end)
        return E_INVALIDARG;
    end->vt = VT_EMPTY;
    const HRESULT ok = self(start);
    if (FAILED(ok) || m_kind != Kind::Cell)
        return FAILED(ok) ? ok : m_standard->accNavigate(direction, start, end);
    int step = 0;
    switch (direction) {
    case NAVDIR_NEXT:
    case NAVDIR_RIGHT:
        step = -1;
        break;
    case NAVDIR_PREVIOUS:
    case NAVDIR_LEFT:
        step = 1;
        break;
    case NAVDIR_UP:
    case NAVDIR_DOWN:
    case NAVDIR_FIRSTCHILD:
    case NAVDIR_LASTCHILD:
        return S_FALSE;
    default:
        return E_INVALIDARG;
    }
    const int neighbour = m_index + step;
    if (neighbour < 0 || neighbour >= kAddressBitCount)
        return S_FALSE;
    IAccessible* object = m_form->accessible(
        m_form->control(Layout::WidgetName::CommandAddressBits, static_cast<std::int16_t>(neighbour)));
    if (!object)
        return S_FALSE;
    end->vt = VT_DISPATCH;
    end->pdispVal = object;
    return S_OK;
}

HRESULT ControlAccessible::accHitTest(LONG x, LONG y, VARIANT* child)
{
    if (!child)
        return E_INVALIDARG;
    child->vt = VT_EMPTY;
    if (FAILED(alive()))
        return kGone;
    // No control here has children: a point is on it or not.
    RECT rect{};
    GetWindowRect(m_control, &rect);
    if (!PtInRect(&rect, POINT{x, y}))
        return S_FALSE;
    child->vt = VT_I4;
    child->lVal = CHILDID_SELF;
    return S_OK;
}
