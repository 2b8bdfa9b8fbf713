#pragma once

#include "chart/chartmodel.h"

class QPrinter;

// Prints the chart on one page of printer, laid out in the middle two thirds of the printable
// area in each direction, with an 8-point font and 1-point pens at the printer's resolution.
// A failed print job is given up silently; model.mChartRect is always as it was before.
void PrintChart(ChartModel& model, QPrinter& printer);
