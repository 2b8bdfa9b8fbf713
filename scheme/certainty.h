#pragma once

#include "scheme/boundarydistance.h"
#include "scheme/cellclassifier.h"
#include "scheme/classshares.h"

#include <vector>

// How sure the class of one composition is under a lab error: every class's share, the class
// the lookup gives, and how far that class's nearest boundary with another class is.
struct CertaintyReport {
    std::vector<double> shares; // per name (ClassNames order)
    std::vector<int> ranked;    // the names with a share above 5e-7, most likely first
    int own = -1;               // the name the point lookup gives (the first, when several)
    BoundaryDistance::Nearest nearest{0, -1};
};

// Answers for many compositions of one scheme, which must be valid, outlive this object and
// stay unchanged. Throws as ClassShares does for an unusable error size.
class Certainty {
public:
    Certainty(const soiltex& scheme, LabError error);

    const ClassNames& Names() const { return mShares.Names(); }
    // For the composition (negative values missing, one completed, as for PointLookup). False,
    // with the report cleared, when no class holds it.
    bool Compute(double x, double y, double z, CertaintyReport* report);

private:
    CellClassifier mClassify;
    ClassShares mShares;
    BoundaryDistance mDistance;
};
