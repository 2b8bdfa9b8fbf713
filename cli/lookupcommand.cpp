#include "cli/lookupcommand.h"

#include "cli/certaintycolumns.h"
#include "cli/errorline.h"
#include "cli/exitstatus.h"
#include "cli/rowclassifier.h"
#include "scheme/pointclassifier.h"
#include "scheme/samplelookup.h"

#include <optional>
#include <ostream>
#include <vector>

namespace {

// The values as numbers, -1 for "-"; nullopt after a usage error on err.
std::optional<std::array<double, 3>>
ReadValues(const soiltex& scheme, const std::array<std::string, 3>& values, std::ostream& err) {
    const std::array<std::string, 3> axes{scheme.GetXName(), scheme.GetYName(), scheme.GetZName()};
    std::array<double, 3> value{};
    for (std::size_t i = 0; i < 3; ++i) {
        // A typed value is never quietly taken as missing: only "-" says that.
        if (values[i] == "-") {
            value[i] = -1;
            continue;
        }
        if (values[i].empty() || !IsValidComposition(values[i])) {
            PrintUsageError(err, axes[i] + " \"" + values[i] +
                                     "\" is not a number within 0 to 100 (- is a missing value)");
            return std::nullopt;
        }
        value[i] = FieldValue(values[i]);
    }
    return value;
}

// The indices of the classes holding the composition; empty for none or too few values.
std::vector<int> Classes(const soiltex& scheme, const std::array<double, 3>& value) {
    const std::optional<Composition> row = CompleteRow(value[0], value[1], value[2]);
    if (!row)
        return {};
    // The scheme was checked when it was loaded.
    PointClassifier classifier(scheme, SchemeCheck::AlreadyDone);
    return classifier.Classify(row->x, row->y, row->z);
}

bool TooFewValues(const std::array<double, 3>& value) {
    return !CompleteRow(value[0], value[1], value[2]);
}

// Under a lab error, each class with its share and the distance, every line after prefix.
void WriteCertainty(const soiltex& scheme, const std::array<double, 3>& value, LabError error,
                    const std::string& prefix, std::ostream& out) {
    Certainty certainty(scheme, error);
    WriteCertaintyLines(certainty, *CompleteRow(value[0], value[1], value[2]), prefix, out);
}

} // namespace

int RunLookup(const soiltex& scheme, const std::array<std::string, 3>& values, std::ostream& out,
              std::ostream& err, std::optional<LabError> error) {
    const std::optional<std::array<double, 3>> value = ReadValues(scheme, values, err);
    if (!value)
        return kExitUnusable;
    if (TooFewValues(*value))
        PrintError(err, "two or more of " + AxisList(scheme) + " are missing");
    const std::vector<int> classes = Classes(scheme, *value);
    if (classes.empty()) {
        out << kFailText << '\n';
        return kExitFailed;
    }
    if (error) {
        WriteCertainty(scheme, *value, *error, "", out);
        return kExitOk;
    }
    for (int index : classes)
        out << scheme.Classes()[std::size_t(index)].name << '\n';
    return kExitOk;
}

int RunLookup(const std::vector<ChosenScheme>& schemes, const std::array<std::string, 3>& values,
              std::ostream& out, std::ostream& err, std::optional<LabError> error) {
    if (schemes.size() == 1)
        return RunLookup(schemes[0].scheme, values, out, err, error);
    const soiltex& first = schemes[0].scheme;
    std::vector<std::array<std::size_t, 3>> mappings;
    for (const ChosenScheme& s : schemes) {
        const std::optional<std::array<std::size_t, 3>> mapping = AxisMapping(first, s.scheme);
        if (!mapping)
            return PrintUsageError(err, AxisMismatch(s.id, s.scheme, schemes[0].id, first));
        mappings.push_back(*mapping);
    }
    const std::optional<std::array<double, 3>> value = ReadValues(first, values, err);
    if (!value)
        return kExitUnusable;
    if (TooFewValues(*value))
        PrintError(err, "two or more of " + AxisList(first) + " are missing");
    int status = kExitOk;
    for (std::size_t k = 0; k < schemes.size(); ++k) {
        const std::array<std::size_t, 3>& m = mappings[k];
        const std::array<double, 3> own{(*value)[m[0]], (*value)[m[1]], (*value)[m[2]]};
        const std::vector<int> classes = Classes(schemes[k].scheme, own);
        if (error && !classes.empty()) {
            WriteCertainty(schemes[k].scheme, own, *error, schemes[k].id + ": ", out);
            continue;
        }
        out << schemes[k].id << ": ";
        if (classes.empty()) {
            out << kFailText;
            status = kExitFailed;
        }
        for (std::size_t i = 0; i < classes.size(); ++i)
            out << (i > 0 ? " / " : "")
                << schemes[k].scheme.Classes()[std::size_t(classes[i])].name;
        out << '\n';
    }
    return status;
}
