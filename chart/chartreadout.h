#pragma once

#include "geometry/point.h"

#include <string>

// The chart window's title with the composition under the mouse: "NAME Chart (x=.., y=..)",
// with ", z=.." in the tri-axial layout, each value rounded to a whole percent. Outside the
// triangle (beyond the comparison tolerance) the title is only "NAME Chart".
std::string ReadoutTitle(const std::string& schemeName, point composition, bool triaxial);
