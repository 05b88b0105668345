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

// The value's digits after `prefix`: any 32-bit value in base 10 or 16,
// with a two-letter prefix, fits the buffer.
ShortText Digits(std::uint32_t value, std::uint32_t base, std::string_view prefix = {})
{
    constexpr char kDigits[] = "0123456789ABCDEF";
    char buffer[ShortText::kCapacity];
    char* const end = buffer + sizeof buffer;
    char* first = end;
    do {
        *--first = kDigits[value % base];
        value /= base;
    } while (value != 0);
    for (auto c = prefix.rbegin(); c != prefix.rend(); ++c)
        *--first = *c;
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
    // A negative value never arises; should one, it prints as its 32-bit
    // two's complement rather than as garbage.
    return Digits(static_cast<std::uint32_t>(value), 16, "0x");
}

void SetBitNumberLabels(WindowOps& form, ModeIndex mode)
{
    if (mode == 0) {
        for (std::int16_t i = 0; i < kAddressBitCount; ++i)
            form.setBitNumberCaption(i, Digits(static_cast<std::uint32_t>(i), 10));
    } else {
        for (std::int16_t i = 1; i < kAddressBitCount; ++i)
            form.setBitNumberCaption(i, Digits(static_cast<std::uint32_t>(i - 1), 10));
        form.setBitNumberCaption(0, "BA0");
    }
}

} // namespace Module1
