// The address-pattern procedures shared by the window's handlers. They keep
// no state: the pattern is the 24 cell captions, read afresh on every call,
// and results go straight into the window's output boxes.
#pragma once

#include "windowops.h"

#include <cstdint>
#include <string_view>

// The text of one bit cell; only "0", "1" and "X" mean anything.
using CellState = std::string_view;

// Bit i of the 24-bit address sits in cell i; cell 23 is the most significant.
constexpr std::int16_t kAddressBitCount = 24;

struct AddressRange {
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
};

// 0 is "Standard micro"; every other value numbers the bits the "PIC 18F" way.
using ModeIndex = std::int16_t;

namespace Module1 {

inline constexpr CellState kStateZero = "0";
inline constexpr CellState kStateOne = "1";
inline constexpr CellState kStateFree = "X";

inline constexpr Rgb kColorZero{0, 0, 255};
inline constexpr Rgb kColorOne{255, 0, 0};
inline constexpr Rgb kColorFree{0, 0, 0};

// Steps a cell "0" -> "1" -> "X" -> "0" with its colour; other texts stay.
void AdvanceCell(WindowOps& form, std::int16_t index);

void RecalculateAddressRange(WindowOps& form);

ShortText FormatAddress(std::int32_t value);

void SetBitNumberLabels(WindowOps& form, ModeIndex mode);

} // namespace Module1
