#include "fakeform.h"
#include "layout.h"
#include "module1.h"

#include <gtest/gtest.h>

#include <algorithm>

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
    for (int i = 0; i < kAddressBitCount; ++i) {
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

} // namespace
