// Drives the handlers with random clicks and mode switches and checks the
// whole window after each step against a model built on bit masks alone.
#include "fakeform.h"
#include "referencemodel.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace {

TEST(RandomUse, WindowAlwaysMatchesReferenceModel)
{
    const std::uint32_t seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> action(0, 29); // 24 cells, some mode switches

    FakeForm form;
    form.Form_Load();
    ReferenceModel ref;
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
        for (int bit = 0; bit < kAddressBitCount; ++bit) {
            ASSERT_EQ(form.cells.at(bit), ref.text(bit)) << "step " << step << " bit " << bit;
            ASSERT_EQ(form.colors.at(bit), ref.color(bit)) << "step " << step << " bit " << bit;
            ASSERT_EQ(form.captions.at(bit), ref.caption(bit)) << "step " << step << " bit " << bit;
        }
        ASSERT_EQ(form.hexMin, ref.minimum()) << "step " << step;
        ASSERT_EQ(form.hexMax, ref.maximum()) << "step " << step;
    }
}

} // namespace
