#pragma once

#include "pages/pagechart.h"

class SampleSheet;

// The chart data of a sheet: rows 1 to the last data row whose completed composition has every
// value at least 0 and sums to 100, each labelled with its Sample ID or, when that is empty,
// "no. " and its row number.
ChartData CollectChartSamples(const SampleSheet& sheet);
