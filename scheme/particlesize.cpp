#include "scheme/particlesize.h"

#include "scheme/soiltex.h"
#include "util/futil.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace {

std::string SizeText(double d) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", d);
    return text;
}

// Fritsch-Carlson tangents m of the n points (x, y), y not decreasing: the original form
// (three-point average, then limited to the circle of radius 3), which keeps every piece
// monotone. secant is scratch space of n - 1 values.
void MonotoneTangents(const double* x, const double* y, std::size_t n, double* secant, double* m) {
    for (std::size_t i = 0; i + 1 < n; ++i)
        secant[i] = (y[i + 1] - y[i]) / (x[i + 1] - x[i]);
    m[0] = secant[0];
    m[n - 1] = secant[n - 2];
    for (std::size_t i = 1; i + 1 < n; ++i)
        m[i] = secant[i - 1] * secant[i] <= 0 ? 0 : (secant[i - 1] + secant[i]) / 2;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (secant[i] == 0) {
            m[i] = m[i + 1] = 0;
            continue;
        }
        const double a = m[i] / secant[i], b = m[i + 1] / secant[i];
        const double r = a * a + b * b;
        if (r > 9) {
            const double tau = 3 / std::sqrt(r);
            m[i] = tau * a * secant[i];
            m[i + 1] = tau * b * secant[i];
        }
    }
}

// The cubic Hermite piece from (x0, y0) to (x0 + h, y1) with tangents m0, m1, at fraction t;
// rounding is kept inside the monotone piece.
double Hermite(double t, double h, double y0, double y1, double m0, double m1) {
    const double t2 = t * t, t3 = t2 * t;
    const double value = (2 * t3 - 3 * t2 + 1) * y0 + (t3 - 2 * t2 + t) * h * m0 +
                         (-2 * t3 + 3 * t2) * y1 + (t3 - t2) * h * m1;
    return std::clamp(value, y0, y1);
}

void CheckCurve(const std::vector<double>& diameters, const std::vector<double>& cumulative) {
    bool ok = !diameters.empty() && diameters.size() == cumulative.size() && diameters[0] > 0;
    for (std::size_t i = 1; ok && i < diameters.size(); ++i)
        ok = diameters[i] > diameters[i - 1] && cumulative[i] >= cumulative[i - 1];
    if (!ok)
        throw std::invalid_argument("CumulativeAt");
}

} // namespace

double CumulativeAt(const std::vector<double>& diameters, const std::vector<double>& cumulative,
                    double d, CurveMethod method) {
    CheckCurve(diameters, cumulative);
    if (!(d >= diameters.front() && d <= diameters.back()))
        throw ConversionError("the curve is known from " + SizeText(diameters.front()) + " to " +
                              SizeText(diameters.back()) + " µm, not at " + SizeText(d) + " µm");
    const std::size_t n = diameters.size();
    const std::size_t hi =
        std::size_t(std::lower_bound(diameters.begin(), diameters.end(), d) - diameters.begin());
    if (diameters[hi] == d)
        return cumulative[hi];
    const std::size_t lo = hi - 1;
    const double x0 = std::log(diameters[lo]), x1 = std::log(diameters[hi]);
    const double h = x1 - x0, t = (std::log(d) - x0) / h;
    const double y0 = cumulative[lo], y1 = cumulative[hi];
    if (method == CurveMethod::LogLinear || n < 4)
        return y0 + t * (y1 - y0);
    std::vector<double> x(n), secant(n), m(n);
    std::transform(diameters.begin(), diameters.end(), x.begin(),
                   [](double v) { return std::log(v); });
    MonotoneTangents(x.data(), cumulative.data(), n, secant.data(), m.data());
    return Hermite(t, h, y0, y1, m[lo], m[hi]);
}

std::vector<double> FractionDiameters(const std::vector<std::array<double, 2>>& ranges) {
    std::vector<double> diameters;
    double expected = 0;
    for (const std::array<double, 2>& r : ranges) {
        const std::string pair = SizeText(r[0]) + "-" + SizeText(r[1]);
        if (r[0] != expected)
            throw ConversionError("the fraction " + pair + " µm does not start where the one " +
                                  "before ends (" + SizeText(expected) + " µm)");
        if (!(r[1] > r[0]) || !std::isfinite(r[1]))
            throw ConversionError("the fraction " + pair + " µm does not end above its start");
        diameters.push_back(r[1]);
        expected = r[1];
    }
    if (diameters.size() < 2)
        throw ConversionError("at least two fractions are needed");
    return diameters;
}

std::vector<double> LimitDiameters(const ParticleLimits& limits) {
    return {limits.clay, limits.silt, limits.sand};
}

FractionConversion::FractionConversion(std::vector<double> dataDiameters,
                                       const ParticleLimits& target, ConversionOptions options)
    : mData(std::move(dataDiameters)), mTarget{target.clay, target.silt, target.sand},
      mMethod(options.method) {
    CheckCurve(mData, mData);
    for (const double d : mData)
        mLogData.push_back(std::log(d));
    mIdentity = mData.size() == 3 && mData[0] == mTarget[0] && mData[1] == mTarget[1] &&
                mData[2] == mTarget[2];
    if (options.topAsGiven)
        mTarget[2] = mData.back();
    if (!(mTarget[1] < mTarget[2]))
        throw ConversionError("the data end at " + SizeText(mData.back()) +
                              " µm, below the silt limit of " + SizeText(target.silt) + " µm");
    if (mTarget[0] < mData.front())
        throw ConversionError("the data's finest fraction ends at " + SizeText(mData.front()) +
                              " µm: the clay below " + SizeText(target.clay) +
                              " µm cannot be told from it");
    if (mTarget[2] > mData.back())
        throw ConversionError("the data end at " + SizeText(mData.back()) + " µm, the sand limit " +
                              "is " + SizeText(target.sand) +
                              " µm (take the data's top as the sand limit to convert anyway)");
    for (std::size_t k = 0; k < 3; ++k) {
        const std::size_t hi =
            std::size_t(std::lower_bound(mData.begin(), mData.end(), mTarget[k]) - mData.begin());
        if (mData[hi] == mTarget[k]) {
            mKnots[k] = {hi, 0};
        } else {
            const double x0 = std::log(mData[hi - 1]);
            mKnots[k] = {hi - 1, (std::log(mTarget[k]) - x0) / (std::log(mData[hi]) - x0)};
        }
    }
}

bool FractionConversion::Convert(const double* fractions, TextureFractions* out) const {
    const std::size_t n = mData.size();
    // Up to a dozen fractions: the curve lives on the stack.
    constexpr std::size_t kStack = 16;
    double stack[3 * kStack];
    std::vector<double> heap;
    double* c = stack;
    if (n > kStack) {
        heap.resize(3 * n);
        c = heap.data();
    }
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i)
        c[i] = sum += fractions[i];
    std::array<double, 3> at{};
    if (mMethod == CurveMethod::MonotoneCubic && n >= 4) {
        double* m = c + n;
        MonotoneTangents(mLogData.data(), c, n, m + n, m);
        for (std::size_t k = 0; k < 3; ++k) {
            const Knot& knot = mKnots[k];
            at[k] = knot.t == 0 ? c[knot.i]
                                : Hermite(knot.t, mLogData[knot.i + 1] - mLogData[knot.i],
                                          c[knot.i], c[knot.i + 1], m[knot.i], m[knot.i + 1]);
        }
    } else {
        for (std::size_t k = 0; k < 3; ++k) {
            const Knot& knot = mKnots[k];
            at[k] = knot.t == 0 ? c[knot.i] : c[knot.i] + knot.t * (c[knot.i + 1] - c[knot.i]);
        }
    }
    if (!(at[2] > 0))
        return false;
    // The target's fine earth is what lies below its sand limit.
    const double scale = 100 / at[2];
    out->clay = at[0] * scale;
    out->silt = (at[1] - at[0]) * scale;
    out->sand = std::max(0.0, 100 - out->clay - out->silt);
    return true;
}

CompositionConversion::CompositionConversion(const ParticleLimits& data,
                                             const ParticleLimits& scheme,
                                             const std::optional<std::array<int, 3>>& axes,
                                             ConversionOptions options)
    : mConversion(LimitDiameters(data), scheme, options) {
    if (!axes)
        throw ConversionError("the scheme's axes are not clay, silt and sand");
    mAxes = *axes;
}

bool CompositionConversion::Convert(double* x, double* y, double* z) const {
    double* values[] = {x, y, z};
    double data[3];
    for (std::size_t k = 0; k < 3; ++k)
        data[mAxes[k]] = *values[k];
    TextureFractions f;
    if (!mConversion.Convert(data, &f))
        return false;
    const double converted[] = {f.clay, f.silt, f.sand};
    for (std::size_t k = 0; k < 3; ++k)
        *values[k] = converted[mAxes[k]];
    return true;
}

std::optional<std::array<int, 3>> TextureAxes(const soiltex& scheme) {
    const auto kind = [](std::string name) {
        const std::size_t first = name.find_first_not_of(" \t");
        const std::size_t last = name.find_last_not_of(" \t");
        name = first == std::string::npos ? std::string() : name.substr(first, last - first + 1);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char ch) { return char(std::tolower(ch)); });
        return name == "clay" ? 0 : name == "silt" ? 1 : name == "sand" ? 2 : -1;
    };
    const std::array<int, 3> axes{kind(scheme.GetXName()), kind(scheme.GetYName()),
                                  kind(scheme.GetZName())};
    if (axes[0] < 0 || axes[1] < 0 || axes[2] < 0 || axes[0] + axes[1] + axes[2] != 3 ||
        axes[0] == axes[1])
        return std::nullopt;
    return axes;
}

std::string LimitsText(const ParticleLimits& limits) {
    return SizeText(limits.clay) + "/" + SizeText(limits.silt) + "/" + SizeText(limits.sand);
}

FractionsRead CompleteFractions(double* values, std::size_t n,
                                std::optional<double> normaliseTolerance) {
    std::size_t gaps = 0, gap = 0;
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (values[i] < 0) {
            ++gaps;
            gap = i;
        } else {
            sum += values[i];
        }
    }
    if (gaps > 1)
        return FractionsRead::TooFew;
    if (gaps == 1) {
        // One missing value is the rest of 100, as in the sheet.
        values[gap] = 100 - sum;
        sum = 100;
    } else if (normaliseTolerance && sum > 0 &&
               futil::le(std::fabs(sum - 100), *normaliseTolerance)) {
        for (std::size_t i = 0; i < n; ++i)
            values[i] *= 100 / sum;
        sum = 100;
    }
    if (!futil::eq(sum, 100))
        return FractionsRead::Unusable;
    for (std::size_t i = 0; i < n; ++i) {
        if (!futil::ge(values[i], 0))
            return FractionsRead::Unusable;
        values[i] = std::max(values[i], 0.0);
    }
    return FractionsRead::Usable;
}
