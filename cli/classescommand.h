#pragma once

#include "scheme/soiltex.h"

#include <iosfwd>
#include <string>

// Writes each class of the scheme (or only the one called name, ignoring case): its vertices
// as (x, y, z), the range of each axis over it and its central composition, the point farthest
// from its boundary. Returns 0; 2 with a message on err when no class has the name.
int RunClasses(const soiltex& scheme, const std::string& name, std::ostream& out,
               std::ostream& err);
