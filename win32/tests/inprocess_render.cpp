// Fonts, colours and what the window draws, read back in this process: the
// colour each control is painted in, each cell's border and each frame's
// outline pixel by pixel, and every text's contrast, also in high contrast.
#include "cellborder.h"
#include "contrast.h"
#include "controlids.h"
#include "drive.h"
#include "inprocess.h"
#include "win32mainform.h"
#include "testlog.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using Layout::WidgetName;

namespace {

// What the window shows on screen, pixel by pixel.
class Grab {
public:
    explicit Grab(HWND window)
    {
        RECT client{};
        GetClientRect(window, &client);
        m_width = client.right;
        m_height = client.bottom;
        m_pixels.resize(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height));
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, m_width, -m_height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        HDC dc = GetDC(window);
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, m_width, m_height);
        const HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, m_width, m_height, dc, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        GetDIBits(memory, bitmap, 0, static_cast<UINT>(m_height), m_pixels.data(), &info, DIB_RGB_COLORS);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(window, dc);
    }
    Contrast::Rgb8 operator()(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= m_width || y >= m_height)
            return {-1, -1, -1};
        const std::uint32_t p = m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x)];
        return {int(p >> 16 & 255), int(p >> 8 & 255), int(p & 255)};
    }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_pixels;
};

Grab grabShown(const Win32MainForm& form)
{
    ShowWindow(form.window(), SW_SHOW);
    UpdateWindow(form.window());
    pump();
    return Grab(form.window());
}

} // namespace

void fontsAndColours(TestLog& t)
{
    Win32MainForm form(GetModuleHandleW(nullptr));
    const LOGFONTW cell = fontOf(form.control(WidgetName::CommandAddressBits, 3));
    t.equal(std::wstring(cell.lfFaceName), std::wstring(L"MS Sans Serif"), "cell face");
    t.equal(cell.lfWeight, LONG{FW_BOLD}, "cell bold");
    t.equal(cell.lfHeight, -MulDiv(825, form.dpi(), 7200), "cell 8.25 pt");
    const LOGFONTW box = fontOf(form.control(WidgetName::TextHexMax));
    t.equal(std::wstring(box.lfFaceName), std::wstring(L"Courier New"), "box face");
    t.equal(box.lfWeight, LONG{FW_BOLD}, "box bold");
    t.equal(box.lfHeight, -MulDiv(1575, form.dpi(), 7200), "box 15.75 pt");

    // The colour each control is painted with, as the window answers it.
    const auto paintedColor = [&](HWND control, COLORREF& background) {
        HDC dc = CreateCompatibleDC(nullptr);
        SendMessageW(form.window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
        const COLORREF text = GetTextColor(dc);
        background = GetBkColor(dc);
        DeleteDC(dc);
        return text;
    };
    HWND cellControl = form.control(WidgetName::CommandAddressBits, 3);
    const COLORREF states[] = {kRed, kBlack, kBlue};
    for (const COLORREF expected : states) {
        click(cellControl);
        COLORREF background = 0;
        t.equal(paintedColor(cellControl, background), expected, "cell painted in its state colour");
        t.equal(background, RGB(192, 192, 192), "cell painted on grey");
    }
    COLORREF boxBackground = 0;
    t.equal(paintedColor(form.control(WidgetName::TextHexMin), boxBackground), kBlue, "box text blue");
    t.equal(boxBackground, GetSysColor(COLOR_WINDOW), "box stays white although read-only");
    const LONG boxStyle = GetWindowLongW(form.control(WidgetName::TextHexMin), GWL_STYLE);
    t.check(boxStyle & ES_READONLY, "box is read-only");
}
// Each cell's border is one even line in the shared colour at this DPI,
// with the grey fill up to it and none outside and the digit in the middle;
// each frame draws its outline, with its title on it.
void renderedCellsAndFrames(TestLog& t)
{
    Win32MainForm form(GetModuleHandleW(nullptr));
    const Grab pixel = grabShown(form);
    for (const Layout::WidgetSpec& row : Layout::kWidgets) {
        if (row.kind != Layout::WidgetKind::Frame)
            continue;
        const RECT frame = childRect(form.window(), form.control(row.name));
        const int middle = (frame.top + frame.bottom) / 2;
        const Contrast::Rgb8 face = pixel(frame.left + 6, middle);
        const auto line = [&](int x) { return !CellBorder::same(pixel(x, middle), face) || !CellBorder::same(pixel(x + 1, middle), face); };
        t.check(line(frame.left) && line(frame.right - 2), std::string(Layout::widgetName(row.name)) + " draws its outline");
        wchar_t title[64] = {};
        GetWindowTextW(GetDlgItem(form.window(), frameTitleId(row.name)), title, 64);
        t.equal(narrowText(title), std::string(row.text), std::string(Layout::widgetName(row.name)) + " title");
    }
    for (int group = 0; group < 6; ++group) {
        std::array<CellBorder::Box, 4> boxes;
        for (int i = 0; i < 4; ++i) {
            const RECT r = childRect(form.window(), form.control(WidgetName::CommandAddressBits,
                                                                 static_cast<std::int16_t>(23 - 4 * group - i)));
            boxes[static_cast<std::size_t>(i)] = {r.left, r.top, r.right, r.bottom};
        }
        const std::string wrong = CellBorder::groupFault(boxes, {0, 0, 0}, {192, 192, 192}, pixel);
        t.check(wrong.empty(), "cell group " + std::to_string(group) + " at " + std::to_string(form.dpi()) +
                                   " dpi: " + wrong);
        for (const CellBorder::Box& box : boxes)
            t.check(std::abs(CellBorder::textOffset(box, {0, 0, 0}, {192, 192, 192}, pixel)) <= form.dpi() / 96.0,
                    "digit in the middle of its cell");
    }
}

// Every text but the cells' fixed colours stands out at least 4.5:1 from
// what is behind it, as drawn, with the usual colours and with a
// high-contrast theme's.
void textContrast(TestLog& t)
{
    struct Scheme {
        const char* name;
        bool highContrast;
    };
    const int elements[] = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_3DFACE};
    COLORREF saved[5];
    for (int i = 0; i < 5; ++i)
        saved[i] = GetSysColor(elements[i]);
    for (const Scheme& scheme : {Scheme{"standard colours", false}, Scheme{"high contrast", true}}) {
        if (scheme.highContrast) {
            const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
            const COLORREF colours[] = {black, white, black, white, black};
            SetSysColors(5, elements, colours);
            HIGHCONTRASTW settings{sizeof settings, HCF_HIGHCONTRASTON, nullptr};
            SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof settings, &settings, 0);
        }
        Win32MainForm form(GetModuleHandleW(nullptr));
        const Grab pixel = grabShown(form);
        double lowest = 100.0;
        std::string lowestName;
        const int indicator = MulDiv(16, form.dpi(), 96); // a mode button's round mark
        for (const Layout::WidgetSpec& row : Layout::kWidgets) {
            if (row.kind == Layout::WidgetKind::Cell)
                continue;
            RECT area = childRect(form.window(), form.control(row.name, row.index));
            if (row.kind == Layout::WidgetKind::OptionButton)
                area.left += indicator;
            if (row.kind == Layout::WidgetKind::TextBox)
                InflateRect(&area, -3, -3);
            if (row.kind == Layout::WidgetKind::Frame) // the title on the top border
                area = childRect(form.window(), GetDlgItem(form.window(), frameTitleId(row.name)));
            const double ratio = Contrast::rendered(area.left, area.top, area.right, area.bottom, pixel);
            if (ratio < lowest) {
                lowest = ratio;
                lowestName = std::string(Layout::widgetName(row.name)) +
                             (row.index < 0 ? "" : "(" + std::to_string(row.index) + ")");
            }
        }
        std::printf("%s: lowest text contrast %.2f:1 (%s)\n", scheme.name, lowest, lowestName.c_str());
        HIGHCONTRASTW state{sizeof state, 0, nullptr};
        if (scheme.highContrast && SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof state, &state, 0)
            && (state.dwFlags & HCF_HIGHCONTRASTON)) {
            // Where the system keeps the flag, the boxes take the theme's colours.
            HDC dc = CreateCompatibleDC(nullptr);
            SendMessageW(form.window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(form.control(WidgetName::TextHexMin)));
            t.equal(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT), "box text in the theme's colour");
            t.equal(GetBkColor(dc), GetSysColor(COLOR_WINDOW), "box field in the theme's colour");
            DeleteDC(dc);
        } else if (scheme.highContrast) {
            std::printf("this system keeps no high-contrast flag: the boxes stay blue on white\n");
        }
        t.check(lowest >= 4.5, std::string(scheme.name) + ": every text at least 4.5:1, lowest " + lowestName);
        if (scheme.highContrast) {
            HIGHCONTRASTW settings{sizeof settings, 0, nullptr};
            SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof settings, &settings, 0);
            SetSysColors(5, elements, saved);
        }
    }
}
