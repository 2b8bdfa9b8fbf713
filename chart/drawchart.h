#pragma once

#include "chart/drawtarget.h"

// Draws the chart of model into target, inside model.mChartRect. Expects the grey pen and brush
// and black text selected; leaves the black pen selected. Draws nothing and returns false when
// the rectangle has no room for the triangle at the target's resolution (LayOutChart).
bool DrawChart(DrawTarget& target, const ChartModel& model, const Pen& blackPen, const Pen& redPen);

// Everything one output of the chart does around DrawChart: sets mChartRect, fills it white,
// selects the chart's tools with pens of the given width and draws. A width of 0 is one pixel of
// a 96-dpi screen at the target's resolution. Returns what DrawChart returns.
bool PaintChart(DrawTarget& target, ChartModel& model, const ChartRect& rect, int penWidth = 0);
