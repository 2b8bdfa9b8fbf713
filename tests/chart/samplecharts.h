#pragma once

// Charts for tests: the USDA scheme in the mapping's worked example, with samples.
#include "chart/chartmodel.h"
#include "scheme/schemefile.h"

#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <string>

// The mapping's worked example: 600 by 400 at 96 dpi with the classic margins; with scheme set,
// the USDA chart with everything shown in the same rectangle.
inline ChartModel Chart(int triaxial, bool scheme = true) {
    ChartModel model;
    model.mChartRect = {0, 0, 600, 400};
    model.mbTriaxial = triaxial;
    model.mbAxisTitle = model.mbAxisValues = scheme;
    if (scheme) {
        EXPECT_EQ(LoadSchemeFile(GRANUM_SCHEMES_DIR "/usda.dat", &model.mScheme),
                  SchemeLoadStatus::Loaded);
    }
    return model;
}

// The 15 samples of the example file, or count random ones labelled "S1", "S2"...
inline void AddSamples(ChartModel* model, int count = 0) {
    std::ifstream file(GRANUM_TEST_DATA_DIR "/../../examples/samples.csv");
    std::string id, x, y;
    while (!count && std::getline(file, id, ',') && std::getline(file, x, ',') &&
           std::getline(file, y)) {
        model->mPoints.push_back({std::stod(x), std::stod(y)});
        model->mLabels.push_back(id);
    }
    std::mt19937 random(42);
    std::uniform_real_distribution<double> percent(0, 100);
    while (static_cast<int>(model->mPoints.size()) < count) {
        const double px = percent(random), py = percent(random);
        if (px + py <= 100) {
            model->mPoints.push_back({px, py});
            model->mLabels.push_back("S" + std::to_string(model->mPoints.size()));
        }
    }
}
