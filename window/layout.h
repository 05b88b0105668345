// The main window's layout, written once as data for every front end. Each
// front end walks kWidgets in order, creating one native widget per row, so
// creation order is also the order of the rows. Coordinates are in twips
// (1/1440 inch); a row inside a frame counts from that frame's top-left.
#pragma once

#include "module1.h"
#include "product.h"
#include "shorttext.h"
#include "windowops.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace Layout {

enum class WidgetName {
    Frame1,
    Frame2,
    Frame3,
    OptionMode,
    Label1,
    CommandAddressBits,
    Label2,
    Label3,
    TextHexMin,
    TextHexMax,
};

enum class WidgetKind { Frame, OptionButton, Label, Cell, TextBox };
enum class Parent { Window, Frame1, Frame2, Frame3 };
enum class Align { Left, Centre, Right };
enum class FontRole { Dialog, Cell, Box };

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

struct WidgetSpec {
    WidgetName name;
    std::int16_t index; // element of an indexed array, or -1
    WidgetKind kind;
    Parent parent;
    TwipRect rect;
    std::string_view text;
    Align align;
    FontRole font;
    bool selected; // option buttons only
};

struct FontSpec {
    std::string_view family;
    double pointSize;
    bool bold;
};

struct WidgetRef {
    WidgetName name;
    std::int16_t index;
};

inline constexpr std::string_view kTitle = kProductName;
inline constexpr int kClientWidth = 8415;
inline constexpr int kClientHeight = 3165;
inline constexpr int kTwipsPerInch = 1440;

inline constexpr std::string_view kCellPlaceholder = "Label4";
// Every widget the table gives no font: the 8-point face Windows dialogs are
// drawn in (what "MS Shell Dlg" stands for there). The layout was measured
// for its narrow metrics, so elsewhere a front end takes an Arial-metric
// face at this size; 8 points is 11 pixels at 96 dpi, as the page's is.
inline constexpr FontSpec kDialogFont{"MS Shell Dlg", 8.0, false};
inline constexpr FontSpec kCellFont{"MS Sans Serif", 8.25, true};
inline constexpr FontSpec kBoxFont{"Courier New", 15.75, true};
inline constexpr Rgb kCellBackground{192, 192, 192};
// One line of one device pixel round each cell, on both front ends.
inline constexpr Rgb kCellBorder{0, 0, 0};
inline constexpr Rgb kBoxTextColor{0, 0, 255};
// White under any theme, as a Windows edit box shows it: a dark theme's
// field would leave the blue unreadable.
inline constexpr Rgb kBoxBackground{255, 255, 255};

inline constexpr std::array<WidgetRef, 4> kTabOrder{{
    {WidgetName::OptionMode, 0},
    {WidgetName::OptionMode, 1},
    {WidgetName::TextHexMin, -1},
    {WidgetName::TextHexMax, -1},
}};

// Cells run from bit 23 at the left to bit 0 at the right, in groups of four.
constexpr int cellLeft(std::int16_t bit)
{
    const int column = kAddressBitCount - 1 - bit;
    return 180 + 300 * column + 120 * (column / 4);
}

// Two-digit captions sit a little right of their cell; the rightmost caption
// is wider to hold "BA0".
constexpr TwipRect bitCaptionRect(std::int16_t bit)
{
    if (bit == 0)
        return {7620, 300, 375, 255};
    return {cellLeft(bit) + (bit >= 16 ? 60 : 0), 300, 195, 255};
}

constexpr TwipRect cellRect(std::int16_t bit) { return {cellLeft(bit), 600, 315, 315}; }

// Rounds to the nearest pixel, halves up, so that twips scale evenly at any DPI.
constexpr int twipsToPixels(int twips, int dotsPerInch)
{
    return (twips * dotsPerInch + kTwipsPerInch / 2) / kTwipsPerInch;
}

inline constexpr std::size_t kWidgetCount = 3 + 2 + 2 * kAddressBitCount + 4;

namespace detail {

constexpr WidgetSpec plain(WidgetName name, WidgetKind kind, Parent parent, TwipRect rect,
                           std::string_view text, Align align = Align::Left,
                           FontRole font = FontRole::Dialog)
{
    return {name, -1, kind, parent, rect, text, align, font, false};
}

constexpr std::array<WidgetSpec, kWidgetCount> buildWidgets()
{
    std::array<WidgetSpec, kWidgetCount> rows{};
    std::size_t n = 0;
    rows[n++] = plain(WidgetName::Frame2, WidgetKind::Frame, Parent::Window, {120, 120, 8175, 555}, "Mode");
    rows[n++] = {WidgetName::OptionMode, 0, WidgetKind::OptionButton, Parent::Frame2,
                 {240, 240, 1635, 195}, "Standard micro", Align::Left, FontRole::Dialog, false};
    rows[n++] = {WidgetName::OptionMode, 1, WidgetKind::OptionButton, Parent::Frame2,
                 {1860, 240, 1635, 195}, "PIC 18F", Align::Left, FontRole::Dialog, true};
    rows[n++] = plain(WidgetName::Frame1, WidgetKind::Frame, Parent::Window, {120, 780, 8175, 1155},
                      "Address bits ( 0 - 1 - X )");
    for (std::int16_t bit = 0; bit < kAddressBitCount; ++bit)
        rows[n++] = {WidgetName::Label1, bit, WidgetKind::Label, Parent::Frame1, bitCaptionRect(bit),
                     "", Align::Centre, FontRole::Dialog, false};
    for (std::int16_t bit = 0; bit < kAddressBitCount; ++bit)
        rows[n++] = {WidgetName::CommandAddressBits, bit, WidgetKind::Cell, Parent::Frame1, cellRect(bit),
                     kCellPlaceholder, Align::Centre, FontRole::Cell, false};
    rows[n++] = plain(WidgetName::Frame3, WidgetKind::Frame, Parent::Window, {120, 2040, 8175, 975},
                      "Configurations");
    rows[n++] = plain(WidgetName::Label2, WidgetKind::Label, Parent::Frame3, {240, 420, 1215, 255},
                      "HEX address", Align::Right);
    rows[n++] = plain(WidgetName::TextHexMin, WidgetKind::TextBox, Parent::Frame3, {1560, 300, 2535, 405},
                      "", Align::Left, FontRole::Box);
    rows[n++] = plain(WidgetName::Label3, WidgetKind::Label, Parent::Frame3, {4320, 360, 255, 255}, " to");
    rows[n++] = plain(WidgetName::TextHexMax, WidgetKind::TextBox, Parent::Frame3, {4860, 300, 2535, 405},
                      "", Align::Left, FontRole::Box);
    return rows;
}

} // namespace detail

inline constexpr std::array<WidgetSpec, kWidgetCount> kWidgets = detail::buildWidgets();

// The parent that a frame is to the rows inside it.
constexpr Parent innerParent(WidgetName frame)
{
    switch (frame) {
    case WidgetName::Frame1: return Parent::Frame1;
    case WidgetName::Frame2: return Parent::Frame2;
    case WidgetName::Frame3: return Parent::Frame3;
    default: return Parent::Window;
    }
}

// A parent's area in the window; its rows count from its top-left corner.
constexpr TwipRect parentRect(Parent parent)
{
    for (const WidgetSpec& row : kWidgets)
        if (row.kind == WidgetKind::Frame && parent != Parent::Window && innerParent(row.name) == parent)
            return row.rect;
    return {0, 0, kClientWidth, kClientHeight};
}

// The names the widgets go by, for object names and UI automation.
constexpr std::string_view widgetName(WidgetName name)
{
    switch (name) {
    case WidgetName::Frame1: return "Frame1";
    case WidgetName::Frame2: return "Frame2";
    case WidgetName::Frame3: return "Frame3";
    case WidgetName::OptionMode: return "OptionMode";
    case WidgetName::Label1: return "Label1";
    case WidgetName::CommandAddressBits: return "CommandAddressBits";
    case WidgetName::Label2: return "Label2";
    case WidgetName::Label3: return "Label3";
    case WidgetName::TextHexMin: return "TextHexMin";
    case WidgetName::TextHexMax: return "TextHexMax";
    }
    return {};
}

// A row's full name: "TextHexMin", or "CommandAddressBits(5)" for an
// element of an indexed array.
using WidgetId = FixedText<32>; // "CommandAddressBits(23)" and room to spare
constexpr WidgetId widgetName(WidgetName name, std::int16_t index)
{
    WidgetId id(widgetName(name));
    if (index < 0)
        return id;
    char digits[6] = {};
    int count = 0;
    for (int rest = index; count == 0 || rest > 0; rest /= 10)
        digits[count++] = static_cast<char>('0' + rest % 10);
    id.append("(");
    while (count > 0)
        id.append(std::string_view(&digits[--count], 1));
    return id.append(")");
}

// The font a row names; none for the dialog font, kDialogFont, whose face
// each platform picks.
constexpr const FontSpec* fontFor(FontRole role)
{
    switch (role) {
    case FontRole::Cell:
        return &kCellFont;
    case FontRole::Box:
        return &kBoxFont;
    case FontRole::Dialog:
        break;
    }
    return nullptr;
}

struct PixelRect {
    int left;
    int top;
    int width;
    int height;

    friend constexpr bool operator==(const PixelRect& a, const PixelRect& b)
    {
        return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
    }
};

// A row in pixels of the window's client area at a DPI. Each edge is
// rounded on its own, in the window's coordinates, and the size is what
// lies between: rows that meet in twips meet in pixels, and no row moves
// against its neighbours at 144 dpi, where many edges fall on a half.
constexpr PixelRect pixelRect(const WidgetSpec& row, int dotsPerInch)
{
    const TwipRect origin = parentRect(row.parent);
    const int left = origin.left + row.rect.left;
    const int top = origin.top + row.rect.top;
    const int pixelLeft = twipsToPixels(left, dotsPerInch);
    const int pixelTop = twipsToPixels(top, dotsPerInch);
    return {pixelLeft, pixelTop, twipsToPixels(left + row.rect.width, dotsPerInch) - pixelLeft,
            twipsToPixels(top + row.rect.height, dotsPerInch) - pixelTop};
}

// The same rectangle counted from its frame's corner, for toolkits whose
// frames hold their rows: a row lands where pixelRect puts it.
constexpr PixelRect pixelRectInParent(const WidgetSpec& row, int dotsPerInch)
{
    const TwipRect origin = parentRect(row.parent);
    PixelRect rect = pixelRect(row, dotsPerInch);
    rect.left -= twipsToPixels(origin.left, dotsPerInch);
    rect.top -= twipsToPixels(origin.top, dotsPerInch);
    return rect;
}

} // namespace Layout
