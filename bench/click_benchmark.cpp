// The cost of one click's work, cell step plus range recomputation, against
// an in-memory window that only stores what it is given.
#include "mainform.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace {

class MemoryForm final : public MainForm {
public:
    std::array<std::string, 24> cells;
    std::array<Rgb, 24> colors{};
    std::array<std::string, 24> captions;
    std::array<std::string, 2> boxes;

    ShortText cellCaption(std::int16_t index) const override { return std::string_view(cells[index]); }
    void setCellCaption(std::int16_t index, std::string_view text) override { cells[index] = text; }
    void setCellForeColor(std::int16_t index, Rgb color) override { colors[index] = color; }
    void setBitNumberCaption(std::int16_t index, std::string_view text) override { captions[index] = text; }
    void setOutputText(OutputBox box, std::string_view text) override
    {
        boxes[box == OutputBox::TextHexMin ? 0 : 1] = text;
    }
};

void BM_Click(benchmark::State& state)
{
    MemoryForm form;
    form.Form_Load();
    std::int16_t bit = 0;
    for (auto _ : state) {
        form.CommandAddressBits_Click(bit);
        bit = static_cast<std::int16_t>((bit + 7) % 24);
        benchmark::DoNotOptimize(form.boxes);
    }
    state.counters["clicks/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Click);

} // namespace

BENCHMARK_MAIN();
