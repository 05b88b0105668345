// How well a rendered text stands out, by the WCAG contrast ratio: the
// commonest colour in the text's area is what lies behind it, and the pixel
// that differs from it most is the text's full ink. Shared by the front
// ends' tests, which grab their windows in their own ways.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>

namespace Contrast {

struct Rgb8 {
    int red, green, blue;
};

inline double luminance(Rgb8 c)
{
    const auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.red) + 0.7152 * linear(c.green) + 0.0722 * linear(c.blue);
}

inline double ratio(Rgb8 a, Rgb8 b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// pixel(x, y) gives the colour at a point of the area [left, right) x [top, bottom).
template <typename Pixel>
double rendered(int left, int top, int right, int bottom, Pixel pixel)
{
    std::map<std::uint32_t, int> counts;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const Rgb8 c = pixel(x, y);
            ++counts[static_cast<std::uint32_t>(c.red << 16 | c.green << 8 | c.blue)];
        }
    const auto unpack = [](std::uint32_t v) { return Rgb8{int(v >> 16 & 255), int(v >> 8 & 255), int(v & 255)}; };
    const auto background =
        std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; });
    double best = 1.0;
    for (const auto& entry : counts)
        best = std::max(best, ratio(unpack(entry.first), unpack(background->first)));
    return best;
}

} // namespace Contrast
