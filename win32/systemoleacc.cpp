#include "systemoleacc.h"

namespace {

constexpr DWORD kSearchSystem32 = 0x800; // LOAD_LIBRARY_SEARCH_SYSTEM32

HMODULE loadFromSystemFolder(const wchar_t* name)
{
    if (HMODULE module = LoadLibraryExW(name, nullptr, kSearchSystem32))
        return module;
    // Vista and 7 without the 2011 loader update do not know the flag.
    if (GetLastError() != ERROR_INVALID_PARAMETER)
        return nullptr;
    wchar_t path[MAX_PATH];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + 1 + static_cast<UINT>(lstrlenW(name)) >= MAX_PATH)
        return nullptr;
    path[length] = L'\\';
    lstrcpyW(path + length + 1, name);
    return LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

template <typename Function>
Function function(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

SystemOleAcc g_oleAcc;
bool g_tried = false;

} // namespace

const SystemOleAcc* systemOleAcc()
{
    if (!g_tried) {
        g_tried = true;
        if (HMODULE module = loadFromSystemFolder(L"oleacc.dll")) {
            g_oleAcc.lresultFromObject = function<SystemOleAcc::LresultFromObjectFn>(module, "LresultFromObject");
            g_oleAcc.createStdAccessibleObject =
                function<SystemOleAcc::CreateStdAccessibleObjectFn>(module, "CreateStdAccessibleObject");
        }
    }
    return g_oleAcc.lresultFromObject && g_oleAcc.createStdAccessibleObject ? &g_oleAcc : nullptr;
}
