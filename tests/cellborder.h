// Whether a group of four cells is drawn as it should be at any scale:
// every border one even line of one device pixel in the border colour, the
// fill right up to it, and no fill outside. Neighbouring cells overlap by a
// logical pixel, so the check reads what shows, not which cell drew it.
// Shared by the front ends' tests, which grab their windows in their own
// ways.
#pragma once

#include "contrast.h"

#include <array>
#include <string>

namespace CellBorder {

struct Box {
    int left, top, right, bottom; // device pixels, right and bottom outside
};

inline bool same(Contrast::Rgb8 a, Contrast::Rgb8 b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// The four cells of a group from left to right; empty if all is well,
// else what is wrong.
template <typename Pixel>
std::string groupFault(const std::array<Box, 4>& cells, Contrast::Rgb8 border, Contrast::Rgb8 fill, Pixel pixel)
{
    const auto at = [](int x, int y) { return " at " + std::to_string(x) + "," + std::to_string(y); };
    // Along the row just under the top border: border, fill, border ... in
    // runs of one pixel of border, with no fill on either side outside.
    const int left = cells.front().left;
    const int right = cells.back().right;
    const int y = cells.front().top + 1;
    if (same(pixel(left - 1, y), fill) || same(pixel(right, y), fill))
        return "fill outside the group" + at(same(pixel(left - 1, y), fill) ? left - 1 : right, y);
    int lines = 0;
    for (int x = left; x < right; ++x) {
        const Contrast::Rgb8 c = pixel(x, y);
        if (same(c, border)) {
            ++lines;
            if (x + 1 < right && same(pixel(x + 1, y), border))
                return "a border two pixels wide" + at(x, y);
        } else if (!same(c, fill)) {
            return "neither border nor fill" + at(x, y);
        }
    }
    if (!same(pixel(left, y), border) || !same(pixel(right - 1, y), border) || lines != 5)
        return "the group's outer or inner borders are missing (" + std::to_string(lines) + " lines)";
    // Down each cell, beside its left border: border, fill, border, then
    // no fill below.
    for (const Box& cell : cells) {
        const int x = cell.left + 3;
        if (!same(pixel(x, cell.top), border) || !same(pixel(x, cell.bottom - 1), border))
            return "top or bottom border missing" + at(x, cell.top);
        for (int row = cell.top + 1; row < cell.bottom - 1; ++row)
            if (!same(pixel(x, row), fill))
                return "a border two pixels high, or no fill" + at(x, row);
        if (same(pixel(x, cell.bottom), fill) || same(pixel(x, cell.top - 1), fill))
            return "fill above or below the border" + at(x, cell.bottom);
    }
    return {};
}

// How far right of the cell's middle its text is drawn, in device pixels:
// the middle of everything inside the border that is neither fill nor
// border.
template <typename Pixel>
double textOffset(const Box& cell, Contrast::Rgb8 border, Contrast::Rgb8 fill, Pixel pixel)
{
    int first = cell.right;
    int last = cell.left - 1;
    for (int y = cell.top + 1; y < cell.bottom - 1; ++y)
        for (int x = cell.left + 1; x < cell.right - 1; ++x) {
            const Contrast::Rgb8 c = pixel(x, y);
            if (!same(c, fill) && !same(c, border)) {
                first = x < first ? x : first;
                last = x > last ? x : last;
            }
        }
    return (first + last + 1) / 2.0 - (cell.left + cell.right) / 2.0;
}

} // namespace CellBorder
