#include "cli/classescommand.h"

#include "cli/datafractions.h"
#include "cli/errorline.h"
#include "cli/exitstatus.h"
#include "scheme/classlimits.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <ostream>

namespace {

std::string Triple(const AxisValues& v) {
    return "(" + ConvertedText(v[0]) + ", " + ConvertedText(v[1]) + ", " + ConvertedText(v[2]) +
           ")";
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

} // namespace

int RunClasses(const soiltex& scheme, const std::string& name, std::ostream& out,
               std::ostream& err) {
    const std::vector<ClassLimits> limits = SchemeClassLimits(scheme.Classes());
    const std::string axes[] = {scheme.GetXName(), scheme.GetYName(), scheme.GetZName()};
    const std::string order = "(" + axes[0] + ", " + axes[1] + ", " + axes[2] + ")";
    bool any = false;
    for (const ClassLimits& l : limits) {
        if (!name.empty() && !SameName(l.name, name))
            continue;
        out << (any ? "\n" : "") << l.name << '\n';
        any = true;
        for (const std::vector<AxisValues>& part : l.parts) {
            out << "  vertices " << order << ":";
            for (const AxisValues& v : part)
                out << ' ' << Triple(v);
            out << '\n';
        }
        out << "  ranges:";
        for (std::size_t k = 0; k < 3; ++k)
            out << (k > 0 ? "," : "") << ' ' << axes[k] << ' ' << ConvertedText(l.min[k]) << " to "
                << ConvertedText(l.max[k]);
        // The centre is found to 0.01 %: more digits would claim more than that.
        out << "\n  centre " << order << ": (";
        for (std::size_t k = 0; k < 3; ++k)
            out << (k > 0 ? ", " : "") << ConvertedText(std::round(l.centre[k] * 100) / 100);
        out << "), " << ConvertedText(std::round(l.centreDistance * 100) / 100)
            << " from the boundary\n";
    }
    if (!any) {
        std::string names;
        for (const ClassLimits& l : limits)
            names += (names.empty() ? "" : ", ") + l.name;
        PrintError(err, "no class \"" + name + "\" in " + scheme.GetName() +
                            " (its classes: " + names + ")");
        return kExitUnusable;
    }
    return kExitOk;
}
