// The system's accessibility library, oleacc.dll, reached at run time. It is
// not one of the DLLs Windows always loads from its own folder, so an
// import would let a planted copy beside the executable (in a Downloads
// folder, say) load instead: it is loaded from the system folder by path.
#pragma once

#include <windows.h>
#include <objbase.h>

struct SystemOleAcc {
    using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    using CreateStdAccessibleObjectFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    LresultFromObjectFn lresultFromObject = nullptr;
    CreateStdAccessibleObjectFn createStdAccessibleObject = nullptr;
};

// The library's functions, loaded on the first call and kept for the
// process's life (objects handed out may outlive any window); nullptr where
// it or one of them is missing.
const SystemOleAcc* systemOleAcc();
