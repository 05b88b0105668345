// What the page's script lends the WebAssembly module: the few calls that
// make the window's elements and read and write them. The module owns no
// element and keeps no copy of their texts; the script does the DOM work.
// Elements go by their widget names ("TextHexMin", "CommandAddressBits(5)"),
// so neither side depends on the other's order of anything.
#pragma once

#include <cstdint>

namespace Page {

extern "C" {

// The title and the window's size in CSS pixels.
__attribute__((import_module("page"), import_name("window"))) void window(
    const char* title, std::int32_t titleLength, std::int32_t width, std::int32_t height);

// One property of the element being described, by name, as text or as a
// whole number; then element() has the script make it and append it to its
// parent. The module describes the elements in the order a reader is to
// meet them.
__attribute__((import_module("page"), import_name("property"))) void property(
    const char* key, std::int32_t keyLength, const char* value, std::int32_t valueLength);
__attribute__((import_module("page"), import_name("number"))) void number(
    const char* key, std::int32_t keyLength, std::int32_t value);
__attribute__((import_module("page"), import_name("element"))) void element();

// The font of a role of the table ("dialog", "cell", "box"): its face, if
// the page is to ask for one, its size in hundredths of a point, and its weight.
__attribute__((import_module("page"), import_name("font"))) void font(
    const char* role, std::int32_t roleLength, const char* family, std::int32_t familyLength,
    std::int32_t hundredthsOfPoint, std::int32_t bold);

// 0xRRGGBB, for an element's text, or for a style variable ("--...").
__attribute__((import_module("page"), import_name("setColor"))) void setColor(
    const char* target, std::int32_t targetLength, std::int32_t rgb);

__attribute__((import_module("page"), import_name("setText"))) void setText(
    const char* id, std::int32_t idLength, const char* text, std::int32_t length);

// The name a screen reader gives an element.
__attribute__((import_module("page"), import_name("setLabel"))) void setLabel(
    const char* id, std::int32_t idLength, const char* text, std::int32_t length);

// Copies at most `capacity` bytes of an element's text to `out`; returns how many.
__attribute__((import_module("page"), import_name("textOf"))) std::int32_t textOf(
    const char* id, std::int32_t idLength, char* out, std::int32_t capacity);

__attribute__((import_module("page"), import_name("focus"))) void focus(const char* id, std::int32_t idLength);
}

} // namespace Page
