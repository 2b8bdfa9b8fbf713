#include "cli/schemereport.h"
#include "scheme/cellclassifier.h"
#include "scheme/pointclassifier.h"
#include "scheme/samplelookup.h"
#include "scheme/schemefile.h"
#include "scheme/soiltex.h"

#include <benchmark/benchmark.h>
#include <random>
#include <sstream>
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

namespace {

// The triangle cut into n * n small triangles of side 100 / n, one class each (1024 for n = 32):
// a large scheme whose every edge is shared, as in the finest national schemes.
const soiltex& Mesh() {
    static const soiltex scheme = [] {
        constexpr int n = 32;
        constexpr double step = 100.0 / n;
        std::ostringstream text;
        text << "[texture]\nMesh\nx\ny\nz\n";
        int id = 0;
        const auto add = [&](double x0, double y0, double x1, double y1, double x2, double y2) {
            ++id;
            text << "C" << id << "\n"
                 << id << "\n"
                 << x0 << " " << y0 << " " << x1 << " " << y1 << " " << x2 << " " << y2 << "\n#\n";
        };
        for (int i = 0; i < n; ++i) {
            for (int j = 0; i + j < n; ++j) {
                add(i * step, j * step, (i + 1) * step, j * step, i * step, (j + 1) * step);
                if (i + j + 1 < n)
                    add((i + 1) * step, j * step, (i + 1) * step, (j + 1) * step, i * step,
                        (j + 1) * step);
            }
        }
        std::stringstream stream(text.str());
        soiltex s;
        s.LoadScheme(stream);
        if (!s.IsValidScheme())
            throw std::runtime_error("the mesh scheme is not valid");
        return s;
    }();
    return scheme;
}

} // namespace

// granum-cli check on a scheme of 1024 classes: validity, overlaps, the tenth-percent grid.
static void BM_CheckThousandClasses(benchmark::State& state) {
    const soiltex& scheme = Mesh();
    for (auto _ : state)
        benchmark::DoNotOptimize(InspectScheme(scheme).gridPoints);
}
BENCHMARK(BM_CheckThousandClasses)->Unit(benchmark::kMillisecond);

static void BM_IsValidSchemeThousandClasses(benchmark::State& state) {
    const soiltex& scheme = Mesh();
    for (auto _ : state)
        benchmark::DoNotOptimize(scheme.IsValidScheme());
}
BENCHMARK(BM_IsValidSchemeThousandClasses)->Unit(benchmark::kMillisecond);

// Building the batch classifier's grid, which every classify run and every check pays once.
static void BM_CellClassifierBuild(benchmark::State& state) {
    const soiltex& scheme = state.range(0) == 0 ? Usda() : Mesh();
    for (auto _ : state) {
        CellClassifier cells(scheme, SchemeCheck::AlreadyDone);
        benchmark::DoNotOptimize(cells.StoredCells());
    }
}
BENCHMARK(BM_CellClassifierBuild)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The batch classifier per composition, USDA (0) and the mesh (1).
static void BM_CellClassifier(benchmark::State& state) {
    const soiltex& scheme = state.range(0) == 0 ? Usda() : Mesh();
    CellClassifier cells(scheme, SchemeCheck::AlreadyDone);
    const std::vector<Composition> samples = RandomCompositions(1024);
    std::size_t i = 0;
    for (auto _ : state) {
        const Composition& c = samples[i++ % samples.size()];
        benchmark::DoNotOptimize(cells.Classify(c.x, c.y, c.z).data());
    }
}
BENCHMARK(BM_CellClassifier)->Arg(0)->Arg(1);
