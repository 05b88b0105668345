#include "product.h"
#include "win32mainform.h"
#include "win32support.h"

int runMainForm(HINSTANCE instance, int show)
{
    Win32MainForm form(instance);
    if (const wchar_t* failed = form.failure()) {
        const WideText product(kProductName);
        wchar_t message[160];
        wsprintfW(message, L"%s cannot start: Windows did not create %s.", product.c_str(), failed);
        MessageBoxW(nullptr, message, product.c_str(), MB_OK | MB_ICONERROR);
        return 1;
    }
    ShowWindow(form.window(), show);
    return form.run();
}
