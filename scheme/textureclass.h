#pragma once

#include "geometry/polygon.h"

#include <cstdint>
#include <string>
#include <vector>

// One texture class record. A class made of several polygons is several records with one name.
struct TextureClass {
    std::string name;
    int32_t id = 0;
    polygon region; // (x, y) vertices in percent, in the order of the scheme file
};

// One rule of a scheme's "[border]" section: when a point lookup's candidates are exactly the
// classes classIds, only those with an id in keepIds stay.
struct BorderRule {
    std::vector<int32_t> classIds;
    std::vector<int32_t> keepIds;
};
