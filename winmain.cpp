#include "win32mainform.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    Win32MainForm form(instance);
    ShowWindow(form.window(), show);
    return form.run();
}
