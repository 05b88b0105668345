// What the page's script lends the WebAssembly module: the few calls that
// make the window's elements and read and write them. The module owns no
// element and keeps no copy of their texts; the script does the DOM work.
#pragma once

#include <cstdint>

namespace Page {

// Which elements a text or colour goes to.
enum class Target : std::int32_t { Cell, BitCaption, Box, CellFill, CellBorder, BoxText };

extern "C" {

// One element per layout row, inside its parent (0 is the window, else the
// frame by Layout::Parent), in CSS pixels. `slot` is the index within the
// row's kind: the bit, the mode, or the OutputBox.
__attribute__((import_module("page"), import_name("widget"))) void widget(
    std::int32_t kind, std::int32_t parent, std::int32_t slot, const char* name, std::int32_t nameLength,
    std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height, const char* text,
    std::int32_t textLength, std::int32_t align, std::int32_t font, std::int32_t selected);

// A font of the table by Layout::FontRole: the family, its size in CSS
// pixels and its weight. Rows of the dialog font get the page's own.
__attribute__((import_module("page"), import_name("font"))) void font(
    std::int32_t role, const char* family, std::int32_t familyLength, double pixels, std::int32_t bold);

__attribute__((import_module("page"), import_name("window"))) void window(
    const char* title, std::int32_t titleLength, std::int32_t width, std::int32_t height);

// Copies at most `capacity` bytes of a cell's text to `out`; returns how many.
__attribute__((import_module("page"), import_name("cellText"))) std::int32_t cellText(
    std::int32_t bit, char* out, std::int32_t capacity);

__attribute__((import_module("page"), import_name("setText"))) void setText(
    Target target, std::int32_t slot, const char* text, std::int32_t length);

// 0xRRGGBB.
__attribute__((import_module("page"), import_name("setColor"))) void setColor(
    Target target, std::int32_t slot, std::int32_t rgb);
}

} // namespace Page
