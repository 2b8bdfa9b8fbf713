#pragma once

#include "scheme/cellclassifier.h"
#include "scheme/samplelookup.h"
#include "scheme/soiltex.h"

#include <optional>
#include <string>
#include <string_view>

enum class RowOutcome {
    Classified,   // one class or more
    Failed,       // "{ fail }": no class holds the completed composition
    TooFewValues, // two or more of x, y, z missing: no texture
};

// The value that a sample field gives the sheet: the number when the field is accepted (wholly a
// number within 0 to 100), else -1 (missing).
double FieldValue(std::string_view text);

// The composition of a row as RowClassifier classifies it: fields as FieldValue reads them, rows
// within the tolerance scaled to a sum of 100, one missing value completed; nothing when two or
// more are missing.
std::optional<Composition> RowComposition(std::string_view x, std::string_view y,
                                          std::string_view z,
                                          std::optional<double> normaliseTolerance);

// Classifies rows the way the sample sheet does after opening a file: fields that are not
// accepted count as missing, one missing value is completed, the texture is the class names
// joined by " / " or "{ fail }". The classifier must outlive this object.
class RowClassifier {
public:
    // With a tolerance, rows whose three values are all given and add up to 100 within it are
    // scaled to add up to 100 before the lookup.
    RowClassifier(CellClassifier& classifier, std::optional<double> normaliseTolerance);

    // Appends the row's texture (nothing for TooFewValues) to *texture.
    RowOutcome Classify(std::string_view x, std::string_view y, std::string_view z,
                        std::string* texture);

private:
    CellClassifier& mClassifier;
    std::optional<double> mTolerance;
};
