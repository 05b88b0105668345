#include "controlaccessible.h"

#include "accessiblenames.h"
#include "win32support.h"

namespace {

// What every call answers once the window has gone.
constexpr HRESULT kGone = CO_E_OBJNOTCONNECTED;

template <typename T>
void reset(T*& value)
{
    value = nullptr;
}
void reset(VARIANT& value) { value.vt = VT_EMPTY; }
void reset(LONG& value) { value = 0; }

HRESULT toBstr(std::string_view text, BSTR* out)
{
    *out = SysAllocString(WideText(text).c_str());
    return *out ? S_OK : E_OUTOFMEMORY;
}

} // namespace

ControlAccessible::ControlAccessible(HWND control, Layout::WidgetKind kind, std::string_view name, const Peers& peers,
                                     IAccessible* standard)
    : m_control(control), m_kind(kind), m_name(name), m_peers(peers), m_standard(standard)
{
}

ControlAccessible::~ControlAccessible() { detach(); }

void ControlAccessible::detach()
{
    m_control = nullptr;
    if (m_standard)
        m_standard->Release();
    m_standard = nullptr;
}

template <typename Answer, typename... Out>
HRESULT ControlAccessible::checked(const VARIANT* child, Answer answer, Out*... out) const
{
    if (!(out && ...))
        return E_INVALIDARG;
    (reset(*out), ...);
    if (!m_standard || !IsWindow(m_control))
        return kGone;
    if (child && !(child->vt == VT_I4 && child->lVal == CHILDID_SELF))
        return E_INVALIDARG;
    return answer();
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
    return checked(nullptr, [&] { return m_standard->get_accParent(parent); }, parent);
}

// No control here has children of its own.
HRESULT ControlAccessible::get_accChildCount(LONG* count)
{
    return checked(nullptr, [] { return S_OK; }, count);
}

HRESULT ControlAccessible::get_accChild(VARIANT child, IDispatch** object)
{
    return checked(&child, [] { return E_INVALIDARG; }, object);
}

// A cell is named by the number above it and its state, a box or frame as given.
HRESULT ControlAccessible::get_accName(VARIANT child, BSTR* name)
{
    return checked(&child, [&] {
        return isCell() ? toBstr(AccessibleNames::cellName(windowText(m_peers.caption), windowText(m_control)), name)
                        : toBstr(m_name, name);
    }, name);
}

HRESULT ControlAccessible::get_accValue(VARIANT child, BSTR* value)
{
    return checked(&child, [&] { return m_standard->get_accValue(child, value); }, value);
}

HRESULT ControlAccessible::get_accDescription(VARIANT child, BSTR* description)
{
    return checked(&child, [&] { return m_standard->get_accDescription(child, description); }, description);
}

HRESULT ControlAccessible::get_accRole(VARIANT child, VARIANT* role)
{
    return checked(&child, [&] {
        if (!isCell())
            return m_standard->get_accRole(child, role);
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
    }, role);
}

// A cell is pressed, never focused or typed into; a box is read-only
// whatever the system reports of it.
HRESULT ControlAccessible::get_accState(VARIANT child, VARIANT* state)
{
    return checked(&child, [&] {
        const HRESULT got = m_standard->get_accState(child, state);
        if (SUCCEEDED(got) && state->vt == VT_I4 && isCell())
            state->lVal &= ~(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_READONLY);
        if (SUCCEEDED(got) && state->vt == VT_I4 && m_kind == Layout::WidgetKind::TextBox)
            state->lVal |= STATE_SYSTEM_READONLY;
        return got;
    }, state);
}

HRESULT ControlAccessible::get_accHelp(VARIANT child, BSTR* help)
{
    return checked(&child, [&] { return m_standard->get_accHelp(child, help); }, help);
}

HRESULT ControlAccessible::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic)
{
    return checked(&child, [] { return DISP_E_MEMBERNOTFOUND; }, file, topic);
}

HRESULT ControlAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    return checked(&child, [&] { return m_standard->get_accKeyboardShortcut(child, shortcut); }, shortcut);
}

HRESULT ControlAccessible::get_accFocus(VARIANT* child)
{
    return checked(nullptr, [&] { return m_standard->get_accFocus(child); }, child);
}

HRESULT ControlAccessible::get_accSelection(VARIANT* children)
{
    return checked(nullptr, [] { return DISP_E_MEMBERNOTFOUND; }, children);
}

HRESULT ControlAccessible::get_accDefaultAction(VARIANT child, BSTR* action)
{
    return checked(&child, [&] {
        return isCell() ? toBstr(AccessibleNames::kPress, action) : m_standard->get_accDefaultAction(child, action);
    }, action);
}

// Selecting or focusing a cell means nothing: it is pressed or left alone.
HRESULT ControlAccessible::accSelect(LONG flags, VARIANT child)
{
    return checked(&child, [&] { return isCell() ? DISP_E_MEMBERNOTFOUND : m_standard->accSelect(flags, child); });
}

HRESULT ControlAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child)
{
    return checked(&child, [&] {
        RECT rect{};
        if (!isCell())
            return m_standard->accLocation(left, top, width, height, child);
        if (!GetWindowRect(m_control, &rect))
            return kGone;
        *left = rect.left;
        *top = rect.top;
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        return S_OK;
    }, left, top, width, height);
}

// The cells are shown highest bit first: next and right go one bit down.
HRESULT ControlAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end)
{
    return checked(&start, [&] {
        if (!isCell())
            return m_standard->accNavigate(direction, start, end);
        if (direction < NAVDIR_UP || direction > NAVDIR_LASTCHILD)
            return E_INVALIDARG;
        const bool down = direction == NAVDIR_NEXT || direction == NAVDIR_RIGHT;
        const bool up = direction == NAVDIR_PREVIOUS || direction == NAVDIR_LEFT;
        // Up, down and into a cell lead nowhere.
        const HWND neighbour = down ? m_peers.lower : up ? m_peers.higher : nullptr;
        IAccessible* object = neighbour ? m_peers.objectOf(neighbour) : nullptr;
        if (!object)
            return S_FALSE;
        end->vt = VT_DISPATCH;
        end->pdispVal = object;
        return S_OK;
    }, end);
}

// No control here has children: a point is on it or not.
HRESULT ControlAccessible::accHitTest(LONG x, LONG y, VARIANT* child)
{
    return checked(nullptr, [&] {
        RECT rect{};
        GetWindowRect(m_control, &rect);
        if (!PtInRect(&rect, POINT{x, y}))
            return S_FALSE;
        child->vt = VT_I4;
        child->lVal = CHILDID_SELF;
        return S_OK;
    }, child);
}

// A press is a click: the cell's parent hears what a mouse click sends it.
HRESULT ControlAccessible::accDoDefaultAction(VARIANT child)
{
    return checked(&child, [&] {
        if (!isCell())
            return m_standard->accDoDefaultAction(child);
        SendMessageW(GetParent(m_control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(m_control), STN_CLICKED),
                     reinterpret_cast<LPARAM>(m_control));
        return S_OK;
    });
}

// Nothing here can be named or given a value from outside.
HRESULT ControlAccessible::put_accName(VARIANT child, BSTR) { return checked(&child, [] { return E_NOTIMPL; }); }

HRESULT ControlAccessible::put_accValue(VARIANT child, BSTR) { return checked(&child, [] { return E_ACCESSDENIED; }); }

HRESULT ControlAccessible::GetWindow(HWND* window)
{
    return checked(nullptr, [&] {
        *window = m_control;
        return S_OK;
    }, window);
}

HRESULT ControlAccessible::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
