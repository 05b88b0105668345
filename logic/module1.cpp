#include "module1.h"

namespace Module1 {

namespace {

AddressRange ComputeAddressRange(const WindowOps& form)
{
    AddressRange range;
    for (std::int16_t i = 0; i < kAddressBitCount; ++i) {
        const ShortText text = form.cellCaption(i);
        const std::int32_t weight = std::int32_t{1} << i;
        if (text == kStateZero) {
            continue;
        } else if (text == kStateOne) {
            range.minimum += weight;
            range.maximum += weight;
        } else if (text == kStateFree) {
            range.maximum += weight;
        }
    }
    return range;
}

// Bit numbers run 0 to 23: no sign, no leading zeros.
ShortText Decimal(std::int16_t value)
{
    char buffer[6];
    char* end = buffer + sizeof buffer;
    char* first = end;
    auto digits = static_cast<std::uint16_t>(value);
    do {
        *--first = static_cast<char>('0' + digits % 10);
        digits /= 10;
    } while (digits != 0);
    return std::string_view(first, static_cast<std::size_t>(end - first));
}

} // namespace

void AdvanceCell(WindowOps& form, std::int16_t index)
{
    // Indices come from the front ends' widget arrays; one outside them
    // would name no cell at all.
    if (index < 0 || index >= kAddressBitCount)
        return;

    const ShortText text = form.cellCaption(index);
    if (text == kStateZero) {
        form.setCellCaption(index, kStateOne);
        form.setCellForeColor(index, kColorOne);
    } else if (text == kStateOne) {
        form.setCellCaption(index, kStateFree);
        form.setCellForeColor(index, kColorFree);
    } else if (text == kStateFree) {
        form.setCellCaption(index, kStateZero);
        form.setCellForeColor(index, kColorZero);
    }
}

void RecalculateAddressRange(WindowOps& form)
{
    const AddressRange range = ComputeAddressRange(form);
    form.setOutputText(OutputBox::TextHexMin, FormatAddress(range.minimum));
    form.setOutputText(OutputBox::TextHexMax, FormatAddress(range.maximum));
}

ShortText FormatAddress(std::int32_t value)
{
    constexpr char kDigits[] = "0123456789ABCDEF";
    // A negative value never arises; should one, it prints as its 32-bit
    // two's complement rather than as garbage.
    auto bits = static_cast<std::uint32_t>(value);

    char buffer[2 + 8];
    char* end = buffer + sizeof buffer;
    char* first = end;
    do {
        *--first = kDigits[bits & 0xFu];
        bits >>= 4;
    } while (bits != 0);
    *--first = 'x';
    *--first = '0';
    return std::string_view(first, static_cast<std::size_t>(end - first));
}

void SetBitNumberLabels(WindowOps& form, ModeIndex mode)
{
    if (mode == 0) {
        for (std::int16_t i = 0; i < kAddressBitCount; ++i)
            form.setBitNumberCaption(i, Decimal(i));
    } else {
        for (std::int16_t i = 1; i < kAddressBitCount; ++i)
            form.setBitNumberCaption(i, Decimal(static_cast<std::int16_t>(i - 1)));
        form.setBitNumberCaption(0, "BA0");
    }
}

} // namespace Module1
