#pragma once

#include "scheme/soiltex.h"

#include <string>
#include <vector>

// The distinct class names of a scheme in the order they first appear, and the name of each
// record: a class made of several polygons is one class to a user, so shares and boundaries are
// counted by name.
struct ClassNames {
    explicit ClassNames(const soiltex& scheme);

    std::vector<std::string> names;
    std::vector<int> ofRecord; // index into names, for each of scheme.Classes()
};
