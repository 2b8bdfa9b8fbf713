#pragma once

#include "scheme/schememetadata.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class soiltex;

// Particle-size conversion: fractions measured with one set of size limits turned into the clay,
// silt and sand of another, by evaluating the cumulative curve (percent finer than a diameter) at
// the other limits. Diameters are in micrometres throughout.

// Why a conversion cannot be made, in words for the user ("the data end at 1000 µm, ...").
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class CurveMethod {
    LogLinear,     // straight lines between known points in log(diameter)
    MonotoneCubic, // Fritsch-Carlson in log(diameter); log-linear below four known points
};

struct ConversionOptions {
    CurveMethod method = CurveMethod::LogLinear;
    // Take the data's largest diameter as the target's sand limit, whichever is larger (data
    // whose sand ends at 1000 µm counted as sand to 2000 µm).
    bool topAsGiven = false;
};

// Percent finer than diameter d on the curve through (diameters[i], cumulative[i]): diameters
// increasing and positive, cumulative not decreasing. Exact at a known diameter. Throws
// ConversionError when d lies outside the known diameters and std::invalid_argument
// "CumulativeAt" when the curve is not as described.
double CumulativeAt(const std::vector<double>& diameters, const std::vector<double>& cumulative,
                    double d, CurveMethod method);

// The upper limits of particle-size fractions given as (lower, upper) pairs, which must run
// without gap or overlap from 0 upward. Throws ConversionError saying which pair is wrong.
std::vector<double> FractionDiameters(const std::vector<std::array<double, 2>>& ranges);

// The three limits as curve diameters: clay, silt, sand.
std::vector<double> LimitDiameters(const ParticleLimits& limits);

// Clay, silt and sand in percent.
struct TextureFractions {
    double clay = 0;
    double silt = 0;
    double sand = 0;
};

// How a row's data fractions read (CompleteFractions).
enum class FractionsRead { Usable, TooFew, Unusable };

// The batch tool's rule on a row's data fractions, in percent, negative for missing: one missing
// value is the rest of 100, a sum within the tolerance is scaled to 100; then the sum must be 100
// (to 1e-6) and none negative (values just below 0 become 0). Changes the values in place.
FractionsRead CompleteFractions(double* values, std::size_t n,
                                std::optional<double> normaliseTolerance);

// Converts rows measured in fractions ending at dataDiameters into the three fractions of the
// target limits. Built once per data layout and target; Convert is cheap.
class FractionConversion {
public:
    // Throws ConversionError when the target needs the curve below the data's smallest diameter,
    // or above its largest without topAsGiven.
    FractionConversion(std::vector<double> dataDiameters, const ParticleLimits& target,
                       ConversionOptions options = {});

    // The data are the target's clay, silt and sand: callers pass the values on untouched.
    bool IsIdentity() const { return mIdentity; }
    std::size_t FractionCount() const { return mData.size(); }

    // fractions: one percentage per data fraction, none negative, summing to 100. The result sums
    // to 100 (the target's fine earth; material above its sand limit is left out). False when no
    // material lies below the target's sand limit.
    bool Convert(const double* fractions, TextureFractions* out) const;

private:
    // Where a target diameter falls: between data points i and i + 1 at weight t.
    struct Knot {
        std::size_t i = 0;
        double t = 0;
    };

    std::vector<double> mData;
    std::vector<double> mLogData;
    std::array<double, 3> mTarget{};
    std::array<Knot, 3> mKnots{};
    CurveMethod mMethod;
    bool mIdentity = false;
};

// One composition at a time in a scheme's axis order: data measured with dataLimits turned into
// the scheme's own (the sample sheet's conversion). Throws ConversionError as FractionConversion,
// and when the axes are not clay, silt and sand (axes: TextureAxes of the scheme).
class CompositionConversion {
public:
    CompositionConversion(const ParticleLimits& data, const ParticleLimits& scheme,
                          const std::optional<std::array<int, 3>>& axes,
                          ConversionOptions options = {});
    bool IsIdentity() const { return mConversion.IsIdentity(); }
    // x, y and z in the scheme's axis order, none negative, summing to 100; replaced by the
    // converted values. False (values unchanged) when no material is below the sand limit.
    bool Convert(double* x, double* y, double* z) const;

private:
    FractionConversion mConversion;
    std::array<int, 3> mAxes{};
};

// For the scheme's axes x, y and z, which fraction each is: 0 clay, 1 silt, 2 sand, by its name
// (ignoring case and surrounding blanks). nullopt when the names are not those three.
std::optional<std::array<int, 3>> TextureAxes(const soiltex& scheme);

// "2/63/2000 µm"-style text of limits: "2/63/2000".
std::string LimitsText(const ParticleLimits& limits);
