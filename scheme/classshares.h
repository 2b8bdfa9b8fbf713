#pragma once

#include "geometry/boxsweep.h"
#include "geometry/polygon.h"
#include "scheme/classnames.h"
#include "scheme/soiltex.h"

#include <cstdint>
#include <vector>

// How a laboratory's error on each measured fraction is modelled.
enum class ErrorModel {
    Uniform, // each fraction anywhere within +/- size of its measured value, all equally likely
    Normal,  // independent normal errors of standard deviation size, given that the sum is 100
};

struct LabError {
    ErrorModel model = ErrorModel::Uniform;
    double size = 1; // percentage points: the half-width, or the standard deviation
};

// The share of each class among the compositions a measured one may really be, within the
// triangle: the exact area of the class in the uniform model's region over the region's area,
// or the normal density's integral over the class (to 1e-6) over its integral over the triangle.
// Classes are counted by name. The shares do not depend on border rules. Keeps a reference: the
// scheme must be valid, outlive this object and stay unchanged.
class ClassShares {
public:
    // Throws std::invalid_argument "ClassShares" when the size is not a finite number above 0.
    ClassShares(const soiltex& scheme, LabError error);

    const ClassNames& Names() const { return mNames; }
    LabError Error() const { return mError; }
    // The share of each name (Names().names order) for the composition (x, y) with
    // z = 100 - x - y, into *shares; they add up to 1 when the classes cover the triangle. False,
    // with every share 0, when the point is not in the triangle (tolerance 1e-6).
    bool Compute(double x, double y, std::vector<double>* shares);

    // The uniform model's region of (x, y): the range polygon of (x +/- e, y +/- e, z +/- e)
    // within the triangle, counter-clockwise; empty when the point is not in the triangle.
    static polygon UniformRegion(double x, double y, double e);

    // The normal model's region that holds the given probability (0.95: the 95 % region), as
    // a polygon of n vertices in the (x, y) plane, counter-clockwise: a circle in composition
    // space, an ellipse in the plane; not cut to the triangle. Empty for p outside (0, 1) or
    // s not above 0.
    static polygon NormalRegion(double x, double y, double s, double p, int n = 72);

    // How many grid cells settle a share of 1 with one test (for tests: 0 means no shortcut).
    int SingleClassCells() const;

private:
    struct Cell {
        int32_t single = -1; // the name holding every reachable composition, or -1
        uint32_t first = 0;  // the records worth computing: mCandidates[first, first + count)
        uint32_t count = 0;
    };
    void Build();
    const Cell* CellOf(double x, double y) const;
    void AddUniform(double x, double y, const int* records, std::size_t count,
                    std::vector<double>* shares);
    void AddNormal(double x, double y, const int* records, std::size_t count,
                   std::vector<double>* shares);

    const soiltex& mScheme;
    LabError mError;
    ClassNames mNames;
    double mReach; // no composition of the model (to 1e-8) lies farther than this in the plane
    std::vector<Cell> mCells; // empty: no grid
    std::vector<int> mCandidates;
    std::vector<int> mAll;                 // every record, for points off the grid
    std::vector<Box> mBoxes;               // of each record
    std::vector<std::vector<point>> mFlat; // the records in compositionspace::Flatten form
    std::vector<point> mFlatTriangle;
    std::vector<point> mClipA, mClipB; // scratch of the clipping
};

// Owen's T function, T(h, a) = 1/(2 pi) * integral from 0 to a of
// exp(-h^2 (1 + x^2) / 2) / (1 + x^2) dx, to about 1e-12 absolute.
double OwensT(double h, double a);

// The standard bivariate normal's probability of the polygon (any orientation, not
// self-crossing), exact up to OwensT's error.
double NormalMass(const std::vector<point>& vertices);
