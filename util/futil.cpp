#include "util/futil.h"

#include <cmath>
#include <stdexcept>

namespace futil {

bool eq(double a, double b) {
    // This exact form (not |a - b| < tol) decides the results at the edge of the tolerance.
    return b - kTolerance < a && a < b + kTolerance;
}

bool ne(double a, double b) { return !eq(a, b); }

bool lt(double a, double b) { return a < b && !eq(a, b); }

bool le(double a, double b) { return a < b || eq(a, b); }

bool ge(double a, double b) { return a > b || eq(a, b); }

void round(double& v, int32_t n) {
    if (n < 0)
        throw std::invalid_argument("futil::round");
    const double p = std::pow(10.0, n);
    v *= p;
    if (v > 0) {
        const double f = v - std::floor(v);
        v = ge(f, 0.5) ? std::ceil(v) : std::floor(v);
    } else {
        const double f = std::fabs(v) - std::floor(std::fabs(v));
        v = ge(f, 0.5) ? std::floor(v) : std::ceil(v);
    }
    v /= p;
}

} // namespace futil
