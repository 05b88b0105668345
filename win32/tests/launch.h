// Starting the real executable from a test in another process, finding its
// window as a user's tools would, and timing its end.
#pragma once

#include <windows.h>

#include <cstdio>
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

// Posts WM_CLOSE; the moment it went, for the two below.
inline DWORD closeWindow(HWND window)
{
    const DWORD closedAt = GetTickCount();
    PostMessageW(window, WM_CLOSE, 0, 0);
    return closedAt;
}

// Prints how long the program took to end after WM_CLOSE, or how long it
// ran on; a user notices a second, so a longer end says so even in a pass.
inline void reportEnd(DWORD closedAt, bool ended = true)
{
    const DWORD took = GetTickCount() - closedAt;
    std::printf("the program %s %lu ms after WM_CLOSE%s\n", ended ? "ended" : "still ran",
                static_cast<unsigned long>(took), took > 1000 ? ", over a second" : "");
}

// Whether the program's process ended within `limit` ms of WM_CLOSE.
inline bool processEnded(HANDLE process, DWORD closedAt, DWORD limit)
{
    const DWORD waited = GetTickCount() - closedAt;
    const bool ended = WaitForSingleObject(process, waited < limit ? limit - waited : 0) == WAIT_OBJECT_0;
    reportEnd(closedAt, ended);
    return ended;
}
