#include "cli/schemereport.h"

#include "util/futil.h"

#include <algorithm>
#include <exception>

namespace {

bool InsideTriangle(const point& v) {
    return futil::ge(v.x, 0.0) && futil::ge(v.y, 0.0) && futil::le(v.x + v.y, 100.0);
}

std::string ClassLabel(const TextureClass& c) {
    return c.name + " (" + std::to_string(c.id) + ")";
}

void CheckPairs(const std::vector<TextureClass>& classes, SchemeReport* report) {
    for (std::size_t i = 0; i < classes.size(); ++i) {
        for (std::size_t j = i + 1; j < classes.size(); ++j) {
            if (classes[i].region.Size() < 3 || classes[j].region.Size() < 3)
                continue;
            try {
                const polygon common = classes[i].region.Intersect(classes[j].region);
                if (common.Size() == 0)
                    continue;
                SchemeReport::Overlap overlap{i, j, std::nullopt};
                if (common.Size() >= 3)
                    overlap.area = common.Area();
                report->overlaps.push_back(overlap);
            } catch (const std::exception&) {
                report->clipFailures.push_back(ClassLabel(classes[i]) + " and " +
                                               ClassLabel(classes[j]));
            }
        }
    }
}

void CheckGrid(const soiltex& scheme, SchemeReport* report) {
    const int steps = int(100 / kGridStep);
    std::vector<int> found;
    for (int i = 0; i <= steps; ++i) {
        for (int j = 0; i + j <= steps; ++j) {
            const double x = i * kGridStep;
            const double y = j * kGridStep;
            scheme.LocateClasses(x, y, &found);
            ++report->gridPoints;
            if (found.size() == 1)
                continue;
            std::size_t& count =
                found.empty() ? report->unclassifiedCount : report->ambiguousCount;
            std::vector<SchemeReport::GridPoint>& listed =
                found.empty() ? report->unclassified : report->ambiguous;
            ++count;
            if (listed.size() < kListedGridPoints)
                listed.push_back({x, y, found});
        }
    }
    report->gridChecked = true;
}

} // namespace

SchemeReport InspectScheme(const soiltex& scheme) {
    SchemeReport report;
    report.valid = scheme.IsUsable();
    const std::vector<TextureClass>& classes = scheme.Classes();
    for (std::size_t i = 0; i < classes.size(); ++i) {
        const polygon& region = classes[i].region;
        if (region.Size() < 3) {
            report.fewVertices.push_back(i);
        } else {
            report.areaTotal += region.Area();
        }
        for (const point& v : region.Vertices()) {
            if (!InsideTriangle(v))
                report.outside.push_back({i, v});
        }
    }
    CheckPairs(classes, &report);

    for (const BorderRule& rule : scheme.Borders()) {
        for (const std::vector<int32_t>* ids : {&rule.classIds, &rule.keepIds}) {
            for (int32_t id : *ids) {
                const bool known = std::any_of(classes.begin(), classes.end(),
                                               [id](const TextureClass& c) { return c.id == id; });
                if (!known && std::find(report.unknownRuleIds.begin(), report.unknownRuleIds.end(),
                                        id) == report.unknownRuleIds.end())
                    report.unknownRuleIds.push_back(id);
            }
        }
    }

    if (!classes.empty() && report.fewVertices.empty()) {
        try {
            CheckGrid(scheme, &report);
        } catch (const std::exception&) {
            report.gridChecked = false;
        }
    }
    return report;
}
