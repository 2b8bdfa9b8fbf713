#include "scheme/pointclassifier.h"
#include "scheme/samplelookup.h"
#include "scheme/schemefile.h"
#include "scheme/soiltex.h"

#include <benchmark/benchmark.h>

#include <random>
#include <stdexcept>
#include <vector>

namespace {

const soiltex& Usda() {
    static const soiltex scheme = [] {
        soiltex s;
        if (LoadSchemeFile(GRANUM_SCHEMES_DIR "/usda.dat", &s) != SchemeLoadStatus::Loaded)
            throw std::runtime_error("usda.dat did not load");
        return s;
    }();
    return scheme;
}

std::vector<Composition> RandomCompositions(std::size_t n) {
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<Composition> samples;
    for (std::size_t i = 0; i < n; ++i) {
        // Uniform over the triangle: fold the unit square's upper half back onto it.
        double a = unit(rng) * 100, b = unit(rng) * 100;
        if (a + b > 100) {
            a = 100 - a;
            b = 100 - b;
        }
        samples.push_back({a, b, 100 - a - b});
    }
    return samples;
}

} // namespace

// The lookup as the sheet calls it: the validity check of the scheme runs at every call.
static void BM_PointLookupWithValidityCheck(benchmark::State& state) {
    const soiltex& scheme = Usda();
    const std::vector<Composition> samples = RandomCompositions(1024);
    std::size_t i = 0;
    for (auto _ : state) {
        const Composition& c = samples[i++ % samples.size()];
        benchmark::DoNotOptimize(scheme.PointLookup(c.x, c.y, c.z));
    }
}
BENCHMARK(BM_PointLookupWithValidityCheck);

static void BM_IsValidScheme(benchmark::State& state) {
    const soiltex& scheme = Usda();
    for (auto _ : state)
        benchmark::DoNotOptimize(scheme.IsValidScheme());
}
BENCHMARK(BM_IsValidScheme);

// The batch path: validity checked once, then only point location and border rules.
static void BM_PointClassifier(benchmark::State& state) {
    const soiltex& scheme = Usda();
    PointClassifier classifier(scheme);
    const std::vector<Composition> samples = RandomCompositions(1024);
    std::size_t i = 0;
    for (auto _ : state) {
        const Composition& c = samples[i++ % samples.size()];
        benchmark::DoNotOptimize(classifier.Classify(c.x, c.y, c.z).data());
    }
}
BENCHMARK(BM_PointClassifier);
