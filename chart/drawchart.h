#pragma once

#include "chart/drawtarget.h"

// Draws the chart of model into target, inside model.mChartRect. Expects the grey pen and brush
// and black text selected; leaves the black pen selected.
void DrawChart(DrawTarget& target, const ChartModel& model, const Pen& blackPen, const Pen& redPen);

// Everything one output of the chart does around DrawChart: sets mChartRect, fills it white,
// selects the chart's tools with pens of the given width and draws.
void PaintChart(DrawTarget& target, ChartModel& model, const ChartRect& rect, int penWidth = 1);
