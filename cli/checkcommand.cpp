#include "cli/checkcommand.h"

#include "cli/errorline.h"
#include "cli/exitstatus.h"
#include "cli/schemeargument.h"
#include "scheme/schemefile.h"

#include <charconv>
#include <cmath>
#include <ostream>

namespace {

constexpr double kTriangleArea = 5000;

std::string Fixed(double v, int decimals) {
    if (!std::isfinite(v))
        return std::isnan(v) ? "nan" : (v < 0 ? "-inf" : "inf");
    char text[400];
    const auto end = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, decimals);
    std::string s(text, end.ptr);
    if (s.find_first_not_of("-0.") == std::string::npos && s[0] == '-')
        s.erase(0, 1);
    return s;
}

std::string Label(const soiltex& scheme, std::size_t index) {
    const TextureClass& c = scheme.Classes()[index];
    return c.name + " (" + std::to_string(c.id) + ")";
}

std::string GridText(const SchemeReport::GridPoint& p) {
    return "(" + Fixed(p.x, 1) + ", " + Fixed(p.y, 1) + ", " + Fixed(100 - p.x - p.y, 1) + ")";
}

void WriteGridPoints(const soiltex& scheme, const SchemeReport& report, bool ambiguous,
                     std::ostream& out) {
    const std::size_t count = ambiguous ? report.ambiguousCount : report.unclassifiedCount;
    if (count == 0)
        return;
    out << "  " << count << " of " << report.gridPoints << " compositions of the "
        << Fixed(1.0 / kGridDivisions, 1) << " % grid get "
        << (ambiguous ? "more than one class" : "no class") << ":\n";
    for (const SchemeReport::GridPoint& p : ambiguous ? report.ambiguous : report.unclassified) {
        out << "    " << GridText(p);
        for (std::size_t i = 0; i < p.classes.size(); ++i)
            out << (i == 0 ? " " : " / ") << Label(scheme, std::size_t(p.classes[i]));
        out << '\n';
    }
    if (count > kListedGridPoints)
        out << "    ...\n";
}

void WriteErrors(const soiltex& scheme, const SchemeReport& report, std::ostream& out) {
    const bool any = !report.words.empty() || !report.outside.empty() ||
                     !report.duplicateIds.empty() || report.unclassifiedCount > 0 ||
                     report.ambiguousCount > 0 || !report.gridChecked;
    out << "Errors:" << (any ? "" : " none") << '\n';
    for (const SchemeWordProblem& w : report.words)
        out << "  line " << w.line << ": \"" << w.word << "\", a coordinate of "
            << Label(scheme, w.classIndex) << ", is not a number\n";
    for (const SchemeReport::OutsideVertex& v : report.outside)
        out << "  vertex (" << Fixed(v.vertex.x, 6) << ", " << Fixed(v.vertex.y, 6) << ") of "
            << Label(scheme, v.classIndex) << " is outside the triangle\n";
    for (const SchemeReport::DuplicateId& d : report.duplicateIds)
        out << "  " << Label(scheme, d.first) << " and " << Label(scheme, d.second)
            << " have the same id\n";
    if (!report.gridChecked)
        out << "  the composition grid was not looked up (a class has fewer than three "
               "vertices, or there is none)\n";
    WriteGridPoints(scheme, report, false, out);
    WriteGridPoints(scheme, report, true, out);
}

} // namespace

void WriteSchemeReport(const soiltex& scheme, const SchemeReport& report, std::ostream& out) {
    out << "Name: " << scheme.GetName() << '\n';
    out << "Axes: " << scheme.GetXName() << ", " << scheme.GetYName() << ", " << scheme.GetZName()
        << '\n';
    out << "Classes: " << scheme.GetClassCount() << '\n';
    out << "Border rules: " << scheme.Borders().size() << '\n';
    out << "Area: " << Fixed(report.areaTotal, 6) << " of " << Fixed(kTriangleArea, 0)
        << " (difference " << Fixed(report.areaTotal - kTriangleArea, 6) << ")\n";

    out << "Overlapping classes:" << (report.overlaps.empty() ? " none" : "") << '\n';
    for (const SchemeReport::Overlap& o : report.overlaps) {
        out << "  " << Label(scheme, o.first) << " and " << Label(scheme, o.second)
            << ": overlap area " << (o.area ? Fixed(*o.area, 6) : "0 (a sliver)") << '\n';
    }
    out << "Classes with fewer than three vertices:" << (report.fewVertices.empty() ? " none" : "")
        << '\n';
    for (std::size_t i : report.fewVertices)
        out << "  " << Label(scheme, i) << ": " << scheme.Classes()[i].region.Size()
            << " vertices\n";

    WriteErrors(scheme, report, out);
    out << "Warnings:" << (report.unknownRuleIds.empty() ? " none" : "") << '\n';
    for (int32_t id : report.unknownRuleIds)
        out << "  border rules name the id " << id << ", which no class has\n";

    if (report.Sound()) {
        out << "The scheme is valid.\n";
    } else if (report.valid) {
        out << "The scheme is not valid: the programs load it, but the errors above remain.\n";
    } else {
        out << "The scheme is not valid: " << report.invalidReason << ".\n";
    }
}

int RunCheck(const std::string& argument, std::ostream& out, std::ostream& err) {
    const std::string path = SchemeFilePath(argument);
    if (path.empty())
        return PrintUnknownScheme(argument, err);
    soiltex scheme;
    std::string reason;
    std::vector<SchemeWordProblem> words;
    const SchemeLoadStatus status = LoadSchemeFile(path, &scheme, &reason, &words);
    // A load that got as far as the classes failed in the validity check: the file was read,
    // and what is wrong with it is for the report to say.
    if (status == SchemeLoadStatus::Unreadable && scheme.GetClassCount() == 0) {
        PrintError(err, path + ": " + SchemeLoadLine(status, reason));
        return kExitUnusable;
    }
    out << "File: " << path << '\n';
    const SchemeReport report = InspectScheme(scheme, words);
    WriteSchemeReport(scheme, report, out);
    return report.Sound() ? kExitOk : kExitFailed;
}
