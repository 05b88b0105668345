#include "fakeform.h"
#include "referencemodel.h"
#include "module1.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

struct RangeCase {
    const char* name;
    const char* screen; // bit 23 first
    const char* min;
    const char* max;

    friend void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.name; }
};

class RangeTest : public testing::TestWithParam<RangeCase> {};

TEST_P(RangeTest, BoxesShowLowestAndHighestMatch)
{
    const RangeCase& c = GetParam();
    FakeForm form;
    form.setPattern(c.screen);
    Module1::RecalculateAddressRange(form);
    EXPECT_EQ(form.hexMin, c.min);
    EXPECT_EQ(form.hexMax, c.max);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, RangeTest,
    testing::Values(
        RangeCase{"AllZero", "000000000000000000000000", "0x0", "0x0"},
        RangeCase{"AllFree", "XXXXXXXXXXXXXXXXXXXXXXXX", "0x0", "0xFFFFFF"},
        RangeCase{"AllOne", "111111111111111111111111", "0xFFFFFF", "0xFFFFFF"},
        RangeCase{"TopBitOne", "100000000000000000000000", "0x800000", "0x800000"},
        RangeCase{"BottomBitFree", "00000000000000000000000X", "0x0", "0x1"},
        RangeCase{"LowNibbleOne", "000000000000000000001111", "0xF", "0xF"},
        RangeCase{"TopBitFree", "X00000000000000000000000", "0x0", "0x800000"},
        RangeCase{"Mixed", "1X0000000000101X0000X001", "0x800A01", "0xC00B09"},
        RangeCase{"PlaceholdersIgnored", "????????????????????????", "0x0", "0x0"},
        RangeCase{"LowerCaseXIgnored", "x0000000000000000000000x", "0x0", "0x0"},
        RangeCase{"InertAmongLive", "1?x00000000000000000000X", "0x800000", "0x800001"}),
    [](const testing::TestParamInfo<RangeCase>& info) { return info.param.name; });

TEST(RecalculateAddressRange, WritesMinimumBeforeMaximumAndNothingElse)
{
    FakeForm form;
    form.setPattern("000000000000000000000000");
    Module1::RecalculateAddressRange(form);
    EXPECT_EQ(form.log, (std::vector<std::string>{"min", "max"}));
}

struct StepCase {
    const char* name;
    const char* before;
    const char* after;
    std::optional<Rgb> color; // nullopt: no colour written

    friend void PrintTo(const StepCase& c, std::ostream* os) { *os << c.name; }
};

class AdvanceCellTest : public testing::TestWithParam<StepCase> {};

TEST_P(AdvanceCellTest, StepsOnlyTheClickedCell)
{
    const StepCase& c = GetParam();
    for (std::int16_t index : {0, 7, 23}) {
        FakeForm form;
        form.setPattern("X1X1X1X1X1X1X1X1X1X1X1X1");
        const auto others = form.cells;
        form.cells.at(index) = c.before;

        Module1::AdvanceCell(form, index);

        EXPECT_EQ(form.cells.at(index), c.after) << "cell " << index;
        EXPECT_EQ(form.colors.at(index), c.color) << "cell " << index;
        for (std::int16_t other = 0; other < kAddressBitCount; ++other) {
            if (other != index) {
                EXPECT_EQ(form.cells.at(other), others.at(other));
                EXPECT_FALSE(form.colors.at(other).has_value());
            }
        }
        EXPECT_EQ(form.hexMin, "") << "advancing computes nothing";
    }
}

INSTANTIATE_TEST_SUITE_P(
    States, AdvanceCellTest,
    testing::Values(StepCase{"ZeroToOneRed", "0", "1", Rgb{255, 0, 0}},
                    StepCase{"OneToFreeBlack", "1", "X", Rgb{0, 0, 0}},
                    StepCase{"FreeToZeroBlue", "X", "0", Rgb{0, 0, 255}},
                    StepCase{"PlaceholderStays", "Label4", "Label4", std::nullopt},
                    StepCase{"LowerCaseXStays", "x", "x", std::nullopt},
                    StepCase{"EmptyStays", "", "", std::nullopt},
                    StepCase{"PaddedZeroStays", "0 ", "0 ", std::nullopt},
                    StepCase{"LongTextStartingWithZeroStays", "0000000000000000000", "0000000000000000000",
                             std::nullopt}),
    [](const testing::TestParamInfo<StepCase>& info) { return info.param.name; });

TEST(AdvanceCell, IndexOutsideTheCellsTouchesNothing)
{
    for (std::int16_t index : {std::int16_t{-1}, std::int16_t{24}, std::numeric_limits<std::int16_t>::min(),
                               std::numeric_limits<std::int16_t>::max()}) {
        FakeForm form;
        form.setPattern("000000000000000000000000");
        Module1::AdvanceCell(form, index);
        EXPECT_TRUE(form.log.empty()) << "index " << index;
    }
}

TEST(FormatAddress, UpperCaseHexWithoutLeadingZeros)
{
    const std::pair<std::int32_t, const char*> cases[] = {
        {0, "0x0"},          {1, "0x1"},
        {15, "0xF"},         {16, "0x10"},
        {0xABCDEF, "0xABCDEF"}, {0x800000, "0x800000"},
        {0xFFFFFF, "0xFFFFFF"}, {std::numeric_limits<std::int32_t>::max(), "0x7FFFFFFF"},
        {-1, "0xFFFFFFFF"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(Module1::FormatAddress(value).view(), text) << value;
}

std::array<std::string, kAddressBitCount> captions(bool standard)
{
    ReferenceModel ref;
    ref.standardNumbering = standard;
    std::array<std::string, kAddressBitCount> texts;
    for (int bit = 0; bit < kAddressBitCount; ++bit)
        texts.at(bit) = ref.caption(bit);
    return texts;
}

TEST(SetBitNumberLabels, EveryCallRewritesAllCaptions)
{
    struct Step {
        ModeIndex mode;
        std::array<std::string, kAddressBitCount> expected;
    };
    const Step steps[] = {
        {0, captions(true)}, {1, captions(false)}, {0, captions(true)},
        {2, captions(false)}, {0, captions(true)}, {-1, captions(false)},
        {std::numeric_limits<ModeIndex>::max(), captions(false)},
        {std::numeric_limits<ModeIndex>::min(), captions(false)},
    };
    FakeForm form;
    form.captions.fill("stale");
    for (const Step& step : steps) {
        form.log.clear();
        Module1::SetBitNumberLabels(form, step.mode);
        EXPECT_EQ(form.captions, step.expected) << "mode " << step.mode;
        EXPECT_EQ(form.log.size(), std::size_t{kAddressBitCount}) << "mode " << step.mode;
    }
}

} // namespace
