#pragma once

#include "geometry/point.h"
#include "scheme/soiltex.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a scheme author needs to know about a scheme: the checks of IsValidScheme one by one, the
// errors that make lookups fail or give several classes although the scheme may pass that check,
// and warnings that usually mean a mistake.
struct SchemeReport {
    struct Overlap {
        std::size_t first; // class indices, first < second
        std::size_t second;
        std::optional<double> area; // none when the overlap has fewer than three vertices
    };
    struct OutsideVertex {
        std::size_t classIndex;
        point vertex;
    };
    struct DuplicateId {
        std::size_t first; // class indices of two records of different names, first < second
        std::size_t second;
    };
    struct GridPoint {
        double x, y;
        std::vector<int> classes; // indices, after the border rules
    };

    bool valid = false;                   // IsValidScheme, an exception counting as no
    std::string invalidReason;            // why not, when not
    double areaTotal = 0;                 // of the classes of three vertices or more
    std::vector<std::size_t> fewVertices; // classes of fewer than three vertices
    std::vector<Overlap> overlaps;        // every overlapping pair, in order
    // Errors.
    std::vector<SchemeWordProblem> words;  // coordinate words that are no numbers
    std::vector<OutsideVertex> outside;    // vertices outside the triangle (or no number)
    std::vector<DuplicateId> duplicateIds; // one id for two different classes
    bool gridChecked = false;              // false when a class cannot be searched
    std::size_t gridPoints = 0;
    std::size_t unclassifiedCount = 0;
    std::size_t ambiguousCount = 0;
    std::vector<GridPoint> unclassified; // the first kListedGridPoints without a class
    std::vector<GridPoint> ambiguous;    // the first kListedGridPoints with several classes
    // Warnings.
    std::vector<int32_t> unknownRuleIds; // ids of border rules that no class has, once each

    // Valid, and no errors: every composition gets exactly one class.
    bool Sound() const;
};

inline constexpr std::size_t kListedGridPoints = 10;
// The composition grid the report looks up: x and y in steps of 1 / kGridDivisions percent.
inline constexpr int kGridDivisions = 10;

// The checks on a loaded scheme, with the coordinate words that the load found no numbers.
// Overlaps are sought only between classes whose bounding boxes overlap, and the grid is looked
// up through the batch classifier, so that a scheme of thousands of classes takes about a second.
SchemeReport InspectScheme(const soiltex& scheme, const std::vector<SchemeWordProblem>& words = {});
