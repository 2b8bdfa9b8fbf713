#pragma once

#include "geometry/polygon.h"

#include <cstddef>
#include <functional>
#include <vector>

// Bounding boxes, and a sweep that finds the polygons whose boxes overlap, so that pairwise work
// (intersections) is done only where it can find something.
struct Box {
    double minX, minY, maxX, maxY;
};

// The bounding box of the vertices; an empty polygon gives an inverted box that overlaps nothing.
Box BoundsOf(const polygon& p);

// Calls visit(i, j) with i < j once for each pair of boxes whose interiors overlap (boxes that only
// touch do not: polygons inside them meet at most along a line, which encloses nothing). Boxes
// with a NaN bound overlap nothing. Pairs come in no particular order. Cost: a sort, plus one step
// per pair of boxes overlapping in x.
void ForEachOverlappingBoxPair(const std::vector<Box>& boxes,
                               const std::function<void(std::size_t, std::size_t)>& visit);
