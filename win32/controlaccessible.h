// What a screen reader reads of one control over MSAA: the system's own
// object for it, with the name, role and action this window gives it. The
// form answers WM_GETOBJECT with one of these for each cell, box and frame,
// and detaches them when its window goes; a reader may hold on to one for
// as long as it likes, and every later call then answers an error.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

class Win32MainForm;

class ControlAccessible final : public IAccessible, public IOleWindow {
public:
    enum class Kind { Cell, Box, Frame };

    // Takes over the reference to `standard`, the system's object for the
    // control; `name` names a box or frame and must outlive the object.
    ControlAccessible(Win32MainForm& form, HWND control, Kind kind, std::int16_t index, std::string_view name,
                      IAccessible* standard);
    ControlAccessible(const ControlAccessible&) = delete;
    ControlAccessible& operator=(const ControlAccessible&) = delete;
    // The window is going: from now on every call answers an error.
    void detach();

    // From the process heap: the runtime's own allocator would bring its
    // exception machinery into the executable. Null when memory runs out.
    static void* operator new(std::size_t size) noexcept { return HeapAlloc(GetProcessHeap(), 0, size); }
    static void operator delete(void* object) { HeapFree(GetProcessHeap(), 0, object); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override;

private:
    // What every call answers once the window has gone.
    static constexpr HRESULT kGone = CO_E_OBJNOTCONNECTED;

    ~ControlAccessible();
    // S_OK for the object itself while its window stands, else the error.
    HRESULT self(const VARIANT& child) const;
    HRESULT alive() const;
    // "Bit 4: 1" for a cell, the given name for a box or frame.
    HRESULT name(BSTR* name) const;

    LONG m_references = 1;
    Win32MainForm* m_form;
    HWND m_control;
    Kind m_kind;
    std::int16_t m_index;
    std::string_view m_name;
    IAccessible* m_standard;
};
