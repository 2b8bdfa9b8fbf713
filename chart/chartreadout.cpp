#include "chart/chartreadout.h"

#include "util/futil.h"

#include <cstdio>

namespace {

// A whole percent; a value a hair below 0, let in by the tolerance, shows as 0, not -0.
std::string Percent(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", v < 0 ? 0.0 : v);
    return text;
}

} // namespace

std::string ReadoutTitle(const std::string& schemeName, point c, bool triaxial) {
    std::string title = schemeName + " Chart";
    const bool inside = futil::ge(c.x, 0) && futil::le(c.x, 100) && futil::ge(c.y, 0) &&
                        futil::le(c.y, 100) && futil::le(c.x + c.y, 100);
    if (!inside)
        return title;
    title += " (x=" + Percent(c.x) + ", y=" + Percent(c.y);
    if (triaxial)
        title += ", z=" + Percent(100 - c.x - c.y);
    return title + ")";
}
