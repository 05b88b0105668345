#include "fakeform.h"
#include "layout.h"
#include "module1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <tuple>

namespace {

constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlack{0, 0, 0};

FakeForm loadedForm()
{
    FakeForm form;
    form.Form_Load();
    return form;
}

TEST(FormLoad, StartsEveryRunInTheSameState)
{
    const FakeForm form = loadedForm();
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(form.cells.at(i), "0") << i;
        EXPECT_EQ(form.colors.at(i), kBlue) << i;
    }
    EXPECT_EQ(form.captions.at(0), "BA0");
    EXPECT_EQ(form.captions.at(1), "0");
    EXPECT_EQ(form.captions.at(23), "22");
    EXPECT_EQ(form.hexMin, "0x0");
    EXPECT_EQ(form.hexMax, "0x0");
    // The boxes are filled last, after the cells they are computed from.
    ASSERT_GE(form.log.size(), 2u);
    EXPECT_EQ(form.log.at(form.log.size() - 2), "min");
    EXPECT_EQ(form.log.back(), "max");
}

TEST(CommandAddressBitsClick, TopCellCyclesThroughItsStates)
{
    struct Expect {
        const char* text;
        Rgb color;
        const char* min;
        const char* max;
    };
    const Expect clicks[] = {
        {"1", kRed, "0x800000", "0x800000"},
        {"X", kBlack, "0x0", "0x800000"},
        {"0", kBlue, "0x0", "0x0"},
        {"1", kRed, "0x800000", "0x800000"},
    };
    FakeForm form = loadedForm();
    int n = 0;
    for (const Expect& e : clicks) {
        form.CommandAddressBits_Click(23);
        ++n;
        EXPECT_EQ(form.cells.at(23), e.text) << "click " << n;
        EXPECT_EQ(form.colors.at(23), e.color) << "click " << n;
        EXPECT_EQ(form.hexMin, e.min) << "click " << n;
        EXPECT_EQ(form.hexMax, e.max) << "click " << n;
    }
}

TEST(CommandAddressBitsClick, InertCellStillRewritesBothBoxes)
{
    for (const char* inert : {"Label4", "x"}) {
        FakeForm form = loadedForm();
        form.cells.at(5) = inert;
        form.hexMin = form.hexMax = "stale";
        form.log.clear();

        form.CommandAddressBits_Click(5);

        EXPECT_EQ(form.cells.at(5), inert);
        EXPECT_EQ(form.hexMin, "0x0") << inert;
        EXPECT_EQ(form.hexMax, "0x0") << inert;
        EXPECT_EQ(form.log, (std::vector<std::string>{"min", "max"})) << inert;
    }
}

TEST(OptionModeClick, RenumbersCaptionsOnly)
{
    FakeForm form = loadedForm();
    for (std::int16_t bit : {23, 12, 12, 0})
        form.CommandAddressBits_Click(bit);
    const auto cells = form.cells;
    const auto colors = form.colors;
    const std::string min = form.hexMin;
    const std::string max = form.hexMax;

    const std::pair<std::int16_t, const char*> switches[] = {{0, "23"}, {1, "22"}, {0, "23"}};
    for (const auto& [mode, leftmost] : switches) {
        form.log.clear();
        form.OptionMode_Click(mode);
        EXPECT_EQ(form.captions.at(23), leftmost) << "mode " << mode;
        EXPECT_EQ(form.captions.at(0), mode == 0 ? "0" : "BA0");
        EXPECT_TRUE(std::all_of(form.log.begin(), form.log.end(),
                                [](const std::string& entry) { return entry.rfind("caption ", 0) == 0; }));
        EXPECT_EQ(form.cells, cells);
        EXPECT_EQ(form.colors, colors);
        EXPECT_EQ(form.hexMin, min);
        EXPECT_EQ(form.hexMax, max);
    }
}

const Layout::WidgetSpec& row(Layout::WidgetName name, std::int16_t index)
{
    const auto it = std::find_if(Layout::kWidgets.begin(), Layout::kWidgets.end(),
                                 [&](const Layout::WidgetSpec& w) { return w.name == name && w.index == index; });
    if (it == Layout::kWidgets.end())
        throw std::out_of_range("no such widget");
    return *it;
}

TEST(Layout, CellsStandInSixGroupsOfFour)
{
    const int lefts[24] = {180,  480,  780,  1080, 1500, 1800, 2100, 2400, 2820, 3120, 3420, 3720,
                           4140, 4440, 4740, 5040, 5460, 5760, 6060, 6360, 6780, 7080, 7380, 7680};
    for (std::int16_t bit = 0; bit < 24; ++bit) {
        const auto& cell = row(Layout::WidgetName::CommandAddressBits, bit);
        EXPECT_EQ(cell.rect.left, lefts[23 - bit]) << "cell " << bit;
        EXPECT_EQ(cell.rect.top, 600);
        EXPECT_EQ(cell.rect.width, 315);
        EXPECT_EQ(cell.parent, Layout::Parent::Frame1);
        EXPECT_EQ(cell.text, "Label4");
    }
}

TEST(Layout, CaptionsStandOverTheirCells)
{
    for (std::int16_t bit = 0; bit < 24; ++bit) {
        const auto& caption = row(Layout::WidgetName::Label1, bit).rect;
        const auto& cell = row(Layout::WidgetName::CommandAddressBits, bit).rect;
        const int offset = bit >= 16 ? 60 : 0;
        if (bit == 0) {
            EXPECT_EQ(caption.left, 7620);
            EXPECT_EQ(caption.width, 375);
        } else {
            EXPECT_EQ(caption.left, cell.left + offset) << "caption " << bit;
            EXPECT_EQ(caption.width, 195);
        }
        // Each caption's centre stands over its own cell and no other.
        const int centre = caption.left + caption.width / 2;
        for (std::int16_t other = 0; other < 24; ++other) {
            const auto& r = row(Layout::WidgetName::CommandAddressBits, other).rect;
            const bool above = r.left <= centre && centre < r.left + r.width;
            EXPECT_EQ(above, other == bit) << "caption " << bit << " vs cell " << other;
        }
    }
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

TEST(Layout, PicModeIsTheSelectedButtonAtCreation)
{
    EXPECT_FALSE(row(Layout::WidgetName::OptionMode, 0).selected);
    EXPECT_TRUE(row(Layout::WidgetName::OptionMode, 1).selected);
    EXPECT_EQ(row(Layout::WidgetName::OptionMode, 1).text, "PIC 18F");
}

TEST(Layout, TwipsScaleToPixelsByDpi)
{
    const std::tuple<int, int, int> cases[] = {
        {8415, 96, 561}, {3165, 96, 211}, {315, 96, 21}, {315, 144, 32}, {8415, 192, 1122}, {195, 120, 16},
    };
    for (const auto& [twips, dpi, pixels] : cases)
        EXPECT_EQ(Layout::twipsToPixels(twips, dpi), pixels) << twips << " twips at " << dpi;
}

} // namespace
