#include "cli/schemereport.h"

#include "geometry/boxsweep.h"
#include "scheme/cellclassifier.h"
#include "util/futil.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <map>
#include <memory>

namespace {

bool InsideTriangle(const point& v) {
    return futil::ge(v.x, 0.0) && futil::ge(v.y, 0.0) && futil::le(v.x + v.y, 100.0);
}

void CheckPairs(const std::vector<TextureClass>& classes, SchemeReport* report) {
    std::vector<Box> boxes;
    boxes.reserve(classes.size());
    for (const TextureClass& c : classes) {
        // Classes the clipper cannot take are reported as errors of their own.
        const bool searchable = c.region.Size() >= 3 && c.region.InClipRange();
        boxes.push_back(searchable ? BoundsOf(c.region) : Box{0, 0, 0, 0});
    }
    ForEachOverlappingBoxPair(boxes, [&](std::size_t i, std::size_t j) {
        const polygon common = classes[i].region.Intersect(classes[j].region);
        if (common.Size() == 0)
            return;
        SchemeReport::Overlap overlap{i, j, std::nullopt};
        if (common.Size() >= 3)
            overlap.area = common.Area();
        report->overlaps.push_back(overlap);
    });
    std::sort(report->overlaps.begin(), report->overlaps.end(),
              [](const SchemeReport::Overlap& a, const SchemeReport::Overlap& b) {
                  return a.first != b.first ? a.first < b.first : a.second < b.second;
              });
}

void CheckIds(const std::vector<TextureClass>& classes, SchemeReport* report) {
    // A class of several polygons is several records of one name, which may share an id; two
    // different classes may not, as border rules could not tell them apart.
    std::map<int32_t, std::size_t> firstOfId;
    for (std::size_t i = 0; i < classes.size(); ++i) {
        const auto [it, added] = firstOfId.emplace(classes[i].id, i);
        if (!added && classes[it->second].name != classes[i].name)
            report->duplicateIds.push_back({it->second, i});
    }
}

void CheckGrid(const soiltex& scheme, SchemeReport* report) {
    const bool inRange = std::all_of(scheme.Classes().begin(), scheme.Classes().end(),
                                     [](const TextureClass& c) { return c.region.InClipRange(); });
    // The batch classifier's grid needs finite coordinates; it does not need a valid scheme.
    std::unique_ptr<CellClassifier> cells;
    if (inRange)
        cells = std::make_unique<CellClassifier>(scheme, SchemeCheck::AlreadyDone);
    std::vector<int> found;
    for (int i = 0; i <= 100 * kGridDivisions; ++i) {
        for (int j = 0; i + j <= 100 * kGridDivisions; ++j) {
            // Divided, not multiplied, so that each is the double nearest its decimal.
            const double x = i / double(kGridDivisions);
            const double y = j / double(kGridDivisions);
            if (cells) {
                found = cells->Classify(x, y, 100 - x - y);
            } else {
                scheme.LocateClasses(x, y, &found);
            }
            ++report->gridPoints;
            if (found.size() == 1)
                continue;
            std::size_t& count = found.empty() ? report->unclassifiedCount : report->ambiguousCount;
            std::vector<SchemeReport::GridPoint>& listed =
                found.empty() ? report->unclassified : report->ambiguous;
            ++count;
            if (listed.size() < kListedGridPoints)
                listed.push_back({x, y, found});
        }
    }
    report->gridChecked = true;
}

void CheckRuleIds(const soiltex& scheme, SchemeReport* report) {
    const std::vector<TextureClass>& classes = scheme.Classes();
    for (const BorderRule& rule : scheme.Borders()) {
        for (const std::vector<int32_t>* ids : {&rule.classIds, &rule.keepIds}) {
            for (int32_t id : *ids) {
                const bool known = std::any_of(classes.begin(), classes.end(),
                                               [id](const TextureClass& c) { return c.id == id; });
                if (!known &&
                    std::find(report->unknownRuleIds.begin(), report->unknownRuleIds.end(), id) ==
                        report->unknownRuleIds.end())
                    report->unknownRuleIds.push_back(id);
            }
        }
    }
}

} // namespace

bool SchemeReport::Sound() const {
    return valid && words.empty() && outside.empty() && duplicateIds.empty() && gridChecked &&
           unclassifiedCount == 0 && ambiguousCount == 0;
}

SchemeReport InspectScheme(const soiltex& scheme, const std::vector<SchemeWordProblem>& words) {
    SchemeReport report;
    report.invalidReason = scheme.InvalidityReason();
    report.valid = report.invalidReason.empty();
    report.words = words;
    const std::vector<TextureClass>& classes = scheme.Classes();
    for (std::size_t i = 0; i < classes.size(); ++i) {
        const polygon& region = classes[i].region;
        if (region.Size() < 3) {
            report.fewVertices.push_back(i);
        } else {
            report.areaTotal += region.Area();
        }
        for (const point& v : region.Vertices()) {
            // A NaN is a word that is no number, reported with its line.
            if (!std::isnan(v.x) && !std::isnan(v.y) && !InsideTriangle(v))
                report.outside.push_back({i, v});
        }
    }
    CheckPairs(classes, &report);
    CheckIds(classes, &report);
    CheckRuleIds(scheme, &report);
    if (!classes.empty() && report.fewVertices.empty())
        CheckGrid(scheme, &report);
    return report;
}
