#pragma once

#include "geometry/polygon.h"
#include "scheme/textureclass.h"

#include <array>
#include <string>
#include <vector>

// A composition in the order of the scheme's axes: x, y and z = 100 - x - y, in percent.
using AxisValues = std::array<double, 3>;

// What a class allows, the inverse of a lookup: its corners, the range of each axis over it and
// a composition well inside it.
struct ClassLimits {
    std::string name;
    // The vertices of each of the class's polygons, in the order of the scheme file.
    std::vector<std::vector<AxisValues>> parts;
    AxisValues min{};
    AxisValues max{};
    // The point of the class farthest from its boundary (within kCentrePrecision), measured on
    // the equilateral triangle so that no axis weighs more than another. Unlike the centroid it
    // always lies inside, also for a class that is not convex.
    AxisValues centre{};
    double centreDistance = 0; // from the boundary, in percent along the triangle's sides
};

inline constexpr double kCentrePrecision = 0.01;

// The limits of every class name of a scheme's classes, in the order the names first appear; the
// polygons of one name are taken together. Polygons of fewer than three vertices add their
// vertices but no centre.
std::vector<ClassLimits> SchemeClassLimits(const std::vector<TextureClass>& classes);

// The point of the polygon farthest from its edges, on the equilateral triangle, found to within
// precision (percent); the first vertex for a polygon without area. *distance (when not null)
// gets its distance from the edges.
point PoleOfInaccessibility(const polygon& region, double precision, double* distance = nullptr);
