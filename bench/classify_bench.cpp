// The stages of `granum-cli classify` one at a time, in memory: what each costs a row, apart
// from process start and disk (bench/classify_throughput.sh measures the whole run).
#include "cli/classifycommand.h"
#include "cli/rowclassifier.h"
#include "samples/samplereader.h"
#include "samples/samplewriter.h"
#include "scheme/cellclassifier.h"
#include "scheme/samplelookup.h"
#include "scheme/schemefile.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

constexpr std::size_t kRows = 100000;

// The scheme a classify run takes when none is named.
soiltex LoadUsda() {
    soiltex scheme;
    std::string reason;
    if (LoadSchemeFile(GRANUM_SCHEMES_DIR "/usda.dat", &scheme, &reason) !=
        SchemeLoadStatus::Loaded)
        throw std::runtime_error("usda.dat: " + reason);
    return scheme;
}

const soiltex& Usda() {
    static const soiltex scheme = LoadUsda();
    return scheme;
}

// Sample-file lines as bench/make_samples.py writes them: uniform over the triangle, two
// decimals adding up to 100.
const std::string& SampleText() {
    static const std::string text = [] {
        std::mt19937 rng(42);
        std::uniform_int_distribution<int> hundredths(0, 10000);
        std::string out;
        char line[64];
        for (std::size_t i = 0; i < kRows; ++i) {
            int a = hundredths(rng), b = hundredths(rng);
            if (a + b > 10000) {
                a = 10000 - a;
                b = 10000 - b;
            }
            const int c = 10000 - a - b;
            std::snprintf(line, sizeof line, "S%zu,%d.%02d,%d.%02d,%d.%02d\n", i + 1, a / 100,
                          a % 100, b / 100, b % 100, c / 100, c % 100);
            out += line;
        }
        return out;
    }();
    return text;
}

class NullOutput : public OutputSink {
public:
    void Write(const char* data, std::size_t size) override {
        benchmark::DoNotOptimize(data);
        benchmark::DoNotOptimize(size);
    }
};

void CountRows(benchmark::State& state) {
    state.SetItemsProcessed(std::int64_t(state.iterations() * kRows));
}

} // namespace

static void BM_ReadRecords(benchmark::State& state) {
    const std::string& text = SampleText();
    for (auto _ : state) {
        TextInput input(text);
        SampleReader reader(input);
        reader.SetFieldLimit(4);
        while (reader.Next())
            benchmark::DoNotOptimize(reader.Fields().data());
    }
    CountRows(state);
}
BENCHMARK(BM_ReadRecords);

static void BM_FieldValues(benchmark::State& state) {
    const std::string& text = SampleText();
    TextInput input(text);
    SampleReader reader(input);
    std::vector<std::string> fields;
    while (reader.Next() && fields.size() < 3 * 1024) {
        for (std::size_t i = 1; i < 4; ++i)
            fields.emplace_back(reader.Field(i));
    }
    for (auto _ : state) {
        for (std::size_t i = 0; i < kRows; ++i)
            benchmark::DoNotOptimize(FieldValue(fields[i % fields.size()]));
    }
    state.SetItemsProcessed(std::int64_t(state.iterations() * kRows)); // fields, not rows
}
BENCHMARK(BM_FieldValues);

static void BM_AppendTexture(benchmark::State& state) {
    CellClassifier classifier(Usda());
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> unit(0, 100);
    std::vector<Composition> samples;
    for (std::size_t i = 0; i < kRows; ++i) {
        double a = unit(rng), b = unit(rng);
        if (a + b > 100) {
            a = 100 - a;
            b = 100 - b;
        }
        samples.push_back({a, b, 100 - a - b});
    }
    std::string texture;
    for (auto _ : state) {
        for (const Composition& c : samples) {
            texture.clear();
            classifier.AppendTexture(c.x, c.y, c.z, &texture);
        }
        benchmark::DoNotOptimize(texture.data());
    }
    CountRows(state);
}
BENCHMARK(BM_AppendTexture);

static void BM_BuildGrid(benchmark::State& state) {
    for (auto _ : state) {
        CellClassifier classifier(Usda(), SchemeCheck::AlreadyDone);
        benchmark::DoNotOptimize(&classifier);
    }
}
BENCHMARK(BM_BuildGrid)->Unit(benchmark::kMillisecond);

static void BM_WriteRecords(benchmark::State& state) {
    const std::string& text = SampleText();
    NullOutput output;
    for (auto _ : state) {
        SampleWriter writer(output);
        for (std::size_t begin = 0; begin < text.size();) {
            const std::size_t end = text.find('\n', begin);
            writer.RawFields(std::string_view(text).substr(begin, end - begin));
            writer.Field("Sandy Clay Loam");
            writer.EndRecord();
            begin = end + 1;
        }
        writer.Flush();
    }
    CountRows(state);
}
BENCHMARK(BM_WriteRecords);

// The whole run but the files: read, classify and write every row.
static void BM_ClassifyStream(benchmark::State& state) {
    const std::string& text = SampleText();
    CellClassifier classifier(Usda());
    ClassifyOptions options;
    options.quiet = true;
    NullOutput output;
    std::ostringstream err;
    for (auto _ : state) {
        TextInput input(text);
        ClassifyStream(Usda(), classifier, input, output, options, err);
    }
    CountRows(state);
}
BENCHMARK(BM_ClassifyStream);
