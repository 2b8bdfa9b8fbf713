#include "cli/rowclassifier.h"

#include "scheme/samplelookup.h"
#include "util/futil.h"

#include <cmath>

double FieldValue(std::string_view text) {
    return IsValidComposition(text) ? CellValue(text) : -1.0;
}

RowClassifier::RowClassifier(const soiltex& scheme, std::optional<double> normaliseTolerance)
    : mClassifier(scheme), mTolerance(normaliseTolerance) {}

RowOutcome RowClassifier::Classify(std::string_view xText, std::string_view yText,
                                   std::string_view zText, std::string* texture) {
    double x = FieldValue(xText);
    double y = FieldValue(yText);
    double z = FieldValue(zText);
    if (mTolerance && x >= 0 && y >= 0 && z >= 0) {
        const double sum = x + y + z;
        if (sum > 0 && futil::le(std::fabs(sum - 100), *mTolerance)) {
            const double scale = 100 / sum;
            x *= scale;
            y *= scale;
            z *= scale;
        }
    }
    const std::optional<Composition> row = CompleteRow(x, y, z);
    if (!row)
        return RowOutcome::TooFewValues;
    return mClassifier.AppendTexture(row->x, row->y, row->z, texture) ? RowOutcome::Classified
                                                                       : RowOutcome::Failed;
}
