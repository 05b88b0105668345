#pragma once

#include "accessiblecontrols.h"
#include "layout.h"
#include "mainform.h"
#include "win32controls.h"

#include <windows.h>

// The main window on plain Win32: its messages, focus and DPI, and the
// window operations the logic calls. The controls, the display's scale and
// what screen readers get stand apart from it; it calls them, and they know
// nothing of it.
class Win32MainForm final : public MainForm {
public:
    explicit Win32MainForm(HINSTANCE instance);
    ~Win32MainForm() override;
    Win32MainForm(const Win32MainForm&) = delete;
    Win32MainForm& operator=(const Win32MainForm&) = delete;

    // What Windows refused to create, or nullptr once the window stands.
    const wchar_t* failure() const { return m_failure; }
    HWND window() const { return m_window; }
    HWND control(Layout::WidgetName name, std::int16_t index = -1) const { return ::control(m_window, name, index); }
    COLORREF cellForeColor(std::int16_t bit) const { return m_look.cellColors[static_cast<std::size_t>(bit)]; }
    int dpi() const { return m_dpi; }

    // Keyboard navigation for one queued message; true if it was consumed.
    bool preTranslateMessage(MSG& msg);
    // Runs the message loop until the window is closed; the exit code.
    int run();

    ShortText cellCaption(std::int16_t index) const override;
    void setCellCaption(std::int16_t index, std::string_view text) override;
    void setCellForeColor(std::int16_t index, Rgb color) override;
    void setBitNumberCaption(std::int16_t index, std::string_view text) override;
    void setOutputText(OutputBox box, std::string_view text) override;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Fonts, icons, window size and every control's place for this DPI;
    // the window takes `suggested` when Windows offers one.
    void applyDpi(int dpi, const RECT* suggested);
    void onCommand(int id, int code, HWND control);
    void rememberFocus();
    HWND tabStop(std::size_t position) const;
    void announceCell(std::int16_t index);

    HWND m_window = nullptr;
    HWND m_lastFocus = nullptr;
    int m_dpi = 96;
    ControlLook m_look;
    HICON m_bigIcon = nullptr;
    HICON m_smallIcon = nullptr;
    AccessibleControls m_accessibles;
    const wchar_t* m_failure = nullptr;
    wchar_t m_failureText[64] = {};
};

// The program: the window, or a message saying what Windows refused to
// create; the process's exit code.
int runMainForm(HINSTANCE instance, int show);
