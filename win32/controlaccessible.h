// What a screen reader reads of the window's cells, boxes and frames over
// MSAA: for each, the system's own object for the control with the name,
// role and action this window gives it. The objects know the controls'
// window handles only: a cell's press sends its window's parent the click
// notification a mouse click sends. A reader may hold on to an object for as
// long as it likes; once its window has gone every call answers an error.
#pragma once

#include "layout.h"

#include <windows.h>
#include <oleacc.h>

#include <cstddef>
#include <string_view>

class ControlAccessible final : public IAccessible, public IOleWindow {
public:
    // A cell's neighbours: the caption that numbers it, the cells one bit
    // lower and higher (null at either end), and what gives a neighbour's
    // object (a new reference). Empty for others.
    struct Peers {
        HWND caption = nullptr;
        HWND lower = nullptr;
        HWND higher = nullptr;
        IAccessible* (*objectOf)(HWND control) = nullptr;
    };

    // Takes over the reference to `standard`, the system's object for the
    // control; `name` names a box or frame and must outlive the object.
    ControlAccessible(HWND control, Layout::WidgetKind kind, std::string_view name, const Peers& peers,
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
    ~ControlAccessible();
    // The checks every call makes before `answer`: each out pointer given,
    // and cleared; the window standing; `child`, where the call names one,
    // the object itself.
    template <typename Answer, typename... Out>
    HRESULT checked(const VARIANT* child, Answer answer, Out*... out) const;
    bool isCell() const { return m_kind == Layout::WidgetKind::Cell; }

    LONG m_references = 1;
    HWND m_control;
    Layout::WidgetKind m_kind;
    std::string_view m_name;
    Peers m_peers;
    IAccessible* m_standard;
};
