#include "controlaccessible.h"

#include "accessiblenames.h"
#include "controlids.h"
#include "win32mainform.h"
#include "win32support.h"

namespace {

void clear(VARIANT* value)
{
    if (value)
        value->vt = VT_EMPTY;
}

HRESULT toBstr(const wchar_t* text, BSTR* out)
{
    *out = SysAllocString(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

} // namespace

ControlAccessible::ControlAccessible(Win32MainForm& form, HWND control, Kind kind, std::int16_t index,
                                     std::string_view name, IAccessible* standard)
    : m_form(&form), m_control(control), m_kind(kind), m_index(index), m_name(name), m_standard(standard)
{
}

ControlAccessible::~ControlAccessible() { detach(); }

void ControlAccessible::detach()
{
    m_form = nullptr;
    m_control = nullptr;
    if (m_standard)
        m_standard->Release();
    m_standard = nullptr;
}

HRESULT ControlAccessible::alive() const { return m_form && IsWindow(m_control) ? S_OK : kGone; }

HRESULT ControlAccessible::self(const VARIANT& child) const
{
    if (FAILED(alive()))
        return kGone;
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF ? S_OK : E_INVALIDARG;
}

HRESULT ControlAccessible::QueryInterface(REFIID id, void** object)
{
    if (!object)
        return E_POINTER;
    if (id == IID_IUnknown || id == IID_IDispatch || id == IID_IAccessible)
        *object = static_cast<IAccessible*>(this);
    else if (id == IID_IOleWindow)
        *object = static_cast<IOleWindow*>(this);
    else
        *object = nullptr;
    if (!*object)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG ControlAccessible::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_references)); }

ULONG ControlAccessible::Release()
{
    const LONG left = InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

// Readers use the interface's own methods; nothing is offered by dispatch.
HRESULT ControlAccessible::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_INVALIDARG;
    *count = 0;
    return S_OK;
}

HRESULT ControlAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT ControlAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }

HRESULT ControlAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

HRESULT ControlAccessible::get_accParent(IDispatch** parent)
{
    if (!parent)
        return E_INVALIDARG;
    *parent = nullptr;
    return FAILED(alive()) ? kGone : m_standard->get_accParent(parent);
}

HRESULT ControlAccessible::get_accChildCount(LONG* count)
{
    if (!count)
        return E_INVALIDARG;
    *count = 0;
    return FAILED(alive()) ? kGone : S_OK;
}

// No control here has children of its own.
HRESULT ControlAccessible::get_accChild(VARIANT child, IDispatch** object)
{
    if (!object)
        return E_INVALIDARG;
    *object = nullptr;
    const HRESULT ok = self(child);
    return FAILED(ok) ? ok : E_INVALIDARG;
}

HRESULT ControlAccessible::get_accName(VARIANT child, BSTR* text)
{
    if (!text)
        return E_INVALIDARG;
    *text = nullptr;
    const HRESULT ok = self(child);
    return FAILED(ok) ? ok : name(text);
}

HRESULT ControlAccessible::name(BSTR* text) const
{
    if (m_kind != Kind::Cell)
        return toBstr(WideText(m_name).c_str(), text);
    const ShortText caption = windowText(m_form->control(Layout::WidgetName::Label1, m_index));
    return toBstr(WideText(AccessibleNames::cellName(caption, windowText(m_control))).c_str(), text);
}

HRESULT ControlAccessible::get_accValue(VARIANT child, BSTR* value)
{
    if (!value)
        return E_INVALIDARG;
    *value = nullptr;
    const HRESULT ok = self(child);
    return FAILED(ok) ? ok : m_standard->get_accValue(child, value);
}

HRESULT ControlAccessible::get_accDescription(VARIANT child, BSTR* description)
{
    if (!description)
        return E_INVALIDARG;
    *description = nullptr;
    const HRESULT ok = self(child);
    return FAILED(ok) ? ok : m_standard->get_accDescription(child, description);
}

HRESULT ControlAccessible::get_accRole(VARIANT child, VARIANT* role)
{
    if (!role)
        return E_INVALIDARG;
    clear(role);
    const HRESULT ok = self(child);
    if (FAILED(ok) || m_kind != Kind::Cell)
        return FAILED(ok) ? ok : m_standard->get_accRole(child, role);
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_PUSHBUTTON;
    return S_OK;
}

HRESULT ControlAccessible::get_accState(VARIANT child, VARIANT* state)
{
    if (!state)
        return E_INVALIDARG;
    clear(state);
    const HRESULT ok = self(child);
    if (FAILED(ok))
        return ok;
    const HRESULT got = m_standard->get_accState(child, state);
    // A cell is pressed, never focused or typed into; a box is read-only
    // whatever the system reports of it.
    if (SUCCEEDED(got) && state->vt == VT_I4) {
        if (m_kind == Kind::Cell)
            state->lVal &= ~(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_READONLY);
        if (m_kind == Kind::Box)
            state->lVal |= STATE_SYSTEM_READONLY;
    }
    return got;
}

HRESULT ControlAccessible::get_accHelp(VARIANT child, BSTR* help)
{
    if (!help)
        return E_INVALIDARG;
    *help = nullptr;
    const HRESULT ok = self(child);
    return FAILED(ok) ? ok : m_standard->get_accHelp(child, help);
}

HRESULT ControlAccessible::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic)
{
    if (!file || !topic)
        return E_INVALIDARG;
    *file = nullptr;
    *topic = 0;
    const HRESULT ok = self(child);
    return FAILED(ok) ? ok : DISP_E_MEMBERNOTFOUND;
}

HRESULT ControlAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    if (!shortcut)
        return E_INVALIDARG;
    *shortcut = nullptr;
    const HRESULT ok = self(child);
    return FAILED(ok) ? ok : m_standard->get_accKeyboardShortcut(child, shortcut);
}

HRESULT ControlAccessible::get_accFocus(VARIANT* child)
{
    if (!child)
        return E_INVALIDARG;
    clear(child);
    return FAILED(alive()) ? kGone : m_standard->get_accFocus(child);
}

HRESULT ControlAccessible::get_accSelection(VARIANT* children)
{
    if (!children)
        return E_INVALIDARG;
    clear(children);
    return FAILED(alive()) ? kGone : DISP_E_MEMBERNOTFOUND;
}

HRESULT ControlAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child)
{
    if (!left || !top || !width || !height)
        return E_INVALIDARG;
    *left = *top = *width = *height = 0;
    const HRESULT ok = self(child);
    if (FAILED(ok) || m_kind != Kind::Cell)
        return FAILED(ok) ? ok : m_standard->accLocation(left, top, width, height, child);
    RECT rect{};
    if (!GetWindowRect(m_control, &rect))
        return kGone;
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
}

// Nothing here can be named or given a value from outside.
HRESULT ControlAccessible::put_accName(VARIANT child, BSTR)
{
    const HRESULT ok = self(child);
    return FAILED(ok) ? ok : E_NOTIMPL;
}

HRESULT ControlAccessible::put_accValue(VARIANT child, BSTR)
{
    const HRESULT ok = self(child);
    return FAILED(ok) ? ok : E_ACCESSDENIED;
}

HRESULT ControlAccessible::GetWindow(HWND* window)
{
    if (!window)
        return E_INVALIDARG;
    *window = FAILED(alive()) ? nullptr : m_control;
    return *window ? S_OK : kGone;
}

HRESULT ControlAccessible::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
