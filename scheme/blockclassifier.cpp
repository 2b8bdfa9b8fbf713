#include "scheme/blockclassifier.h"

#include "scheme/samplelookup.h"
#include "util/futil.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

// 4 MiB of codes: the whole g/kg square of two axes (1001 x 1001) with room for sums a few
// units off in a third.
constexpr std::int64_t kMaxTableCells = std::int64_t(1) << 22;
// Sums further off than this many stored units are rare enough for the cell path.
constexpr std::int64_t kMaxSumSpread = 8;

// The stored values of an axis whose percent can be accepted, with one to spare on each side
// (the table is a memo of ClassifyCell, so a wider range only costs room). Nothing for a scale
// that makes the range unbounded.
std::optional<std::pair<std::int64_t, std::int64_t>> StoredRange(const StoredAxis& axis) {
    if (!(axis.scale != 0) || !std::isfinite(axis.scale) || !std::isfinite(axis.offset))
        return std::nullopt;
    const double a = (0 - axis.offset) / axis.scale;
    const double b = (100 - axis.offset) / axis.scale;
    const double lo = std::floor(std::min(a, b)) - 1, hi = std::ceil(std::max(a, b)) + 1;
    constexpr double kMin = std::numeric_limits<int32_t>::min();
    constexpr double kMax = std::numeric_limits<int32_t>::max();
    if (!(hi - lo < double(kMaxTableCells)) || hi < kMin || lo > kMax)
        return std::nullopt;
    return std::make_pair(std::int64_t(std::max(lo, kMin)), std::int64_t(std::min(hi, kMax)));
}

} // namespace

// Codes of the stored pairs (a, b) of the first two present axes, and with a third axis of the
// sums a + b + c within spread of the sum that makes 100 percent.
struct BlockClassifier::Table {
    int32_t lo0 = 0, lo1 = 0;
    uint32_t n0 = 0, n1 = 0;
    std::int64_t sum = 0;    // stored sum of 100 percent
    std::int64_t spread = 0; // sums from sum - spread to sum + spread
    std::vector<uint8_t> codes;
};

BlockClassifier::BlockClassifier(const soiltex& scheme, const std::array<StoredAxis, 3>& axes,
                                 std::optional<double> normaliseTolerance)
    : mClassifier(scheme), mAxes(axes), mTolerance(normaliseTolerance) {
    const int present =
        int(std::count_if(axes.begin(), axes.end(), [](const StoredAxis& a) { return a.present; }));
    if (!mClassifier.SchemeIsValid() || present < 2)
        throw std::invalid_argument("BlockClassifier");
    for (const TextureClass& c : scheme.Classes()) {
        const std::size_t index =
            std::size_t(std::find(mNames.begin(), mNames.end(), c.name) - mNames.begin());
        if (index == mNames.size())
            mNames.push_back(c.name);
        mCodeOfClass.push_back(uint8_t(1 + std::min(index, kMaxNames)));
    }
    if (mNames.size() > kMaxNames)
        throw std::invalid_argument("BlockClassifier");
    int k = 0;
    for (int i = 0; i < 3; ++i) {
        if (axes[std::size_t(i)].present)
            mOrder[std::size_t(k++)] = i;
    }
    for (int i = 0; i < 3; ++i) {
        if (!axes[std::size_t(i)].present)
            mOrder[2] = i;
    }
}

// FieldValue's rule on a number: accepted within 0 to 100 (tolerance 1e-6), else missing.
double BlockClassifier::Percent(int axis, double stored) const {
    const StoredAxis& a = mAxes[std::size_t(axis)];
    if (!a.present || (a.noData && stored == *a.noData))
        return -1;
    const double v = stored * a.scale + a.offset;
    return futil::ge(v, 0.0) && futil::le(v, 100.0) ? v : -1;
}

uint8_t BlockClassifier::ClassifyCell(double sx, double sy, double sz) {
    const std::optional<Composition> row =
        CompleteRow(Percent(0, sx), Percent(1, sy), Percent(2, sz), mTolerance);
    if (!row)
        return kNoData;
    const std::vector<int>& classes = mClassifier.Classify(row->x, row->y, row->z);
    return classes.empty() ? kFail : mCodeOfClass[std::size_t(classes.front())];
}

void BlockClassifier::Classify(const double* x, const double* y, const double* z, std::size_t n,
                               uint8_t* out) {
    for (std::size_t i = 0; i < n; ++i)
        out[i] = ClassifyCell(x ? x[i] : 0, y ? y[i] : 0, z ? z[i] : 0);
}

bool BlockClassifier::BuildTable() {
    if (mTableTried)
        return mTable != nullptr;
    mTableTried = true;
    const StoredAxis& a0 = mAxes[std::size_t(mOrder[0])];
    const StoredAxis& a1 = mAxes[std::size_t(mOrder[1])];
    const auto r0 = StoredRange(a0), r1 = StoredRange(a1);
    if (!r0 || !r1)
        return false;
    auto table = std::make_shared<Table>();
    table->lo0 = int32_t(r0->first);
    table->lo1 = int32_t(r1->first);
    table->n0 = uint32_t(r0->second - r0->first + 1);
    table->n1 = uint32_t(r1->second - r1->first + 1);
    const std::int64_t square = std::int64_t(table->n0) * table->n1;
    if (square > kMaxTableCells)
        return false;
    const bool three = mAxes[std::size_t(mOrder[2])].present;
    if (three) {
        // A third dimension needs one scale, so that a stored sum stands for one percent sum.
        const StoredAxis& a2 = mAxes[std::size_t(mOrder[2])];
        if (a0.scale != a1.scale || a1.scale != a2.scale)
            return false;
        const double sum = (100 - a0.offset - a1.offset - a2.offset) / a0.scale;
        if (!(std::fabs(sum) < 1e15))
            return false;
        table->sum = std::llround(sum);
        table->spread = std::min(kMaxSumSpread, (kMaxTableCells / square - 1) / 2);
        if (table->spread < 0)
            return false;
    }
    const std::int64_t layers = 2 * table->spread + 1;
    table->codes.resize(std::size_t(square * layers));
    std::size_t k = 0;
    std::array<double, 3> stored{};
    for (std::int64_t d = -table->spread; d <= table->spread; ++d) {
        for (uint32_t b = 0; b < table->n1; ++b) {
            for (uint32_t a = 0; a < table->n0; ++a) {
                const std::int64_t s0 = table->lo0 + std::int64_t(a);
                const std::int64_t s1 = table->lo1 + std::int64_t(b);
                stored[std::size_t(mOrder[0])] = double(s0);
                stored[std::size_t(mOrder[1])] = double(s1);
                stored[std::size_t(mOrder[2])] = three ? double(table->sum + d - s0 - s1) : 0;
                table->codes[k++] = ClassifyCell(stored[0], stored[1], stored[2]);
            }
        }
    }
    mTable = std::move(table);
    return true;
}

void BlockClassifier::Classify(const int32_t* x, const int32_t* y, const int32_t* z, std::size_t n,
                               uint8_t* out) {
    if (!BuildTable()) {
        for (std::size_t i = 0; i < n; ++i)
            out[i] = ClassifyCell(x ? x[i] : 0, y ? y[i] : 0, z ? z[i] : 0);
        return;
    }
    const std::array<const int32_t*, 3> axes{x, y, z};
    const int32_t* p0 = axes[std::size_t(mOrder[0])];
    const int32_t* p1 = axes[std::size_t(mOrder[1])];
    const int32_t* p2 =
        mAxes[std::size_t(mOrder[2])].present ? axes[std::size_t(mOrder[2])] : nullptr;
    const Table& t = *mTable;
    const uint8_t* codes = t.codes.data();
    const uint64_t layers = uint64_t(2 * t.spread + 1);
    for (std::size_t i = 0; i < n; ++i) {
        // Unsigned differences: a value below the range wraps to a large one and fails the test.
        const uint32_t a = uint32_t(p0[i]) - uint32_t(t.lo0);
        const uint32_t b = uint32_t(p1[i]) - uint32_t(t.lo1);
        if (a < t.n0 && b < t.n1) {
            std::size_t at = std::size_t(b) * t.n0 + a;
            if (p2 == nullptr) {
                out[i] = codes[at];
                continue;
            }
            const uint64_t d = uint64_t(std::int64_t(p0[i]) + p1[i] + p2[i] - t.sum + t.spread);
            if (d < layers) {
                out[i] = codes[at + std::size_t(d) * t.n0 * t.n1];
                continue;
            }
        }
        out[i] = ClassifyCell(x ? x[i] : 0, y ? y[i] : 0, z ? z[i] : 0);
    }
}
