#include "scheme/samplelookup.h"

#include "util/futil.h"
#include "util/numbertext.h"

#include <cmath>

bool IsValidComposition(std::string_view text) {
    double value = 0.0;
    return numbertext::ParseWhole(text, &value) && futil::ge(value, 0.0) && futil::le(value, 100.0);
}

double CellValue(std::string_view text) {
    double value = -1.0;
    if (text.empty() || !numbertext::ParseWhole(text, &value))
        return -1.0;
    return value;
}

std::optional<Composition> CompleteRow(double x, double y, double z) {
    const bool noX = x < 0;
    const bool noY = y < 0;
    const bool noZ = z < 0;
    if ((noX && (noY || noZ)) || (noY && noZ))
        return std::nullopt;
    if (!noX) {
        if (noY)
            y = 100 - (z + x);
        else if (noZ)
            z = 100 - (y + x);
    } else {
        x = 100 - (z + y);
    }
    return Composition{x, y, z};
}

std::optional<Composition> CompleteRow(double x, double y, double z,
                                       std::optional<double> normaliseTolerance) {
    if (normaliseTolerance && x >= 0 && y >= 0 && z >= 0) {
        const double sum = x + y + z;
        if (sum > 0 && futil::le(std::fabs(sum - 100), *normaliseTolerance)) {
            const double scale = 100 / sum;
            x *= scale;
            y *= scale;
            z *= scale;
        }
    }
    return CompleteRow(x, y, z);
}

std::string TextureText(const std::vector<TextureClass>& classes) {
    if (classes.empty())
        return std::string(kFailText);
    std::string text;
    for (std::size_t i = 0; i < classes.size(); ++i) {
        if (i > 0)
            text.append(kClassSeparator);
        text.append(classes[i].name);
    }
    return text;
}

bool IsPlottable(const Composition& c) {
    return futil::ge(c.x, 0.0) && futil::ge(c.y, 0.0) && futil::ge(c.z, 0.0) &&
           futil::eq(c.x + c.y + c.z, 100.0);
}

std::string ChartLabel(std::string_view sampleId, std::size_t row) {
    return sampleId.empty() ? "no. " + std::to_string(row) : std::string(sampleId);
}
