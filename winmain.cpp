#include "win32mainform.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    return runMainForm(instance, show);
}
