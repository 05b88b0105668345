// What screen readers call the controls that carry no text of their own,
// and the one action a cell offers, written once for every front end.
#pragma once

#include "shorttext.h"
#include "windowops.h"

#include <string_view>

namespace AccessibleNames {

inline constexpr std::string_view kLowestAddress = "Lowest address";
inline constexpr std::string_view kHighestAddress = "Highest address";
inline constexpr std::string_view kPress = "Press";
inline constexpr std::string_view kCellPrefix = "Bit ";
inline constexpr std::string_view kCellSeparator = ": ";

constexpr std::string_view boxName(OutputBox box)
{
    return box == OutputBox::TextHexMin ? kLowestAddress : kHighestAddress;
}

// A cell is "Bit 4: 1": the number shown above it and its state, so that a
// reader that reads names only hears both. Before the numbers are shown
// (an empty caption) a cell has no name yet.
constexpr ShortText cellName(std::string_view caption, std::string_view state)
{
    if (caption.empty())
        return {};
    return ShortText(kCellPrefix).append(caption).append(kCellSeparator).append(state);
}

} // namespace AccessibleNames
