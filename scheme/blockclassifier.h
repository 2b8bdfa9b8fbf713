#pragma once

#include "scheme/cellclassifier.h"
#include "scheme/certainty.h"
#include "scheme/particlesize.h"
#include "scheme/samplelookup.h"
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
// With a conversion, a cell's fractions are read as the batch tool reads a row's data fractions
// and converted to the scheme's limits before the lookup. With a lab error, each cell also gets
// the share of its class and the distance to the nearest other class, as the batch tool's
// certainty columns give them.
// Copies are cheap (the lookup tables are shared) and each copy is for one thread at a time.
// Keeps a reference to the scheme, which must outlive it.
class BlockClassifier {
public:
    static constexpr uint8_t kNoData = 0; // two or more values missing
    static constexpr uint8_t kFail = 255; // no class holds the composition: "{ fail }"
    static constexpr std::size_t kMaxNames = 254;
    // The share and distance of a cell without a class, and the distance of a class that
    // borders no other.
    static constexpr float kNoValue = -1;

    // axes in the scheme's x, y, z order; at most one may be absent. conversion: from the data's
    // clay, silt and sand to the scheme's. Throws std::invalid_argument "BlockClassifier" for an
    // unusable scheme, more than kMaxNames class names, fewer than two present axes, or a
    // conversion for a scheme whose axes are not clay, silt and sand.
    BlockClassifier(const soiltex& scheme, const std::array<StoredAxis, 3>& axes,
                    std::optional<double> normaliseTolerance,
                    std::optional<FractionConversion> conversion = std::nullopt);

    // Adds the share and distance (call before BuildTable and before copying). Throws as
    // ClassShares does for an unusable error size.
    void SetLabError(LabError error);
    bool HasLabError() const { return mCertainty.has_value(); }

    // The class names; name k (from 0) has code k + 1. Records sharing a name share its code.
    const std::vector<std::string>& Names() const { return mNames; }

    // The code of one cell from its stored values (an absent axis's value is ignored).
    uint8_t ClassifyCell(double x, double y, double z);

    // The share of the cell's class (0 to 1) and its distance to the nearest other class
    // (percentage points); kNoValue where there is none. Needs a lab error.
    void DescribeCell(double x, double y, double z, float* share, float* distance);

    // Codes of n cells; a pointer of an absent axis may be null. share and distance: with a lab
    // error, n values each as DescribeCell gives them, or null for none.
    void Classify(const double* x, const double* y, const double* z, std::size_t n, uint8_t* out,
                  float* share = nullptr, float* distance = nullptr);
    // Integer stored values: through a table of the codes of all stored pairs in the range of
    // 0 to 100 percent (built once, on the first call, with ClassifyCell), ClassifyCell for the
    // others. The same codes as ClassifyCell.
    // The shares and distances of the stored pairs in the table are kept as they are first
    // needed, shared by the copies.
    void Classify(const int32_t* x, const int32_t* y, const int32_t* z, std::size_t n, uint8_t* out,
                  float* share = nullptr, float* distance = nullptr);
    // Builds the table now (for timing, or before copies are handed to threads so that they
    // share it). False when the stored range is too wide for one.
    bool BuildTable();

private:
    struct Table;
    struct Memo;
    double Percent(int axis, double stored) const;
    // The composition the scheme's lookup takes, or the cell's code when there is none to
    // take (kNoData, kFail); 1 otherwise.
    uint8_t Compose(double sx, double sy, double sz, Composition* c) const;

    const soiltex* mScheme;
    CellClassifier mClassifier;
    std::array<StoredAxis, 3> mAxes;
    std::optional<double> mTolerance;
    std::vector<std::string> mNames;
    std::vector<uint8_t> mCodeOfClass; // code of each class record
    std::array<int, 3> mOrder{};       // the present axes first, then the absent one (if any)
    std::optional<FractionConversion> mConversion;
    std::array<int, 3> mFraction{}; // with a conversion: clay 0, silt 1, sand 2 of x, y and z
    std::optional<Certainty> mCertainty;
    CertaintyReport mReport;
    std::shared_ptr<const Table> mTable;
    std::shared_ptr<Memo> mMemo; // with a lab error and a table
    bool mTableTried = false;
};
