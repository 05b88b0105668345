// The screen readers' way in to one window's cells, boxes and frames: each
// answers WM_GETOBJECT with its own ControlAccessible, made on a reader's
// first request and kept for the window's life, so that a reader meets the
// same object however it got there. Readers in other processes reach them
// through COM, on the window's thread.
#pragma once

#include "controlaccessible.h"
#include "layout.h"

#include <windows.h>
#include <oleacc.h>

#include <array>

class AccessibleControls {
public:
    AccessibleControls() = default;
    ~AccessibleControls() { detach(); }
    AccessibleControls(const AccessibleControls&) = delete;
    AccessibleControls& operator=(const AccessibleControls&) = delete;

    // Every cell, box and frame of `window` answers readers from now on.
    void expose(HWND window);
    // What a reader gets for a control of an exposed window (a new
    // reference), or nullptr for any other control or where the system
    // offers none.
    static IAccessible* of(HWND control);
    // The window is going: every object is cut loose from it.
    void detach();

private:
    static LRESULT CALLBACK controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    IAccessible* object(HWND control);

    HWND m_window = nullptr;
    std::array<ControlAccessible*, Layout::kWidgets.size()> m_objects{};
};
