#pragma once

#include <string_view>

inline constexpr std::string_view kProductName = "Address range finder";
inline constexpr std::string_view kProductVersion = "1.00";
