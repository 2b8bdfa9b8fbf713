#include "cli/datafractions.h"

#include "cli/schemeargument.h"
#include "samples/samplereader.h"
#include "scheme/schemefile.h"
#include "util/futil.h"
#include "util/numbertext.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

bool Size(std::string_view text, double* value) {
    return !text.empty() && numbertext::ParseWhole(text, value) && std::isfinite(*value) &&
           *value >= 0;
}

} // namespace

DataFractions ParseDataLimits(const std::string& text) {
    if (text.find_first_not_of("0123456789., ") != std::string::npos) {
        ParticleLimits limits = SchemeLimits(SchemeFilePath(text), text);
        return {{}, LimitDiameters(limits)};
    }
    const std::vector<std::string_view> parts = Split(text, ',');
    std::vector<double> sizes(parts.size());
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (!Size(parts[i], &sizes[i]))
            throw ConversionError("\"" + text + "\" is not three sizes in µm such as 2,63,2000");
    }
    if (sizes.size() != 3 || !(sizes[0] > 0 && sizes[0] < sizes[1] && sizes[1] < sizes[2]))
        throw ConversionError("\"" + text + "\" is not three increasing sizes in µm such as " +
                              "2,63,2000");
    return {{}, sizes};
}

DataFractions ParseFractions(const std::string& text) {
    DataFractions data;
    std::vector<std::array<double, 2>> ranges;
    for (const std::string_view part : Split(text, ',')) {
        const std::size_t equals = part.find('=');
        const std::size_t dash = part.find('-', equals == std::string_view::npos ? 0 : equals);
        std::array<double, 2> range{};
        if (equals == 0 || equals == std::string_view::npos || dash == std::string_view::npos ||
            !Size(part.substr(equals + 1, dash - equals - 1), &range[0]) ||
            !Size(part.substr(dash + 1), &range[1]))
            throw ConversionError("\"" + std::string(part) +
                                  "\" is not NAME=FROM-TO with sizes in µm, as clay=0-2");
        const std::string name(part.substr(0, equals));
        if (std::find(data.names.begin(), data.names.end(), name) != data.names.end())
            throw ConversionError("the column \"" + name + "\" is named twice");
        data.names.push_back(name);
        ranges.push_back(range);
    }
    data.diameters = FractionDiameters(ranges);
    return data;
}

ParticleLimits SchemeLimits(const std::string& path, const std::string& id) {
    if (path.empty())
        throw ConversionError("no bundled scheme is called \"" + id +
                              "\" (granum-cli schemes lists them)");
    const SchemeMetadata metadata = ReadSchemeFileMetadata(path);
    if (!metadata.limits)
        throw ConversionError("the scheme " + id + " does not state its particle-size limits " +
                              "(a details line such as \"limits: 2 50 2000\")");
    return *metadata.limits;
}

std::string ConvertedText(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 4);
    std::string_view digits(text, std::size_t(result.ptr - text));
    digits = digits.substr(0, digits.find_last_not_of('0') + 1);
    if (digits.back() == '.')
        digits.remove_suffix(1);
    return digits == "-0" ? "0" : std::string(digits);
}

FractionRow::FractionRow(std::vector<std::size_t> columns, std::optional<double> normaliseTolerance)
    : mColumns(std::move(columns)), mTolerance(normaliseTolerance), mValues(mColumns.size()) {}

RowOutcome FractionRow::Read(const SampleReader& reader) {
    for (std::size_t i = 0; i < mColumns.size(); ++i)
        mValues[i] = FieldValue(reader.Field(mColumns[i]));
    switch (CompleteFractions(mValues.data(), mColumns.size(), mTolerance)) {
    case FractionsRead::Usable:
        return RowOutcome::Classified;
    case FractionsRead::TooFew:
        return RowOutcome::TooFewValues;
    case FractionsRead::Unusable:
        break;
    }
    return RowOutcome::Failed;
}
