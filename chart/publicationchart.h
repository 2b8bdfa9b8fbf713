#pragma once

#include "chart/drawtarget.h"

// Draws the publication style of model into target, inside model.mChartRect, its lines penWidth
// logical units wide (a hairline's width on the target). Draws nothing and returns false when
// the rectangle has no room for the triangle (LayOutPublication).
bool DrawPublicationChart(DrawTarget& target, const ChartModel& model, int penWidth);
