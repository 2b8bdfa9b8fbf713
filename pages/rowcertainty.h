#pragma once

#include "scheme/certainty.h"
#include "scheme/samplelookup.h"

#include <QString>
#include <optional>
#include <vector>

// What the Texture cell adds under a lab error.
struct CertaintyNote {
    QString brief;  // "67 %  1.2 from Sandy loam": the class's share, its nearest other class
    QString shares; // every class that may hold the sample with its share, one a line
};

// "± 2" or "sd 1.5": the error as the page names it.
QString LabErrorText(LabError error);

// The largest lab error the page takes, in percentage points.
constexpr double kLargestLabError = 20;

// The lab error a stored model name ("uniform" or "normal") and size give; nothing when either
// is unusable (the size must be a number above 0 and up to kLargestLabError).
std::optional<LabError> LabErrorFromSetting(const QString& model, const QString& size);
QString LabErrorModelSetting(ErrorModel model);

// The notes of the sheet's rows under one scheme and lab error, each row's kept until its
// composition changes. Works on its own copy of the scheme, which must be valid: a page's
// scheme may change under it before the page replaces this object.
class RowCertainty {
public:
    // Throws as Certainty does for an unusable error size.
    RowCertainty(const soiltex& scheme, LabError error);

    // Empty when no class holds the composition.
    const CertaintyNote& Note(int row, const Composition& c);

private:
    struct Kept {
        Composition c{-1, -1, -1};
        CertaintyNote note;
    };
    soiltex mScheme;
    LabError mError;
    Certainty mCertainty;
    CertaintyReport mReport;
    std::vector<Kept> mKept; // by row
};
