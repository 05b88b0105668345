#include "win32support.h"

#include <cmath>

WideText::WideText(std::string_view text)
{
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), m_chars, kCapacity - 1);
    m_chars[length > 0 ? length : 0] = L'\0';
}

ShortText windowText(HWND control)
{
    wchar_t wide[ShortText::kCapacity + 1];
    const int length = GetWindowTextW(control, wide, ShortText::kCapacity + 1);
    char bytes[ShortText::kCapacity * 3];
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, length, bytes, sizeof bytes, nullptr, nullptr);
    return std::string_view(bytes, static_cast<std::size_t>(size > 0 ? size : 0));
}

void setText(HWND control, std::string_view text) { SetWindowTextW(control, WideText(text).c_str()); }

HFONT createFont(const Layout::FontSpec& font, int dpi)
{
    const int height = -static_cast<int>(std::lround(font.pointSize * dpi / 72.0));
    return CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       WideText(font.family).c_str());
}

bool highContrast()
{
    HIGHCONTRASTW settings{};
    settings.cbSize = sizeof settings;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof settings, &settings, 0)
           && (settings.dwFlags & HCF_HIGHCONTRASTON);
}
