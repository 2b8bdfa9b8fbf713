// Classification alone, no I/O: blocks of stored g/kg pairs (as SoilGrids stores sand and clay)
// through the lookup table, and percent values through the cell path, in cells per second of one
// thread.
#include "scheme/blockclassifier.h"
#include "scheme/schemefile.h"

#include <benchmark/benchmark.h>
#include <random>
#include <vector>

namespace {

constexpr std::size_t kBlock = 512 * 512;

const soiltex& Usda() {
    static const soiltex scheme = [] {
        soiltex s;
        LoadSchemeFile(GRANUM_SCHEMES_DIR "/usda.dat", &s);
        return s;
    }();
    return scheme;
}

template <typename T> void Fill(std::vector<T>* sand, std::vector<T>* clay, double unit) {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> g(0, 1000);
    for (std::size_t i = 0; i < kBlock; ++i) {
        const int s = g(rng);
        (*sand)[i] = T(s * unit);
        (*clay)[i] = T(g(rng) * (1000 - s) / 1000 * unit);
    }
}

template <typename T> void Classify(benchmark::State& state, double scale) {
    std::array<StoredAxis, 3> axes{};
    axes[0].scale = axes[1].scale = scale;
    axes[2].present = false;
    BlockClassifier classifier(Usda(), axes, std::nullopt);
    std::vector<T> sand(kBlock), clay(kBlock);
    Fill(&sand, &clay, scale == 1 ? 0.1 : 1.0);
    std::vector<uint8_t> codes(kBlock);
    classifier.Classify(sand.data(), clay.data(), nullptr, kBlock, codes.data()); // the table
    for (auto _ : state) {
        classifier.Classify(sand.data(), clay.data(), nullptr, kBlock, codes.data());
        benchmark::DoNotOptimize(codes.data());
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(kBlock));
}

void RasterClassifyInt16GramsPerKg(benchmark::State& state) {
    Classify<int32_t>(state, 0.1);
}
void RasterClassifyFloatPercent(benchmark::State& state) {
    Classify<double>(state, 1);
}

} // namespace

BENCHMARK(RasterClassifyInt16GramsPerKg)->Unit(benchmark::kMillisecond);
BENCHMARK(RasterClassifyFloatPercent)->Unit(benchmark::kMillisecond);
