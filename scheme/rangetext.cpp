#include "scheme/rangetext.h"

#include "util/futil.h"

#include <charconv>

namespace {

// "%.2f" in every locale, but a value that rounds to zero shows as 0.00, never as -0.00.
std::string TwoDecimals(double v) {
    char text[400]; // room for the widest double in fixed notation
    const auto result = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, 2);
    std::string s(text, result.ptr);
    if (s == "-0.00")
        s.erase(0, 1);
    return s;
}

} // namespace

int FirstUnorderedAxis(const std::array<double, 3>& mins, const std::array<double, 3>& maxs) {
    for (int axis = 0; axis < 3; ++axis)
        if (futil::ge(mins[axis], maxs[axis]))
            return axis;
    return -1;
}

std::string RangeOrderMessage(const std::string& axisName) {
    return axisName + ": Min value must be smaller than Max value";
}

std::string RangeCountText(std::size_t count) {
    return std::to_string(count) + (count > 1 ? " texture classes" : " texture class");
}

std::vector<std::string> RangeCoordinateLines(const polygon& range) {
    std::vector<std::string> lines;
    for (const point& v : range.Vertices()) {
        double z = 100 - (v.x + v.y);
        if (z < 0)
            z = 0;
        lines.push_back("(" + TwoDecimals(v.x) + ",\t" + TwoDecimals(v.y) + ",\t" + TwoDecimals(z) +
                        ")");
    }
    return lines;
}
