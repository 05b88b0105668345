#include "win32mainform.h"

#include "accessiblenames.h"
#include "controlaccessible.h"
#include "controlids.h"
#include "systemoleacc.h"

namespace {

// Where a subclassed control keeps the window procedure it had.
constexpr wchar_t kOriginalProc[] = L"AddressRangeFinderProc";

} // namespace

void Win32MainForm::exposeToScreenReaders(HWND control)
{
    SetPropW(control, kOriginalProc, reinterpret_cast<HANDLE>(GetWindowLongPtrW(control, GWLP_WNDPROC)));
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32MainForm::controlProc));
}

LRESULT CALLBACK Win32MainForm::controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto original = reinterpret_cast<WNDPROC>(GetPropW(control, kOriginalProc));
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        auto* form = reinterpret_cast<Win32MainForm*>(GetWindowLongPtrW(GetParent(control), GWLP_USERDATA));
        if (IAccessible* object = form ? form->accessible(control) : nullptr) {
            const LRESULT result = systemOleAcc()->lresultFromObject(IID_IAccessible, wParam, object);
            object->Release();
            return result;
        }
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropW(control, kOriginalProc);
    }
    return CallWindowProcW(original, control, message, wParam, lParam);
}

// One object per control for the window's life, so that a reader meets the
// same object however it got there.
IAccessible* Win32MainForm::accessible(HWND control)
{
    const SystemOleAcc* oleAcc = systemOleAcc();
    const int id = control && m_window && GetParent(control) == m_window ? GetDlgCtrlID(control) : 0;
    for (std::size_t i = 0; oleAcc && id && i < Layout::kWidgets.size(); ++i) {
        const Layout::WidgetSpec& row = Layout::kWidgets[i];
        if (controlId(row.name, row.index) != id)
            continue;
        using Layout::WidgetKind;
        if (row.kind != WidgetKind::Cell && row.kind != WidgetKind::TextBox && row.kind != WidgetKind::Frame)
            return nullptr;
        if (!m_accessibles[i]) {
            using Kind = ControlAccessible::Kind;
            const Kind kind = row.kind == WidgetKind::Cell      ? Kind::Cell
                              : row.kind == WidgetKind::TextBox ? Kind::Box
                                                                : Kind::Frame;
            // Read-only boxes would otherwise borrow the label before them,
            // and a frame's own title is a label beside it.
            const std::string_view name = kind == Kind::Box ? (row.name == Layout::WidgetName::TextHexMin
                                                                   ? AccessibleNames::kLowestAddress
                                                                   : AccessibleNames::kHighestAddress)
                                                            : row.text;
            IAccessible* standard = nullptr;
            if (FAILED(oleAcc->createStdAccessibleObject(control, OBJID_CLIENT, IID_IAccessible,
                                                         reinterpret_cast<void**>(&standard)))
                || !standard)
                return nullptr;
            m_accessibles[i] = new ControlAccessible(*this, control, kind, row.index, name, standard);
            if (!m_accessibles[i]) {
                standard->Release();
                return nullptr;
            }
        }
        m_accessibles[i]->AddRef();
        return m_accessibles[i];
    }
    return nullptr;
}

// COM drops the references it keeps for readers (answers to WM_GETOBJECT
// never collected among them) and answers their later calls itself.
void Win32MainForm::detachAccessibles()
{
    for (ControlAccessible*& object : m_accessibles) {
        if (object) {
            CoDisconnectObject(static_cast<IAccessible*>(object), 0);
            object->detach();
            object->Release();
        }
        object = nullptr;
    }
}
