#include "chart/chartgeometry.h"

#include "util/futil.h"

#include <cmath>

namespace {

// The angles as the chart has always computed them, with pi to eight digits.
constexpr double kPi = 3.1415927;
const double kSin60 = std::sin(kPi / 3);
const double kTan60 = std::tan(kPi / 3);
const double kTan30 = std::tan(kPi / 6);

// The space left around the triangle: 60 points across and 100 points down.
DevicePoint Margins(const DeviceResolution& target) {
    return target.DeviceToLogical(
        {target.PixelsPerInchX() * 60 / 72, target.PixelsPerInchY() * 100 / 72});
}

// Side and height of the triangle in logical units. The right-angled triangle fills a square.
struct Extent {
    int side;
    int height;
};

Extent BiaxialExtent(const DeviceResolution& target, const ChartRect& rect) {
    const DevicePoint margin = Margins(target);
    int side = rect.Width() - margin.x;
    if (side > rect.Height() - margin.y)
        side = rect.Height() - margin.y;
    return {side, side};
}

Extent TriaxialExtent(const DeviceResolution& target, const ChartRect& rect) {
    const DevicePoint margin = Margins(target);
    int side = rect.Width() - margin.x;
    int height = static_cast<int>(side * kSin60);
    if (height > rect.Height() - margin.y) {
        height = rect.Height() - margin.y;
        side = static_cast<int>(height / kSin60);
    }
    return {side, height};
}

// Rounded to a tenth first, so that 252.96 and 253.04 both land where the grid line does.
int ToDevice(double v) {
    futil::round(v, 1);
    return static_cast<int>(v);
}

} // namespace

DevicePoint ChartToDevice(const DeviceResolution& target, const ChartModel& model, double x,
                          double y) {
    const ChartRect& rect = model.mChartRect;
    double vx;
    double vy;
    if (model.mbTriaxial) {
        const Extent e = TriaxialExtent(target, rect);
        const double h = (100 - y) * kSin60;
        const double p = (100 - x) - (50 * kTan60 - h) * kTan30;
        vy = e.height * h / (kSin60 * 100) + (rect.Height() - e.height) / 2;
        vx = (rect.Width() - e.side) / 2 + e.side * p * 0.01;
    } else {
        const Extent e = BiaxialExtent(target, rect);
        vx = (rect.Width() - e.side) / 2 + e.side * x * 0.01;
        vy = (rect.Height() - e.side) / 2 + e.side * (100 - y) * 0.01;
    }
    return {rect.left + ToDevice(vx), rect.top + ToDevice(vy)};
}

point DeviceToChart(const DeviceResolution& target, const ChartModel& model, DevicePoint device) {
    const ChartRect& rect = model.mChartRect;
    const double px = device.x - rect.left;
    const double py = device.y - rect.top;
    // A window too small to hold a triangle has no composition anywhere in it.
    const Extent e = model.mbTriaxial ? TriaxialExtent(target, rect) : BiaxialExtent(target, rect);
    if (e.side <= 0 || e.height <= 0)
        return {-1, -1};
    if (model.mbTriaxial) {
        const double d = (py - (rect.Height() - e.height) / 2) * kSin60 * 100 / e.height;
        const double y = 100 - d / kSin60;
        const double x =
            100 - ((50 * kTan60 - d) * kTan30 + (px - (rect.Width() - e.side) / 2) * 100 / e.side);
        return {x, y};
    }
    return {(px - (rect.Width() - e.side) / 2) * 100 / e.side,
            100 - (py - (rect.Height() - e.side) / 2) * 100 / e.side};
}
