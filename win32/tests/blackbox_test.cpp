// Starts the real executable, drives its window from this separate process
// as a user or an automation tool would, and checks how it ends.
#include "controlids.h"
#include "testlog.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

using Layout::WidgetName;

std::wstring textOf(HWND control)
{
    wchar_t buffer[64] = {};
    SendMessageW(control, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

HWND waitForWindow(DWORD processId)
{
    for (int tries = 0; tries < 200; ++tries) {
        HWND window = FindWindowW(nullptr, L"Address range finder");
        DWORD owner = 0;
        // Visible means built: the window is shown only after it has loaded.
        if (window && GetWindowThreadProcessId(window, &owner) && owner == processId && IsWindowVisible(window))
            return window;
        Sleep(50);
    }
    return nullptr;
}

void click(HWND control)
{
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

std::wstring versionString(const std::wstring& path, const wchar_t* key)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    std::vector<BYTE> data(size);
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, data.data()))
        return L"<none>";
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
    if (!VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return L"<missing>";
    return value;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    TestLog t;
    if (!t.check(argc == 2, "usage: blackbox_test PROGRAM.exe"))
        return t.finish();
    const std::wstring program = argv[1];

    t.check(versionString(program, L"FileVersion") == L"1.00", "FileVersion reads 1.00");
    t.check(versionString(program, L"ProductVersion") == L"1.00", "ProductVersion reads 1.00");

    HMODULE image = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    for (const int size : {16, 32}) {
        HANDLE icon = image ? LoadImageW(image, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0) : nullptr;
        ICONINFO info{};
        BITMAP bitmap{};
        const bool loaded = icon && GetIconInfo(static_cast<HICON>(icon), &info)
                            && GetObjectW(info.hbmColor, sizeof bitmap, &bitmap) && bitmap.bmWidth == size;
        t.check(loaded, "executable carries a " + std::to_string(size) + " pixel icon");
        if (icon)
            DestroyIcon(static_cast<HICON>(icon));
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    if (image)
        FreeLibrary(image);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!t.check(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                &startup, &process),
                 "program starts"))
        return t.finish();

    HWND window = waitForWindow(process.dwProcessId);
    if (t.check(window != nullptr, "window titled \"Address range finder\" is shown")) {
        HWND hexMin = GetDlgItem(window, controlId(WidgetName::TextHexMin, -1));
        HWND hexMax = GetDlgItem(window, controlId(WidgetName::TextHexMax, -1));
        t.check(textOf(hexMin) == L"0x0" && textOf(hexMax) == L"0x0", "boxes start at 0x0");

        struct Step {
            std::int16_t bit;
            const wchar_t* min;
            const wchar_t* max;
        };
        const Step steps[] = {{23, L"0x800000", L"0x800000"}, {23, L"0x0", L"0x800000"}, {0, L"0x1", L"0x800001"},
                              {23, L"0x1", L"0x1"}};
        for (const Step& step : steps) {
            click(GetDlgItem(window, controlId(WidgetName::CommandAddressBits, step.bit)));
            t.check(textOf(hexMin) == step.min, "min after clicking bit " + std::to_string(step.bit));
            t.check(textOf(hexMax) == step.max, "max after clicking bit " + std::to_string(step.bit));
        }
        SendMessageW(GetDlgItem(window, controlId(WidgetName::OptionMode, 0)), BM_CLICK, 0, 0);
        t.check(textOf(GetDlgItem(window, controlId(WidgetName::Label1, 23))) == L"23", "standard numbering");
        t.check(textOf(hexMax) == L"0x1", "mode switch leaves the boxes");

        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    const DWORD waited = WaitForSingleObject(process.hProcess, 1000);
    t.check(waited == WAIT_OBJECT_0, "process ends within a second of WM_CLOSE");
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &exitCode);
    t.check(exitCode == 0, "exit status 0");
    if (waited != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return t.finish();
}
