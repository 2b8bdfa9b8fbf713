// A full redraw of the USDA chart with 1000 samples into a window-sized image: what every paint
// and every step of a resize costs, in both layouts and both styles (the publication one with
// its samples in five groups).
#include "chart/drawchart.h"
#include "chart/paintertarget.h"
#include "scheme/schemefile.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <random>
#include <string>

namespace {

ChartModel SamplesChart(int triaxial, int publication) {
    ChartModel model;
    LoadSchemeFile(GRANUM_SCHEMES_DIR "/usda.dat", &model.mScheme);
    model.mMetadata = ReadSchemeFileMetadata(GRANUM_SCHEMES_DIR "/usda.dat");
    model.mbTriaxial = triaxial;
    model.mbPublication = publication;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> percent(0, 100);
    while (model.mPoints.size() < 1000) {
        const double x = percent(random);
        const double y = percent(random);
        if (x + y > 100)
            continue;
        model.mPoints.push_back({x, y});
        model.mLabels.push_back("S-" + std::to_string(model.mPoints.size()));
        model.mGroups.push_back(static_cast<int>(model.mPoints.size() % 5));
    }
    model.mGroupNames = {"A", "B", "C", "D", "E"};
    model.mGroupTitle = "Site";
    return model;
}

void BM_RedrawChart(benchmark::State& state) {
    static int argc = 1;
    static char name[] = "chart_bench";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication application(argc, argv);
    ChartModel model =
        SamplesChart(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    QImage image(900, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        PainterTarget target(painter, ChartFont(model));
        PaintChart(target, model, {0, 0, image.width(), image.height()});
    }
}

} // namespace

BENCHMARK(BM_RedrawChart)
    ->ArgNames({"triaxial", "publication"})
    ->Args({1, 0})
    ->Args({0, 0})
    ->Args({1, 1})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond);
