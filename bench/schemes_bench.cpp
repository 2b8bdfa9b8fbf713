// Classification throughput of every bundled scheme (schemes/*.dat, listed at start-up), for
// uniformly random compositions: through the batch classifier that granum-cli classify uses, and
// through PointClassifier, whose cost grows with the number of classes.
//
//   build/bench/schemes_bench --benchmark_filter=Batch
#include "scheme/cellclassifier.h"
#include "scheme/pointclassifier.h"
#include "scheme/schemefile.h"
#include "scheme/soiltex.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

struct Sample {
    double x, y, z;
};

const std::vector<Sample>& RandomSamples() {
    static const std::vector<Sample> samples = [] {
        std::mt19937 rng(42);
        std::uniform_real_distribution<double> unit(0, 100);
        std::vector<Sample> out;
        for (int i = 0; i < 4096; ++i) {
            // Uniform over the triangle: fold the square's upper half back onto it.
            double a = unit(rng), b = unit(rng);
            if (a + b > 100) {
                a = 100 - a;
                b = 100 - b;
            }
            out.push_back({a, b, 100 - a - b});
        }
        return out;
    }();
    return samples;
}

// Classifies the samples in turn, one per iteration, with the classifier that Make builds for
// the scheme and Classify runs.
template <class Make, class Classify>
void Throughput(benchmark::State& state, const std::string& path, Make make, Classify classify) {
    soiltex scheme;
    if (LoadSchemeFile(path, &scheme) != SchemeLoadStatus::Loaded) {
        state.SkipWithError("the scheme did not load");
        return;
    }
    auto classifier = make(scheme);
    const std::vector<Sample>& samples = RandomSamples();
    std::size_t i = 0;
    for (auto _ : state)
        classify(classifier, samples[i++ % samples.size()]);
    state.SetItemsProcessed(state.iterations());
    state.counters["classes"] = scheme.GetClassCount();
}

void BatchClassify(benchmark::State& state, const std::string& path) {
    std::string text;
    Throughput(
        state, path, [](const soiltex& s) { return CellClassifier(s); },
        [&text](CellClassifier& c, const Sample& s) {
            text.clear();
            benchmark::DoNotOptimize(c.AppendTexture(s.x, s.y, s.z, &text));
        });
}

void PointClassify(benchmark::State& state, const std::string& path) {
    Throughput(
        state, path, [](const soiltex& s) { return PointClassifier(s); },
        [](PointClassifier& c, const Sample& s) {
            benchmark::DoNotOptimize(c.Classify(s.x, s.y, s.z).data());
        });
}

const bool kRegistered = [] {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(GRANUM_SCHEMES_DIR))
        if (entry.path().extension() == ".dat")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const std::filesystem::path& file : files) {
        const std::string id = file.stem().string(), path = file.string();
        benchmark::RegisterBenchmark(("Batch/" + id).c_str(), BatchClassify, path);
        benchmark::RegisterBenchmark(("Point/" + id).c_str(), PointClassify, path);
    }
    return true;
}();

} // namespace
