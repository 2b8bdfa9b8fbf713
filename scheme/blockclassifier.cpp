#include "scheme/blockclassifier.h"

#include "scheme/samplelookup.h"
#include "util/futil.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
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

    static constexpr std::size_t kNone = ~std::size_t(0);
    // Where the cell's stored values are in codes, or kNone.
    std::size_t IndexOf(const int32_t* p0, const int32_t* p1, const int32_t* p2,
                        std::size_t i) const {
        // Unsigned differences: a value below the range wraps to a large one and fails the test.
        const uint32_t a = uint32_t(p0[i]) - uint32_t(lo0);
        const uint32_t b = uint32_t(p1[i]) - uint32_t(lo1);
        if (a >= n0 || b >= n1)
            return kNone;
        const std::size_t at = std::size_t(b) * n0 + a;
        if (p2 == nullptr)
            return at;
        const uint64_t d = uint64_t(std::int64_t(p0[i]) + p1[i] + p2[i] - sum + spread);
        return d < uint64_t(2 * spread + 1) ? at + std::size_t(d) * n0 * n1 : kNone;
    }
};

// The share and distance of each table entry once computed (two floats in one word, so that
// threads filling it at once never see half of one); kUnknown before.
struct BlockClassifier::Memo {
    static constexpr uint64_t kUnknown = ~uint64_t(0);
    explicit Memo(std::size_t n) : cells(n) {
        for (std::atomic<uint64_t>& c : cells)
            c.store(kUnknown, std::memory_order_relaxed);
    }
    std::vector<std::atomic<uint64_t>> cells;
};

BlockClassifier::BlockClassifier(const soiltex& scheme, const std::array<StoredAxis, 3>& axes,
                                 std::optional<double> normaliseTolerance,
                                 std::optional<FractionConversion> conversion)
    : mScheme(&scheme), mClassifier(scheme), mAxes(axes), mTolerance(normaliseTolerance) {
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
    if (conversion && !conversion->IsIdentity()) {
        const std::optional<std::array<int, 3>> fractions = TextureAxes(scheme);
        if (!fractions)
            throw std::invalid_argument("BlockClassifier");
        mFraction = *fractions;
        mConversion = std::move(conversion);
    }
}

void BlockClassifier::SetLabError(LabError error) {
    mCertainty.emplace(*mScheme, error);
}

// FieldValue's rule on a number: accepted within 0 to 100 (tolerance 1e-6), else missing.
double BlockClassifier::Percent(int axis, double stored) const {
    const StoredAxis& a = mAxes[std::size_t(axis)];
    if (!a.present || (a.noData && stored == *a.noData))
        return -1;
    const double v = stored * a.scale + a.offset;
    return futil::ge(v, 0.0) && futil::le(v, 100.0) ? v : -1;
}

uint8_t BlockClassifier::Compose(double sx, double sy, double sz, Composition* c) const {
    const double percent[] = {Percent(0, sx), Percent(1, sy), Percent(2, sz)};
    if (!mConversion) {
        const std::optional<Composition> row =
            CompleteRow(percent[0], percent[1], percent[2], mTolerance);
        if (!row)
            return kNoData;
        *c = *row;
        return 1;
    }
    // The data's clay, silt and sand, read as the batch tool reads a row's data fractions.
    double f[3];
    for (std::size_t i = 0; i < 3; ++i)
        f[mFraction[i]] = percent[i];
    const FractionsRead read = CompleteFractions(f, 3, mTolerance);
    if (read != FractionsRead::Usable)
        return read == FractionsRead::TooFew ? kNoData : kFail;
    TextureFractions t;
    if (!mConversion->Convert(f, &t))
        return kFail;
    const double converted[] = {t.clay, t.silt, t.sand};
    *c = {converted[mFraction[0]], converted[mFraction[1]], converted[mFraction[2]]};
    return 1;
}

uint8_t BlockClassifier::ClassifyCell(double sx, double sy, double sz) {
    Composition c{};
    const uint8_t composed = Compose(sx, sy, sz, &c);
    if (composed != 1)
        return composed;
    const std::vector<int>& classes = mClassifier.Classify(c.x, c.y, c.z);
    return classes.empty() ? kFail : mCodeOfClass[std::size_t(classes.front())];
}

void BlockClassifier::DescribeCell(double sx, double sy, double sz, float* share, float* distance) {
    *share = *distance = kNoValue;
    Composition c{};
    if (!mCertainty || Compose(sx, sy, sz, &c) != 1 ||
        !mCertainty->Compute(c.x, c.y, c.z, &mReport))
        return;
    *share = float(mReport.shares[std::size_t(mReport.own)]);
    if (mReport.nearest.across >= 0)
        *distance = float(mReport.nearest.distance);
}

void BlockClassifier::Classify(const double* x, const double* y, const double* z, std::size_t n,
                               uint8_t* out, float* share, float* distance) {
    for (std::size_t i = 0; i < n; ++i) {
        const double sx = x ? x[i] : 0, sy = y ? y[i] : 0, sz = z ? z[i] : 0;
        out[i] = ClassifyCell(sx, sy, sz);
        if (share)
            DescribeCell(sx, sy, sz, &share[i], &distance[i]);
    }
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
    if (mCertainty)
        mMemo = std::make_shared<Memo>(table->codes.size());
    mTable = std::move(table);
    return true;
}

void BlockClassifier::Classify(const int32_t* x, const int32_t* y, const int32_t* z, std::size_t n,
                               uint8_t* out, float* share, float* distance) {
    const auto cell = [&](std::size_t i) {
        const double sx = x ? x[i] : 0, sy = y ? y[i] : 0, sz = z ? z[i] : 0;
        out[i] = ClassifyCell(sx, sy, sz);
        if (share)
            DescribeCell(sx, sy, sz, &share[i], &distance[i]);
    };
    if (!BuildTable()) {
        for (std::size_t i = 0; i < n; ++i)
            cell(i);
        return;
    }
    const std::array<const int32_t*, 3> axes{x, y, z};
    const int32_t* p0 = axes[std::size_t(mOrder[0])];
    const int32_t* p1 = axes[std::size_t(mOrder[1])];
    const int32_t* p2 =
        mAxes[std::size_t(mOrder[2])].present ? axes[std::size_t(mOrder[2])] : nullptr;
    const Table& t = *mTable;
    const uint8_t* codes = t.codes.data();
    if (share == nullptr) {
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t at = t.IndexOf(p0, p1, p2, i);
            if (at != Table::kNone)
                out[i] = codes[at];
            else
                cell(i);
        }
        return;
    }
    std::atomic<uint64_t>* memo = mMemo->cells.data();
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t at = t.IndexOf(p0, p1, p2, i);
        if (at == Table::kNone) {
            cell(i);
            continue;
        }
        out[i] = codes[at];
        uint64_t known = memo[at].load(std::memory_order_relaxed);
        if (known == Memo::kUnknown) {
            // Two threads may compute the same entry; both store the same value.
            float s, d;
            DescribeCell(x ? x[i] : 0, y ? y[i] : 0, z ? z[i] : 0, &s, &d);
            uint32_t sb, db;
            std::memcpy(&sb, &s, 4);
            std::memcpy(&db, &d, 4);
            known = uint64_t(sb) << 32 | db;
            memo[at].store(known, std::memory_order_relaxed);
        }
        const uint32_t sb = uint32_t(known >> 32), db = uint32_t(known);
        std::memcpy(&share[i], &sb, 4);
        std::memcpy(&distance[i], &db, 4);
    }
}
