// Starting the real executable from a test in another process, and finding
// its window, as a user's tools would.
#pragma once

#include <windows.h>

#include <string>

template <typename Function>
Function user32Function(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

// Windows 8.1 and later, and Wine 10, show a DPI-unaware reader another
// window's sizes scaled back to 96 dpi: look in physical pixels instead.
inline void readInPhysicalPixels()
{
    using SetContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
    if (const auto setContext = user32Function<SetContextFn>("SetThreadDpiAwarenessContext"))
        if (setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) || setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE))
            return;
    SetProcessDPIAware();
}

inline HWND waitForWindow(DWORD processId)
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

// The program, started; ended by force if the test did not close it.
class Launched {
public:
    explicit Launched(const std::wstring& program)
    {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" + program + L"\"";
        m_started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &m_process);
    }
    ~Launched()
    {
        if (!m_started)
            return;
        if (WaitForSingleObject(m_process.hProcess, 0) != WAIT_OBJECT_0) {
            TerminateProcess(m_process.hProcess, 1);
            WaitForSingleObject(m_process.hProcess, 5000);
        }
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }
    Launched(const Launched&) = delete;
    Launched& operator=(const Launched&) = delete;

    bool started() const { return m_started; }
    DWORD id() const { return m_process.dwProcessId; }
    HANDLE handle() const { return m_process.hProcess; }

private:
    BOOL m_started = FALSE;
    PROCESS_INFORMATION m_process{};
};
