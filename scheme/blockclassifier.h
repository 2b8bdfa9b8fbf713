#pragma once

#include "scheme/cellclassifier.h"
#include "scheme/soiltex.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// How one axis of a map is stored: percent = stored * scale + offset; a stored value equal to
// noData is missing.
struct StoredAxis {
    bool present = true; // false: the axis has no input and is completed
    double scale = 1;
    double offset = 0;
    std::optional<double> noData;
};

// Classifies blocks of map cells into class codes, cell by cell as the batch tool classifies a
// row: a value that is missing, not a number or outside 0 to 100 counts as missing, the
// normalisation applies to three given values, one missing value is completed, and a cell's
// code is that of the first class the row's texture names (the border rules settle a shared
// boundary; a composition that several classes hold after them gets the first of those).
// Copies are cheap (the lookup table is shared) and each copy is for one thread at a time.
// Keeps a reference to the scheme, which must outlive it.
class BlockClassifier {
public:
    static constexpr uint8_t kNoData = 0; // two or more values missing
    static constexpr uint8_t kFail = 255; // no class holds the composition: "{ fail }"
    static constexpr std::size_t kMaxNames = 254;

    // axes in the scheme's x, y, z order; at most one may be absent. Throws std::invalid_argument
    // "BlockClassifier" for an unusable scheme, more than kMaxNames class names or fewer than
    // two present axes.
    BlockClassifier(const soiltex& scheme, const std::array<StoredAxis, 3>& axes,
                    std::optional<double> normaliseTolerance);

    // The class names; name k (from 0) has code k + 1. Records sharing a name share its code.
    const std::vector<std::string>& Names() const { return mNames; }

    // The code of one cell from its stored values (an absent axis's value is ignored).
    uint8_t ClassifyCell(double x, double y, double z);

    // Codes of n cells; a pointer of an absent axis may be null.
    void Classify(const double* x, const double* y, const double* z, std::size_t n, uint8_t* out);
    // Integer stored values: through a table of the codes of all stored pairs in the range of
    // 0 to 100 percent (built once, on the first call, with ClassifyCell), ClassifyCell for the
    // others. The same codes as ClassifyCell.
    void Classify(const int32_t* x, const int32_t* y, const int32_t* z, std::size_t n,
                  uint8_t* out);
    // Builds the table now (for timing, or before copies are handed to threads so that they
    // share it). False when the stored range is too wide for one.
    bool BuildTable();

private:
    struct Table;
    double Percent(int axis, double stored) const;

    CellClassifier mClassifier;
    std::array<StoredAxis, 3> mAxes;
    std::optional<double> mTolerance;
    std::vector<std::string> mNames;
    std::vector<uint8_t> mCodeOfClass; // code of each class record
    std::array<int, 3> mOrder{};       // the present axes first, then the absent one (if any)
    std::shared_ptr<const Table> mTable;
    bool mTableTried = false;
};
