#pragma once

#include "scheme/certainty.h"
#include "scheme/samplelookup.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// The columns that classify adds under a lab error, for one scheme: share (of the class given),
// second, second_share, distance, nearest; or, per class, one share column named after the class.
// Shares are written with 6 decimals, distances with 3.
class CertaintyColumns {
public:
    // Throws as ClassShares does for an unusable error size. The scheme must be valid.
    CertaintyColumns(const soiltex& scheme, LabError error, bool perClass);

    // The column names, each followed by suffix ("_usda" among several schemes, else "").
    static std::vector<std::string> Names(const soiltex& scheme, bool perClass,
                                          const std::string& suffix);
    // One text per column for the composition; every text empty when there is none or no class
    // holds it.
    void Fill(const std::optional<Composition>& row, std::vector<std::string>* values);

private:
    Certainty mCertainty;
    bool mPerClass;
    CertaintyReport mReport;
};

// Writes the lookup's answer under a lab error: "CLASS<tab>SHARE" for each class with a share,
// most likely first, then "distance<tab>D<tab>CLASS" (the nearest boundary of the class the
// lookup gives, and the class across it; "distance<tab>-" when it borders none). Each line
// begins with prefix. False, writing nothing, when no class holds the composition.
bool WriteCertaintyLines(Certainty& certainty, const Composition& c, const std::string& prefix,
                         std::ostream& out);

// Appends v (at least 0) rounded to the given decimals, without an exponent.
void AppendFixed(double v, int decimals, std::string* out);
