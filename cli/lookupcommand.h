#pragma once

#include "scheme/soiltex.h"

#include <array>
#include <iosfwd>
#include <string>

// Classifies one composition given as three texts, read like sample file fields ("-" or any
// text that is not a number within 0 to 100 is missing; one missing value is completed). Writes
// the class names one a line to out and returns 0, or writes "{ fail }" and returns 1. A value
// taken as missing that was not "-" or empty gets a warning on err. The scheme must have passed
// IsValidScheme (as every loaded scheme has); it is not checked again.
int RunLookup(const soiltex& scheme, const std::array<std::string, 3>& values, std::ostream& out,
              std::ostream& err);
