#pragma once

#include "geometry/point.h"
#include "scheme/soiltex.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a scheme author needs to know about a scheme: the checks of IsValidScheme one by one,
// and the warnings that do not make a scheme invalid but usually mean a mistake.
struct SchemeReport {
    struct Overlap {
        std::size_t first;  // class indices, first < second
        std::size_t second;
        std::optional<double> area; // none when the overlap has fewer than three vertices
    };
    struct OutsideVertex {
        std::size_t classIndex;
        point vertex;
    };
    struct GridPoint {
        double x, y;
        std::vector<int> classes; // indices, after the border rules
    };

    bool valid = false;
    double areaTotal = 0;                    // of the classes of three vertices or more
    std::vector<std::size_t> fewVertices;    // classes of fewer than three vertices
    std::vector<Overlap> overlaps;           // every overlapping pair, in order
    std::vector<std::string> clipFailures;   // pairs the clipper refused, as "A (1) and B (2)"
    std::vector<OutsideVertex> outside;      // vertices outside the triangle
    std::vector<int32_t> unknownRuleIds;     // ids of border rules that no class has, once each
    bool gridChecked = false;                // false when a class cannot be searched
    std::size_t gridPoints = 0;
    std::size_t unclassifiedCount = 0;
    std::size_t ambiguousCount = 0;
    std::vector<GridPoint> unclassified; // the first kListedGridPoints without a class
    std::vector<GridPoint> ambiguous;    // the first kListedGridPoints with several classes
};

inline constexpr std::size_t kListedGridPoints = 10;
// The step of the composition grid the report looks up, in percent.
inline constexpr double kGridStep = 0.5;

SchemeReport InspectScheme(const soiltex& scheme);
