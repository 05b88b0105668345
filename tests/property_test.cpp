// Drives the handlers with random clicks and mode switches and checks the
// whole window after each step against a model built on bit masks alone.
#include "fakeform.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace {

struct Reference {
    std::uint32_t ones = 0;
    std::uint32_t frees = 0;
    bool standardNumbering = false;

    void click(int bit)
    {
        const std::uint32_t mask = 1u << bit;
        if (ones & mask) {
            ones &= ~mask;
            frees |= mask;
        } else if (frees & mask) {
            frees &= ~mask;
        } else {
            ones |= mask;
        }
    }

    std::string text(int bit) const
    {
        const std::uint32_t mask = 1u << bit;
        return (ones & mask) ? "1" : (frees & mask) ? "X" : "0";
    }

    Rgb color(int bit) const
    {
        const std::uint32_t mask = 1u << bit;
        return (ones & mask) ? Rgb{255, 0, 0} : (frees & mask) ? Rgb{0, 0, 0} : Rgb{0, 0, 255};
    }

    std::string caption(int bit) const
    {
        if (standardNumbering)
            return std::to_string(bit);
        return bit == 0 ? "BA0" : std::to_string(bit - 1);
    }

    static std::string hex(std::uint32_t value)
    {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "0x%X", static_cast<unsigned>(value));
        return buffer;
    }
};

TEST(RandomUse, WindowAlwaysMatchesReferenceModel)
{
    const std::uint32_t seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> action(0, 29); // 24 cells, some mode switches

    FakeForm form;
    form.Form_Load();
    Reference ref;
    for (int step = 0; step < 5000; ++step) {
        const int a = action(rng);
        if (a < 24) {
            form.CommandAddressBits_Click(static_cast<std::int16_t>(a));
            ref.click(a);
        } else {
            const std::int16_t mode = a % 3 == 0 ? 0 : static_cast<std::int16_t>(a - 24);
            form.OptionMode_Click(mode);
            ref.standardNumbering = mode == 0;
        }
        for (int bit = 0; bit < 24; ++bit) {
            ASSERT_EQ(form.cells.at(bit), ref.text(bit)) << "step " << step << " bit " << bit;
            ASSERT_EQ(form.colors.at(bit), ref.color(bit)) << "step " << step << " bit " << bit;
            ASSERT_EQ(form.captions.at(bit), ref.caption(bit)) << "step " << step << " bit " << bit;
        }
        ASSERT_EQ(form.hexMin, Reference::hex(ref.ones)) << "step " << step;
        ASSERT_EQ(form.hexMax, Reference::hex(ref.ones | ref.frees)) << "step " << step;
    }
}

} // namespace
