#pragma once

// Where a point lies relative to a polygon. The codes are fixed: callers and stored results
// compare against the numbers.
enum class PointLocation : int {
    Inside = 1,
    Outside = 2,
    OnVertex = 3,
    OnEdge = 4,
};
