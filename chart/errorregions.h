#pragma once

#include "chart/drawtarget.h"

#include <vector>

// The outline of the samples' lab-error regions.
constexpr Colour kErrorRegionColour{0x28, 0x50, 0xA0};
// Beyond this many samples no region is drawn: they would only blacken the triangle.
constexpr std::size_t kMostErrorRegions = 4096;

// Each sample's error region under model.mLabError, in (x, y) percent: the uniform model's
// range polygon, or the normal model's 95 % ellipse cut to the triangle. Empty when the model
// has no lab error, shows a range polygon, or has more than kMostErrorRegions samples; a
// sample's region is empty when it has none (a point off the triangle).
std::vector<polygon> ErrorRegions(const ChartModel& model);

// Outlines each region with the pen's lines, through map from (x, y) to the target.
template <typename Map>
void OutlineErrorRegions(DrawTarget& target, const std::vector<polygon>& regions, int penWidth,
                         const Map& map) {
    target.SetPen({kErrorRegionColour, penWidth});
    for (const polygon& region : regions) {
        const std::vector<point>& v = region.Vertices();
        for (std::size_t k = 0; k < v.size(); ++k) {
            const point& a = v[k];
            const point& b = v[(k + 1) % v.size()];
            const DevicePoint from = map(a.x, a.y), to = map(b.x, b.y);
            // A region smaller than a pixel still shows as a dot, not as nothing.
            if (from != to || k == 0)
                target.Line(from, to);
        }
    }
}
