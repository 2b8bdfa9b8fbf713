#pragma once

#include "chart/chartgeometry.h"

#include <vector>

// The samples counted in hexagonal cells over the triangle: the density shading of large sets.
struct DensityCell {
    std::vector<DevicePoint> outline; // the hexagon, cut to the triangle
    // Samples in the cell, scaled up to a whole cell's for one cut by the triangle's sides (by
    // at most four, so that a corner sliver with one sample does not look crowded).
    double density = 0;
};

// The cells (pointy-top hexagons of the given circumradius in logical units, on a grid fixed to
// the device origin) holding at least one of the points, in no particular order. Takes memory
// by cell, not by point.
std::vector<DensityCell> DensityCells(const ChartLayout& layout, const std::vector<point>& points,
                                      double radius);
