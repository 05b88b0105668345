#include "accessiblecontrols.h"

#include "accessiblenames.h"
#include "controlids.h"
#include "systemoleacc.h"

namespace {

// Where an exposed control keeps the window procedure it had, and its
// window's objects.
constexpr wchar_t kOriginalProc[] = L"AddressRangeFinderProc";
constexpr wchar_t kObjects[] = L"AddressRangeFinderObjects";

OutputBox boxOf(Layout::WidgetName name)
{
    return name == Layout::WidgetName::TextHexMin ? OutputBox::TextHexMin : OutputBox::TextHexMax;
}

} // namespace

void AccessibleControls::expose(HWND window)
{
    m_window = window;
    for (const Layout::WidgetSpec& row : Layout::kWidgets) {
        using Layout::WidgetKind;
        if (row.kind != WidgetKind::Cell && row.kind != WidgetKind::TextBox && row.kind != WidgetKind::Frame)
            continue;
        HWND control = GetDlgItem(window, controlId(row.name, row.index));
        SetPropW(control, kOriginalProc, reinterpret_cast<HANDLE>(GetWindowLongPtrW(control, GWLP_WNDPROC)));
        SetPropW(control, kObjects, this);
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AccessibleControls::controlProc));
    }
}

LRESULT CALLBACK AccessibleControls::controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto original = reinterpret_cast<WNDPROC>(GetPropW(control, kOriginalProc));
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        if (IAccessible* object = of(control)) {
            const LRESULT result = systemOleAcc()->lresultFromObject(IID_IAccessible, wParam, object);
            object->Release();
            return result;
        }
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropW(control, kOriginalProc);
        RemovePropW(control, kObjects);
    }
    return CallWindowProcW(original, control, message, wParam, lParam);
}

IAccessible* AccessibleControls::of(HWND control)
{
    auto* objects = control ? static_cast<AccessibleControls*>(GetPropW(control, kObjects)) : nullptr;
    return objects ? objects->object(control) : nullptr;
}

IAccessible* AccessibleControls::object(HWND control)
{
    const SystemOleAcc* oleAcc = systemOleAcc();
    const int id = oleAcc && m_window && GetParent(control) == m_window ? GetDlgCtrlID(control) : 0;
    for (std::size_t i = 0; id && i < Layout::kWidgets.size(); ++i) {
        const Layout::WidgetSpec& row = Layout::kWidgets[i];
        if (controlId(row.name, row.index) != id)
            continue;
        IAccessible* standard = nullptr;
        if (!m_objects[i]
            && SUCCEEDED(oleAcc->createStdAccessibleObject(control, OBJID_CLIENT, IID_IAccessible,
                                                           reinterpret_cast<void**>(&standard)))
            && standard) {
            ControlAccessible::Peers peers;
            const auto cell = [&](int bit) { return GetDlgItem(m_window, controlId(row.name, std::int16_t(bit))); };
            if (row.kind == Layout::WidgetKind::Cell)
                peers = {GetDlgItem(m_window, controlId(Layout::WidgetName::Label1, row.index)),
                         row.index > 0 ? cell(row.index - 1) : nullptr,
                         row.index + 1 < kAddressBitCount ? cell(row.index + 1) : nullptr, &AccessibleControls::of};
            // Read-only boxes would otherwise borrow the label before them,
            // and a frame's own title is a label beside it.
            const std::string_view name =
                row.kind == Layout::WidgetKind::TextBox ? AccessibleNames::boxName(boxOf(row.name)) : row.text;
            m_objects[i] = new ControlAccessible(control, row.kind, name, peers, standard);
            if (!m_objects[i])
                standard->Release();
        }
        if (m_objects[i])
            m_objects[i]->AddRef();
        return m_objects[i];
    }
    return nullptr;
}

// COM drops the references it keeps for readers (answers to WM_GETOBJECT
// never collected among them) and answers their later calls itself.
void AccessibleControls::detach()
{
    m_window = nullptr;
    for (ControlAccessible*& object : m_objects) {
        if (object) {
            CoDisconnectObject(static_cast<IAccessible*>(object), 0);
            object->detach();
            object->Release();
        }
        object = nullptr;
    }
}
