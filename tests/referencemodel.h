// What the window must show after any sequence of clicks and mode switches,
// worked out with bit masks alone and none of the tool's own code, so that
// tests can hold the real thing against it.
#pragma once

#include "windowops.h"

#include <cstdint>
#include <cstdio>
#include <string>

struct ReferenceModel {
    std::uint32_t ones = 0;
    std::uint32_t frees = 0;
    bool standardNumbering = false; // the tool starts in "PIC 18F" numbering

    void click(int bit)
    {
        const std::uint32_t mask = 1u << bit;
        if (ones & mask) {
            ones &= ~mask;
            frees |= mask;
        } else if (frees & mask) {
            frees &= ~mask;
        } else {
            ones |= mask;
        }
    }

    std::string text(int bit) const
    {
        const std::uint32_t mask = 1u << bit;
        return (ones & mask) ? "1" : (frees & mask) ? "X" : "0";
    }

    Rgb color(int bit) const
    {
        const std::uint32_t mask = 1u << bit;
        return (ones & mask) ? Rgb{255, 0, 0} : (frees & mask) ? Rgb{0, 0, 0} : Rgb{0, 0, 255};
    }

    std::string caption(int bit) const
    {
        if (standardNumbering)
            return std::to_string(bit);
        return bit == 0 ? "BA0" : std::to_string(bit - 1);
    }

    std::string minimum() const { return hex(ones); }
    std::string maximum() const { return hex(ones | frees); }

    static std::string hex(std::uint32_t value)
    {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "0x%X", static_cast<unsigned>(value));
        return buffer;
    }
};
