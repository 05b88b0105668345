#pragma once

#include "layout.h"
#include "mainform.h"

#include <windows.h>
#include <oleacc.h>

#include <array>

class ControlAccessible;

// The main window on plain Win32. Every control is a direct child of the
// top-level window, so that notifications reach one window procedure; a
// frame is a group box placed behind the controls it surrounds. Its members
// live by concern: the window, its messages and focus in win32mainform.cpp,
// its DPI in win32dpi.cpp, the controls and their colours in
// win32controls.cpp, the cells in win32cells.cpp, what screen readers get
// in win32accessible.cpp, the program's start in win32start.cpp.
class Win32MainForm final : public MainForm {
public:
    explicit Win32MainForm(HINSTANCE instance);
    ~Win32MainForm() override;
    Win32MainForm(const Win32MainForm&) = delete;
    Win32MainForm& operator=(const Win32MainForm&) = delete;

    // What Windows refused to create, or nullptr once the window stands.
    const wchar_t* failure() const { return m_failure; }
    HWND window() const { return m_window; }
    HWND control(Layout::WidgetName name, std::int16_t index = -1) const;
    COLORREF cellForeColor(std::int16_t bit) const { return m_cellColors[static_cast<std::size_t>(bit)]; }
    int dpi() const { return m_dpi; }
    // What screen readers get for a cell, box or frame (a new reference),
    // or nullptr for any other control or where the system offers none.
    IAccessible* accessible(HWND control);

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
    bool createControls(HINSTANCE instance);
    // Fonts, icons, window size and every control's place for this DPI;
    // the window takes `suggested` when Windows offers one.
    void applyDpi(int dpi, const RECT* suggested);
    LRESULT controlColor(HDC dc, HWND control);
    void drawCell(const DRAWITEMSTRUCT& item);
    void onCommand(int id, int code, HWND control);
    void rememberFocus();
    HWND tabStop(std::size_t position) const;
    // Cells, boxes and frames answer WM_GETOBJECT with the form's objects.
    static LRESULT CALLBACK controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    void exposeToScreenReaders(HWND control);
    void announceCell(std::int16_t index);
    void detachAccessibles();

    HWND m_window = nullptr;
    HWND m_lastFocus = nullptr;
    int m_dpi = 96;
    std::array<COLORREF, kAddressBitCount> m_cellColors{};
    HBRUSH m_cellBrush = nullptr;
    HBRUSH m_borderBrush = nullptr;
    HBRUSH m_boxBrush = nullptr;
    HFONT m_dialogFont = nullptr;
    HFONT m_cellFont = nullptr;
    HFONT m_boxFont = nullptr;
    HICON m_bigIcon = nullptr;
    HICON m_smallIcon = nullptr;
    std::array<ControlAccessible*, Layout::kWidgets.size()> m_accessibles{};
    const wchar_t* m_failure = nullptr;
    wchar_t m_failureText[64] = {};
};

// The program: the window, or a message saying what Windows refused to
// create; the process's exit code.
int runMainForm(HINSTANCE instance, int show);
