#pragma once

#include "scheme/soiltex.h"

#include <array>
#include <iosfwd>
#include <string>

// Classifies one composition given as three texts, each a number within 0 to 100 or "-" for a
// missing value (one missing value is completed). Writes the class names one a line to out and
// returns 0, or writes "{ fail }" and returns 1. Any other text is a usage error on err: 2.
// The scheme must have passed IsValidScheme (as every loaded scheme has); it is not checked again.
int RunLookup(const soiltex& scheme, const std::array<std::string, 3>& values, std::ostream& out,
              std::ostream& err);
