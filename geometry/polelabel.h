#pragma once

#include "geometry/point.h"

#include <vector>

// Where a class's name goes: the point of the region farthest from its outline (the pole of
// inaccessibility), found to within precision units by subdividing cells of a grid (the
// polylabel method). The ring is closed implicitly; its orientation does not matter.
struct RingPole {
    point centre;
    double distance = 0; // to the nearest edge; 0 for a degenerate ring
};
RingPole FindPole(const std::vector<point>& ring, double precision);

// True when p lies inside the ring (even-odd rule).
bool RingContains(const std::vector<point>& ring, point p);

// True when the axis-parallel box lies wholly inside the ring: its corners inside and no edge of
// the ring crossing it.
bool RingContainsBox(const std::vector<point>& ring, double left, double top, double right,
                     double bottom);
