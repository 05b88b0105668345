// The window's layout written out a second time, row by row, straight from
// the design and independent of the shared table, so that no coordinate,
// text, alignment, font or colour of it can drift unseen.
#include "layout.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <vector>

namespace {

using Layout::Align;
using Layout::FontRole;
using Layout::Parent;
using Layout::WidgetKind;
using Layout::WidgetName;

struct Row {
    WidgetName name;
    int index;
    WidgetKind kind;
    Parent parent;
    int left, top, width, height;
    const char* text;
    Align align;
    FontRole font;
    bool selected;
};

std::vector<Row> designedRows()
{
    // Cell lefts from bit 23 (leftmost) down to bit 0.
    const int lefts[24] = {180,  480,  780,  1080, 1500, 1800, 2100, 2400, 2820, 3120, 3420, 3720,
                           4140, 4440, 4740, 5040, 5460, 5760, 6060, 6360, 6780, 7080, 7380, 7680};
    std::vector<Row> rows = {
        {WidgetName::Frame2, -1, WidgetKind::Frame, Parent::Window, 120, 120, 8175, 555, "Mode", Align::Left,
         FontRole::Dialog, false},
        {WidgetName::OptionMode, 0, WidgetKind::OptionButton, Parent::Frame2, 240, 240, 1635, 195, "Standard micro",
         Align::Left, FontRole::Dialog, false},
        {WidgetName::OptionMode, 1, WidgetKind::OptionButton, Parent::Frame2, 1860, 240, 1635, 195, "PIC 18F",
         Align::Left, FontRole::Dialog, true},
        {WidgetName::Frame1, -1, WidgetKind::Frame, Parent::Window, 120, 780, 8175, 1155,
         "Address bits ( 0 - 1 - X )", Align::Left, FontRole::Dialog, false},
    };
    for (int bit = 0; bit < kAddressBitCount; ++bit) {
        const int left = bit == 0 ? 7620 : lefts[23 - bit] + (bit >= 16 ? 60 : 0);
        rows.push_back({WidgetName::Label1, bit, WidgetKind::Label, Parent::Frame1, left, 300, bit == 0 ? 375 : 195,
                        255, "", Align::Centre, FontRole::Dialog, false});
    }
    for (int bit = 0; bit < kAddressBitCount; ++bit)
        rows.push_back({WidgetName::CommandAddressBits, bit, WidgetKind::Cell, Parent::Frame1, lefts[23 - bit], 600,
                        315, 315, "Label4", Align::Centre, FontRole::Cell, false});
    const std::vector<Row> configurations = {
        {WidgetName::Frame3, -1, WidgetKind::Frame, Parent::Window, 120, 2040, 8175, 975, "Configurations",
         Align::Left, FontRole::Dialog, false},
        {WidgetName::Label2, -1, WidgetKind::Label, Parent::Frame3, 240, 420, 1215, 255, "HEX address", Align::Right,
         FontRole::Dialog, false},
        {WidgetName::TextHexMin, -1, WidgetKind::TextBox, Parent::Frame3, 1560, 300, 2535, 405, "", Align::Left,
         FontRole::Box, false},
        {WidgetName::Label3, -1, WidgetKind::Label, Parent::Frame3, 4320, 360, 255, 255, " to", Align::Left,
         FontRole::Dialog, false},
        {WidgetName::TextHexMax, -1, WidgetKind::TextBox, Parent::Frame3, 4860, 300, 2535, 405, "", Align::Left,
         FontRole::Box, false},
    };
    rows.insert(rows.end(), configurations.begin(), configurations.end());
    return rows;
}

TEST(Layout, EveryRowAsDesigned)
{
    const std::vector<Row> rows = designedRows();
    ASSERT_EQ(rows.size(), Layout::kWidgets.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& want = rows[i];
        const Layout::WidgetSpec& got = Layout::kWidgets[i];
        const std::string where = std::string(Layout::widgetName(want.name)) + "(" + std::to_string(want.index) + ")";
        EXPECT_EQ(std::tie(got.name, got.index, got.kind, got.parent), std::tie(want.name, want.index, want.kind,
                                                                                 want.parent))
            << where;
        EXPECT_EQ(std::make_tuple(got.rect.left, got.rect.top, got.rect.width, got.rect.height),
                  std::make_tuple(want.left, want.top, want.width, want.height))
            << where;
        EXPECT_EQ(got.text, want.text) << where;
        EXPECT_EQ(got.align, want.align) << where;
        EXPECT_EQ(got.font, want.font) << where;
        EXPECT_EQ(got.selected, want.selected) << where;
    }
}

TEST(Layout, WindowFontsColoursAndTabOrderAsDesigned)
{
    EXPECT_EQ(Layout::kTitle, "Address range finder");
    EXPECT_EQ(std::make_pair(Layout::kClientWidth, Layout::kClientHeight), std::make_pair(8415, 3165));
    EXPECT_EQ(Layout::kCellFont.family, "MS Sans Serif");
    EXPECT_EQ(std::make_pair(Layout::kCellFont.pointSize, Layout::kCellFont.bold), std::make_pair(8.25, true));
    EXPECT_EQ(Layout::kBoxFont.family, "Courier New");
    EXPECT_EQ(std::make_pair(Layout::kBoxFont.pointSize, Layout::kBoxFont.bold), std::make_pair(15.75, true));
    EXPECT_EQ(Layout::kCellBackground, (Rgb{192, 192, 192}));
    EXPECT_EQ(Layout::kCellBorder, (Rgb{0, 0, 0}));
    EXPECT_EQ(Layout::kBoxTextColor, (Rgb{0, 0, 255}));
    const std::vector<std::pair<WidgetName, int>> order = {
        {WidgetName::OptionMode, 0}, {WidgetName::OptionMode, 1}, {WidgetName::TextHexMin, -1}, {WidgetName::TextHexMax, -1}};
    ASSERT_EQ(Layout::kTabOrder.size(), order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        EXPECT_EQ(std::make_pair(Layout::kTabOrder[i].name, int{Layout::kTabOrder[i].index}), order[i]) << i;
}

TEST(Layout, EveryWidgetFitsInsideItsParent)
{
    std::set<std::pair<Layout::WidgetName, std::int16_t>> seen;
    for (const auto& w : Layout::kWidgets) {
        EXPECT_TRUE(seen.insert({w.name, w.index}).second) << "duplicate row";
        const auto parent = Layout::parentRect(w.parent);
        EXPECT_GE(w.rect.left, 0);
        EXPECT_GE(w.rect.top, 0);
        EXPECT_LE(w.rect.left + w.rect.width, parent.width);
        EXPECT_LE(w.rect.top + w.rect.height, parent.height);
    }
    EXPECT_EQ(seen.size(), Layout::kWidgetCount);
}

TEST(Layout, TwipsScaleToPixelsByDpi)
{
    const std::tuple<int, int, int> cases[] = {
        {8415, 96, 561}, {3165, 96, 211}, {315, 96, 21}, {315, 144, 32}, {8415, 192, 1122}, {195, 120, 16},
    };
    for (const auto& [twips, dpi, pixels] : cases)
        EXPECT_EQ(Layout::twipsToPixels(twips, dpi), pixels) << twips << " twips at " << dpi;
}

// Edges rounded in the window's coordinates: at 144 dpi a cell's right and
// bottom edges fall on a half and round up, in the window and in its frame.
TEST(Layout, RowsScaleToPixelRectanglesByDpi)
{
    using Layout::PixelRect;
    const std::tuple<std::size_t, int, PixelRect, PixelRect> cases[] = {
        {28, 96, {520, 92, 21, 21}, {512, 40, 21, 21}}, // CommandAddressBits(0)
        {51, 144, {30, 138, 32, 32}, {18, 60, 32, 32}}, // CommandAddressBits(23)
        {51, 192, {40, 184, 42, 42}, {24, 80, 42, 42}},
        {0, 144, {12, 12, 818, 56}, {12, 12, 818, 56}}, // Frame2
        {53, 144, {36, 246, 122, 26}, {24, 42, 122, 26}}, // Label2
    };
    for (const auto& [row, dpi, window, inFrame] : cases) {
        const Layout::WidgetSpec& design = Layout::kWidgets.at(row);
        const std::string where = std::string(Layout::widgetName(design.name, design.index)) + " at " + std::to_string(dpi);
        EXPECT_TRUE(Layout::pixelRect(design, dpi) == window) << where;
        EXPECT_TRUE(Layout::pixelRectInParent(design, dpi) == inFrame) << where;
    }
}

} // namespace
