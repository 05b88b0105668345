// A MainForm with no toolkit behind it: it holds what a window would show and
// logs every write, so tests can check both the result and the order.
#pragma once

#include "layout.h"
#include "mainform.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

class FakeForm final : public MainForm {
public:
    FakeForm() { cells.fill(std::string(Layout::kCellPlaceholder)); }

    std::array<std::string, kAddressBitCount> cells;
    std::array<std::optional<Rgb>, kAddressBitCount> colors;
    std::array<std::string, kAddressBitCount> captions;
    std::string hexMin;
    std::string hexMax;
    std::vector<std::string> log;

    ShortText cellCaption(std::int16_t index) const override { return std::string_view(cells.at(index)); }
    void setCellCaption(std::int16_t index, std::string_view text) override
    {
        cells.at(index) = text;
        log.push_back("cell " + std::to_string(index));
    }
    void setCellForeColor(std::int16_t index, Rgb color) override
    {
        colors.at(index) = color;
        log.push_back("color " + std::to_string(index));
    }
    void setBitNumberCaption(std::int16_t index, std::string_view text) override
    {
        captions.at(index) = text;
        log.push_back("caption " + std::to_string(index));
    }
    void setOutputText(OutputBox box, std::string_view text) override
    {
        const bool isMin = box == OutputBox::TextHexMin;
        (isMin ? hexMin : hexMax) = text;
        log.push_back(isMin ? "min" : "max");
    }

    // Lays out a pattern written as on screen: bit 23 first. '?' stands for
    // the layout's placeholder caption; every other character is the caption.
    void setPattern(std::string_view screen)
    {
        for (std::size_t column = 0; column < kAddressBitCount; ++column) {
            const char c = screen.at(column);
            cells.at(23 - column) = c == '?' ? std::string(Layout::kCellPlaceholder) : std::string(1, c);
        }
    }
};
