// What screen readers call the controls that carry no text of their own,
// and the one action a cell offers, written once for every front end. A
// cell is called "Bit 4: 1": the prefix, the number shown above it, the
// separator and its state.
#pragma once

#include <string_view>

namespace AccessibleNames {

inline constexpr std::string_view kLowestAddress = "Lowest address";
inline constexpr std::string_view kHighestAddress = "Highest address";
inline constexpr std::string_view kCellPrefix = "Bit ";
inline constexpr std::string_view kCellSeparator = ": ";
inline constexpr std::string_view kPress = "Press";

} // namespace AccessibleNames
