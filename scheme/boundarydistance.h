#pragma once

#include "geometry/point.h"
#include "scheme/classnames.h"
#include "scheme/soiltex.h"

#include <vector>

// The distance from a composition to the nearest boundary its class shares with another class
// (the sides of the triangle and the seams between polygons of one class do not count), in
// percentage points of composition (see compositionspace::Length).
class BoundaryDistance {
public:
    struct Nearest {
        double distance; // infinity when the class borders no other
        int across;      // the name across that boundary (ClassNames order), or -1
    };

    // Finds the boundaries shared by each pair of classes once. The scheme should be valid; the
    // object keeps no reference to it.
    explicit BoundaryDistance(const soiltex& scheme);

    const ClassNames& Names() const { return mNames; }
    // From (x, y) to the nearest boundary of the class with the given name index. Among
    // boundaries equally near, the first in the scheme's order.
    Nearest From(double x, double y, int name) const;

private:
    struct Segment {
        point a, b; // compositionspace::Flatten form
        int across;
    };
    ClassNames mNames;
    std::vector<std::vector<Segment>> mBoundaries; // per name
};
