#pragma once

#include "chart/drawtarget.h"

#include <string>
#include <vector>

// Where a text goes against its anchor: across, the anchor is at its left end, middle or right
// end; down, at its top, half height or bottom.
enum class Across { Left, Centre, Right };
enum class Down { Top, Middle, Bottom };

// A text's rectangle in logical units; right and bottom exclusive.
struct TextBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool Overlaps(const TextBox& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    bool Inside(const ChartRect& r) const {
        return left >= r.left && top >= r.top && right <= r.right && bottom <= r.bottom;
    }
};

// The box of a text of the given size placed against anchor as the alignment says (half sizes
// by truncating division).
TextBox PlaceText(DevicePoint anchor, TextSize size, Across across, Down down);

// A text anchored at a composition point: an axis value or an axis title.
struct AxisText {
    double x;
    double y;
    std::string text;
    Across across;
    Down down;
};

// The axis values and titles the model's view flags show, in drawing order: every value (0 to
// 100 by 10, z only in the tri-axial layout), then the titles.
std::vector<AxisText> AxisTexts(const ChartModel& model);

// The triangle's place in a chart: its rectangle, layout, and side and height in logical units
// (equal in the bi-axial layout, which fills a square).
struct ChartLayout {
    ChartRect rect;
    bool triaxial = true;
    int side = 0;
    int height = 0;
    // False when the rectangle is too small for the triangle and its axis texts at this
    // resolution: nothing is drawn then.
    bool fits = false;
};

// Lays the chart of model out in model.mChartRect (the publication style: LayOutPublication).
// The classic triangle takes the classic size (60
// points of room across and 100 down) when the axis titles and values shown fit beside it, and
// the largest smaller one that keeps them all inside the rectangle otherwise. The smallest
// triangle is ten text lines high, so that its axis values never run into each other.
ChartLayout LayOutChart(const DeviceResolution& target, const ChartModel& model);

// The device point of composition (x, y) in percent; points outside the triangle are mapped the
// same way.
DevicePoint MapToDevice(const ChartLayout& layout, double x, double y);

// The composition (x, y) at a device point: the inverse of MapToDevice, without rounding;
// (-1, -1) when the layout holds no triangle.
point MapToChart(const ChartLayout& layout, DevicePoint device);

// MapToDevice and MapToChart in the layout of model.mChartRect.
DevicePoint ChartToDevice(const DeviceResolution& target, const ChartModel& model, double x,
                          double y);
point DeviceToChart(const DeviceResolution& target, const ChartModel& model, DevicePoint device);
