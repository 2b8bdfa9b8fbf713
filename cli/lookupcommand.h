#pragma once

#include "cli/schemeargument.h"
#include "scheme/classshares.h"

#include <array>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// Classifies one composition given as three texts, each a number within 0 to 100 or "-" for a
// missing value (one missing value is completed). Writes the class names one a line to out and
// returns 0, or writes "{ fail }" and returns 1. Any other text is a usage error on err: 2.
// The scheme must have passed IsValidScheme (as every loaded scheme has); it is not checked again.
// With a lab error, the lines of WriteCertaintyLines instead of the class names.
int RunLookup(const soiltex& scheme, const std::array<std::string, 3>& values, std::ostream& out,
              std::ostream& err, std::optional<LabError> error = std::nullopt);

// With one scheme RunLookup. With several, the values are in the first scheme's axis order and
// are given to each scheme by axis name; one line per scheme, "ID: TEXTURE" (class names joined
// by " / ", or "{ fail }"). 1 when any scheme fails; 2 when a scheme's axes are not the first's.
// With a lab error, each scheme's lines of WriteCertaintyLines, each beginning "ID: ".
int RunLookup(const std::vector<ChosenScheme>& schemes, const std::array<std::string, 3>& values,
              std::ostream& out, std::ostream& err, std::optional<LabError> error = std::nullopt);
