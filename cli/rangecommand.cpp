#include "cli/rangecommand.h"

#include "cli/errorline.h"
#include "cli/exitstatus.h"
#include "scheme/rangetext.h"
#include "scheme/samplelookup.h"
#include "util/futil.h"
#include "util/numbertext.h"

#include <array>
#include <ostream>
#include <string>

namespace {

bool ParseLimit(std::string_view text, double fallback, double* value) {
    if (text.empty()) {
        *value = fallback;
        return true;
    }
    return numbertext::ParseWhole(text, value) && futil::ge(*value, 0.0) &&
           futil::le(*value, 100.0);
}

} // namespace

bool ParseAxisRange(std::string_view text, AxisRange* range) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return false;
    AxisRange parsed;
    if (!ParseLimit(text.substr(0, colon), 0, &parsed.min) ||
        !ParseLimit(text.substr(colon + 1), 100, &parsed.max))
        return false;
    *range = parsed;
    return true;
}

bool CheckRangeOrder(const soiltex& scheme, const AxisRange& x, const AxisRange& y,
                     const AxisRange& z, std::ostream& err) {
    const int axis = FirstUnorderedAxis({x.min, y.min, z.min}, {x.max, y.max, z.max});
    if (axis < 0)
        return true;
    const std::string names[] = {scheme.GetXName(), scheme.GetYName(), scheme.GetZName()};
    PrintError(err, RangeOrderMessage(names[axis]));
    return false;
}

int RunRange(const soiltex& scheme, const AxisRange& x, const AxisRange& y, const AxisRange& z,
             std::ostream& out, std::ostream& err) {
    if (!CheckRangeOrder(scheme, x, y, z, err))
        return kExitFailed;
    const std::vector<TextureClass> classes =
        scheme.RangeLookup(x.min, x.max, y.min, y.max, z.min, z.max);
    out << RangeCountText(classes.size()) << '\n';
    for (const TextureClass& c : classes)
        out << c.name << '\n';
    const std::vector<std::string> lines =
        RangeCoordinateLines(scheme.RangePolygon(x.min, x.max, y.min, y.max, z.min, z.max));
    if (lines.empty()) {
        out << kFailText << '\n';
        return kExitFailed;
    }
    for (const std::string& line : lines)
        out << line << '\n';
    return kExitOk;
}
