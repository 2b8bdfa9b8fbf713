#pragma once

#include <iosfwd>

// Lists the bundled schemes, one a line in aligned columns: the id, the number of classes
// (distinct names), the particle-size limits in µm as CLAY/SILT/SAND ("-" when the file does not
// state them), the system's name and its country ("-"). A scheme that does not load gets its
// load message in place of the name. Returns 0, or 1 when there is none (with a message on err).
int RunSchemes(std::ostream& out, std::ostream& err);
