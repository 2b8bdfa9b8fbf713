#include "cli/lookupcommand.h"

#include "cli/errorline.h"
#include "cli/exitstatus.h"
#include "cli/rowclassifier.h"
#include "scheme/pointclassifier.h"
#include "scheme/samplelookup.h"

#include <optional>
#include <ostream>
#include <vector>

int RunLookup(const soiltex& scheme, const std::array<std::string, 3>& values, std::ostream& out,
              std::ostream& err) {
    const std::array<std::string, 3> axes{scheme.GetXName(), scheme.GetYName(), scheme.GetZName()};
    std::array<double, 3> value{};
    for (std::size_t i = 0; i < 3; ++i) {
        // A typed value is never quietly taken as missing: only "-" says that.
        if (values[i] == "-") {
            value[i] = -1;
            continue;
        }
        if (values[i].empty() || !IsValidComposition(values[i]))
            return PrintUsageError(err, axes[i] + " \"" + values[i] +
                                            "\" is not a number within 0 to 100 (- is a "
                                            "missing value)");
        value[i] = FieldValue(values[i]);
    }
    const std::optional<Composition> row = CompleteRow(value[0], value[1], value[2]);
    if (!row)
        PrintError(err,
                   "two or more of " + axes[0] + ", " + axes[1] + ", " + axes[2] + " are missing");
    // The scheme was checked when it was loaded.
    PointClassifier classifier(scheme, SchemeCheck::AlreadyDone);
    const std::vector<int> classes =
        row ? classifier.Classify(row->x, row->y, row->z) : std::vector<int>();
    if (classes.empty()) {
        out << kFailText << '\n';
        return kExitFailed;
    }
    for (int index : classes)
        out << scheme.Classes()[std::size_t(index)].name << '\n';
    return kExitOk;
}
