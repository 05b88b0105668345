// Every IAccessible method that names a child, called with one child id:
// which of them succeeded. Both the MSAA test (ids that do not exist) and
// the in-process test (the object itself, after its window has gone) expect
// none to.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string>

inline std::string methodsThatSucceed(IAccessible* object, const VARIANT& child)
{
    std::string succeeded;
    const auto note = [&](HRESULT result, const char* method) {
        if (SUCCEEDED(result))
            succeeded += std::string(succeeded.empty() ? "" : ", ") + method;
    };
    const auto text = [&](HRESULT result, BSTR value, const char* method) {
        note(result, method);
        SysFreeString(value);
    };
    BSTR value = nullptr;
    text(object->get_accName(child, &value), value, "get_accName");
    text(object->get_accValue(child, &value), value, "get_accValue");
    text(object->get_accDescription(child, &value), value, "get_accDescription");
    text(object->get_accHelp(child, &value), value, "get_accHelp");
    text(object->get_accKeyboardShortcut(child, &value), value, "get_accKeyboardShortcut");
    text(object->get_accDefaultAction(child, &value), value, "get_accDefaultAction");
    LONG topic = 0;
    value = nullptr;
    text(object->get_accHelpTopic(&value, child, &topic), value, "get_accHelpTopic");
    VARIANT result;
    VariantInit(&result);
    note(object->get_accRole(child, &result), "get_accRole");
    VariantClear(&result);
    note(object->get_accState(child, &result), "get_accState");
    VariantClear(&result);
    for (const LONG direction : {NAVDIR_NEXT, NAVDIR_PREVIOUS, NAVDIR_FIRSTCHILD}) {
        note(object->accNavigate(direction, child, &result), "accNavigate");
        VariantClear(&result);
    }
    IDispatch* dispatch = nullptr;
    note(object->get_accChild(child, &dispatch), "get_accChild");
    if (dispatch)
        dispatch->Release();
    LONG x = 0, y = 0, width = 0, height = 0;
    note(object->accLocation(&x, &y, &width, &height, child), "accLocation");
    note(object->accSelect(SELFLAG_TAKEFOCUS, child), "accSelect");
    note(object->accDoDefaultAction(child), "accDoDefaultAction");
    BSTR typed = SysAllocString(L"0xFFFFFF");
    note(object->put_accName(child, typed), "put_accName");
    note(object->put_accValue(child, typed), "put_accValue");
    SysFreeString(typed);
    return succeeded;
}
