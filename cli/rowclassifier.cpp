#include "cli/rowclassifier.h"

#include "scheme/samplelookup.h"
#include "util/futil.h"
#include "util/numbertext.h"

#include <cstdint>

namespace {

// Digits with at most one decimal point, as laboratories write percentages ("45", "33.25"): the
// digits as an integer below 2^53 over an exact power of ten, one correctly rounded division, so
// the value is the very double that numbertext gives. False for every other form.
bool PlainDecimal(std::string_view text, double* value) {
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::uint64_t digits = 0;
    int count = 0;
    int decimals = -1;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            if (++count > 15)
                return false;
            digits = digits * 10 + std::uint64_t(c - '0');
            decimals += decimals >= 0;
        } else if (c == '.' && decimals < 0) {
            decimals = 0;
        } else {
            return false;
        }
    }
    if (count == 0)
        return false;
    *value = decimals > 0 ? double(digits) / kPowers[decimals] : double(digits);
    return true;
}

} // namespace

// IsValidComposition and CellValue in one reading of the text: batch runs read millions.
double FieldValue(std::string_view text) {
    double value = -1.0;
    if (PlainDecimal(text, &value) && value <= 100)
        return value;
    if (text.empty() || !numbertext::ParseWhole(text, &value) || !futil::ge(value, 0.0) ||
        !futil::le(value, 100.0))
        return -1.0;
    return value;
}

RowClassifier::RowClassifier(CellClassifier& classifier, std::optional<double> normaliseTolerance)
    : mClassifier(classifier), mTolerance(normaliseTolerance) {}

std::optional<Composition> RowComposition(std::string_view xText, std::string_view yText,
                                          std::string_view zText,
                                          std::optional<double> normaliseTolerance) {
    return CompleteRow(FieldValue(xText), FieldValue(yText), FieldValue(zText), normaliseTolerance);
}

RowOutcome RowClassifier::Classify(std::string_view xText, std::string_view yText,
                                   std::string_view zText, std::string* texture) {
    const std::optional<Composition> row = RowComposition(xText, yText, zText, mTolerance);
    if (!row)
        return RowOutcome::TooFewValues;
    return mClassifier.AppendTexture(row->x, row->y, row->z, texture) ? RowOutcome::Classified
                                                                      : RowOutcome::Failed;
}
