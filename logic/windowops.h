// The address logic never touches a toolkit. It sees the window only through
// WindowOps: the handful of reads and writes it needs on the cells, the
// bit-number captions and the two output boxes. Each front end (Qt, Win32)
// implements WindowOps over its real widgets; the tests implement it over a
// fake that records every write.
#pragma once

#include "shorttext.h"

#include <cstdint>
#include <string_view>

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;

    friend constexpr bool operator==(Rgb a, Rgb b)
    {
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    }
    friend constexpr bool operator!=(Rgb a, Rgb b) { return !(a == b); }
};

enum class OutputBox { TextHexMin, TextHexMax };

class WindowOps {
public:
    virtual ~WindowOps() = default;

    virtual ShortText cellCaption(std::int16_t index) const = 0;
    virtual void setCellCaption(std::int16_t index, std::string_view text) = 0;
    virtual void setCellForeColor(std::int16_t index, Rgb color) = 0;
    virtual void setBitNumberCaption(std::int16_t index, std::string_view text) = 0;
    virtual void setOutputText(OutputBox box, std::string_view text) = 0;
};
