#include "win32mainform.h"

int runMainForm(HINSTANCE instance, int show)
{
    Win32MainForm form(instance);
    if (const wchar_t* failed = form.failure()) {
        wchar_t message[160];
        wsprintfW(message, L"Address range finder cannot start: Windows did not create %s.", failed);
        MessageBoxW(nullptr, message, L"Address range finder", MB_OK | MB_ICONERROR);
        return 1;
    }
    ShowWindow(form.window(), show);
    return form.run();
}
