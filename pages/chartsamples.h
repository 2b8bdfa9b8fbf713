#pragma once

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

class SampleSheet;

// The rows of a sheet that go onto the chart, with their labels.
struct ChartSamples {
    std::vector<std::pair<double, double>> points; // (x, y) in percent
    QStringList labels;                           // one a point
};

// Rows 1 to the last data row whose completed composition has every value at least 0 and sums
// to 100; each labelled with its Sample ID or, when that is empty, "no. " and its row number.
ChartSamples CollectChartSamples(const SampleSheet& sheet);
