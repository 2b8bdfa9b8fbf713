#pragma once

#include "chart/drawtarget.h"

// The device point of composition (x, y) in percent, laid out in model.mChartRect in the
// model's layout; points outside the triangle are mapped the same way.
DevicePoint ChartToDevice(const DeviceResolution& target, const ChartModel& model, double x,
                          double y);

// The composition (x, y) at a device point: the inverse of ChartToDevice, without rounding.
point DeviceToChart(const DeviceResolution& target, const ChartModel& model, DevicePoint device);
