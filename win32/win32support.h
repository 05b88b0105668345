// Small helpers the Win32 front end's files share: UTF-8 texts to and from
// controls, colours, fonts, and system functions looked up at run time.
// They know nothing of the form or the controls; the other files build on
// them.
#pragma once

#include "layout.h"
#include "windowops.h"

#include <windows.h>

#include <string_view>

// Every text the window shows is short: converting in a fixed buffer keeps
// the runtime's wide strings, and their exceptions, out of the executable.
class WideText {
public:
    explicit WideText(std::string_view text);
    const wchar_t* c_str() const { return m_chars; }

private:
    static constexpr int kCapacity = 64;
    wchar_t m_chars[kCapacity];
};

ShortText windowText(HWND control);
void setText(HWND control, std::string_view text);
inline COLORREF toColorRef(Rgb c) { return RGB(c.red, c.green, c.blue); }
HFONT createFont(const Layout::FontSpec& font, int dpi);
bool highContrast();

// Functions newer than Vista are looked up at run time, so that the program
// still starts where they are missing and falls back to the older way.
template <typename Function>
Function systemFunction(const wchar_t* module, const char* name)
{
    HMODULE handle = GetModuleHandleW(module);
    return handle ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name))) : nullptr;
}
