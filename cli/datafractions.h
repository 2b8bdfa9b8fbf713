#pragma once

#include "cli/rowclassifier.h"
#include "scheme/particlesize.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class SampleReader;

// How the input's particle sizes were measured: the fractions of a record, in order from the
// finest, with their upper limits in micrometres.
struct DataFractions {
    // Column names for a file with a header. Empty names: the three fractions of --data-limits,
    // found by the names of the first scheme's clay, silt and sand axes.
    std::vector<std::string> names;
    std::vector<double> diameters;
    bool ByAxes() const { return names.empty(); }
};

// --data-limits: "2,63,2000" (three increasing sizes in µm), or a scheme (bundled id or file) whose
// details state its limits. Throws ConversionError with the reason.
DataFractions ParseDataLimits(const std::string& text);

// --fractions: "clay=0-2,fsilt=2-20,csilt=20-63,sand=63-2000", the ranges running from 0 without
// gap. Throws ConversionError with the reason.
DataFractions ParseFractions(const std::string& text);

// The particle-size limits a scheme file states; throws ConversionError naming id when it states
// none.
ParticleLimits SchemeLimits(const std::string& path, const std::string& id);

// Numbers of converted columns: up to four decimals, no trailing zeros ("37.3205", "20").
std::string ConvertedText(double value);

// Reads the data fractions of a record as classify reads values: fields not wholly a number
// within 0 to 100 are missing, one missing value is completed, a sum within the tolerance is
// scaled to 100, and any other sum off 100 by more than 1e-6 fails the row.
class FractionRow {
public:
    FractionRow(std::vector<std::size_t> columns, std::optional<double> normaliseTolerance);

    // Classified when the values are usable (then Values() holds them).
    RowOutcome Read(const SampleReader& reader);
    const double* Values() const { return mValues.data(); }
    const std::vector<std::size_t>& Columns() const { return mColumns; }

private:
    std::vector<std::size_t> mColumns;
    std::optional<double> mTolerance;
    std::vector<double> mValues;
};
