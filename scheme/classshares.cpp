#include "scheme/classshares.h"

#include "geometry/boxsweep.h"
#include "scheme/compositionspace.h"
#include "util/futil.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kCells = 200; // per axis, over 0 to 100
constexpr double kCellSize = 100.0 / kCells;
// Beyond this many cell tests the grid costs more than it saves.
constexpr long long kMaxCellTests = 40'000'000;
// Normal errors reach this many standard deviations: the mass beyond, exp(-36 / 2), is far below
// the 1e-6 the shares promise even after dividing by the triangle's mass (at least 1/6).
constexpr double kNormalReach = 6.0;
// Owen's T of h beyond this is below 1e-11, which the shares cannot show.
constexpr double kFarH = 7.0;

// Gauss-Legendre nodes and weights on [-1, 1], found once by Newton's method.
struct GaussLegendre {
    static constexpr int n = 20;
    std::array<double, n> node{}, weight{};
    GaussLegendre() {
        for (int i = 0; i < n; ++i) {
            double x = std::cos(kPi * (i + 0.75) / (n + 0.5));
            double derivative = 0;
            for (int step = 0; step < 100; ++step) {
                double p0 = 1, p1 = x;
                for (int k = 2; k <= n; ++k) {
                    const double p2 = ((2 * k - 1) * x * p1 - (k - 1) * p0) / k;
                    p0 = p1;
                    p1 = p2;
                }
                derivative = n * (x * p1 - p0) / (x * x - 1);
                const double dx = p1 / derivative;
                x -= dx;
                if (std::fabs(dx) < 1e-16)
                    break;
            }
            node[std::size_t(i)] = x;
            weight[std::size_t(i)] = 2 / ((1 - x * x) * derivative * derivative);
        }
    }
};

const GaussLegendre& Rule() {
    static const GaussLegendre rule;
    return rule;
}

double UpperTail(double x) {
    return 0.5 * std::erfc(x / std::sqrt(2.0));
}

// T(h, a) for h >= 0 and 0 <= a <= 1, where the integrand is smooth enough for one fixed rule.
double OwensTNear(double h, double a) {
    if (a == 0 || h > kFarH)
        return 0;
    const GaussLegendre& rule = Rule();
    const double half = -0.5 * h * h;
    double sum = 0;
    for (int k = 0; k < GaussLegendre::n; ++k) {
        const double x = 0.5 * a * (1 + rule.node[std::size_t(k)]);
        const double q = 1 + x * x;
        sum += rule.weight[std::size_t(k)] * std::exp(half * q) / q;
    }
    return sum * 0.5 * a / (2 * kPi);
}

// The standard normal's mass in the triangle (0, a, b), negative when it turns clockwise.
double WedgeMass(const point& a, const point& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    const double cross = a.x * b.y - a.y * b.x;
    const double h = std::fabs(cross) / length;
    // Also false for a zero-length edge (NaN): either way the triangle encloses nothing.
    if (!(h > 1e-14))
        return 0;
    // Along the edge's line from the foot of the perpendicular through the origin.
    const double sa = (a.x * dx + a.y * dy) / length, sb = (b.x * dx + b.y * dy) / length;
    // In polar form the mass is the angle over 2 pi less the integral of exp(-r^2 / 2), which
    // with r = h / cos t is Owen's T.
    // The angle the edge spans, |a x b| = h |b - a| and a . b = h^2 + sa sb: one arctangent.
    double mass = std::atan2(std::fabs(cross), a.x * b.x + a.y * b.y) / (2 * kPi);
    if (h <= kFarH)
        mass -= OwensT(h, sb / h) - OwensT(h, sa / h);
    return cross > 0 ? mass : -mass;
}

// The area of the subject polygon where a x + b y <= c, by Sutherland-Hodgman clipping into out.
// A concave subject may come out with edges doubled back along the line; they enclose nothing,
// so its signed area is still exact.
void ClipHalfPlane(const std::vector<point>& in, double a, double b, double c,
                   std::vector<point>* out) {
    out->clear();
    const std::size_t n = in.size();
    for (std::size_t i = 0; i < n; ++i) {
        const point& p = in[i];
        const point& q = in[(i + 1) % n];
        const double fp = a * p.x + b * p.y - c, fq = a * q.x + b * q.y - c;
        if (fp <= 0)
            out->push_back(p);
        if ((fp < 0 && fq > 0) || (fp > 0 && fq < 0)) {
            const double t = fp / (fp - fq);
            out->push_back({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)});
        }
    }
}

double SignedArea(const std::vector<point>& v) {
    double s = 0;
    for (std::size_t i = 0, n = v.size(); i < n; ++i)
        s += v[i].x * v[(i + 1) % n].y - v[i].y * v[(i + 1) % n].x;
    return 0.5 * s;
}

// The uniform region's six limits, x + y standing for 100 - z.
struct Limits {
    double xmin, xmax, ymin, ymax, smin, smax;
};

Limits UniformLimits(double x, double y, double e) {
    const double z = 100 - x - y;
    return {std::max(0.0, x - e),   std::min(100.0, x + e),       std::max(0.0, y - e),
            std::min(100.0, y + e), 100 - std::min(100.0, z + e), 100 - std::max(0.0, z - e)};
}

bool InTriangle(double x, double y) {
    return futil::ge(x, 0) && futil::ge(y, 0) && futil::le(x + y, 100);
}

// Whether the edge lies along a side of the triangle, where it borders nothing.
bool OnTriangleSide(const point& a, const point& b) {
    return (futil::eq(a.x, 0) && futil::eq(b.x, 0)) || (futil::eq(a.y, 0) && futil::eq(b.y, 0)) ||
           (futil::eq(a.x + a.y, 100) && futil::eq(b.x + b.y, 100));
}

int CellIndex(double v) {
    if (!(v > 0))
        return 0;
    return std::min(int(v / kCellSize), kCells - 1);
}

} // namespace

double OwensT(double h, double a) {
    h = std::fabs(h);
    const double sign = a < 0 ? -1 : 1;
    a = std::fabs(a);
    if (a <= 1)
        return sign * OwensTNear(h, a);
    // Owen's identity T(h, a) + T(ah, 1/a) = (Q(h) + Q(ah)) / 2 - Q(h) Q(ah), in upper tails Q so
    // that nothing cancels; the integral left has a below 1 again.
    const double qh = UpperTail(h), qah = UpperTail(a * h);
    return sign * (0.5 * (qh + qah) - qh * qah - OwensTNear(a * h, 1 / a));
}

double NormalMass(const std::vector<point>& vertices) {
    double sum = 0;
    for (std::size_t i = 0, n = vertices.size(); i < n; ++i)
        sum += WedgeMass(vertices[i], vertices[(i + 1) % n]);
    return std::fabs(sum);
}

ClassShares::ClassShares(const soiltex& scheme, LabError error)
    : mScheme(scheme), mError(error), mNames(scheme) {
    if (!(error.size > 0 && std::isfinite(error.size)))
        throw std::invalid_argument("ClassShares");
    // The uniform region's farthest corner is (x - e, y + e); the normal model's reach is round
    // in composition space, whose lengths are never shorter than those of the plane.
    mReach = error.model == ErrorModel::Uniform ? error.size * std::sqrt(2.0)
                                                : error.size * kNormalReach;
    const std::vector<TextureClass>& classes = scheme.Classes();
    for (std::size_t c = 0; c < classes.size(); ++c) {
        mAll.push_back(int(c));
        mBoxes.push_back(BoundsOf(classes[c].region));
        std::vector<point> flat;
        for (const point& v : classes[c].region.Vertices())
            flat.push_back(compositionspace::Flatten(v));
        mFlat.push_back(std::move(flat));
    }
    for (const point& v : {point{0, 0}, point{100, 0}, point{0, 100}})
        mFlatTriangle.push_back(compositionspace::Flatten(v));
    Build();
}

void ClassShares::Build() {
    // A point of a cell is within half a diagonal of its centre.
    const double reach = mReach + kCellSize * std::sqrt(0.5) + 1e-6;
    const std::size_t cells = std::size_t(kCells) * kCells;
    std::vector<std::vector<int>> candidates(cells);
    std::vector<char> mixed(cells, 0); // a boundary between classes is within reach
    long long tests = 0;
    const std::vector<TextureClass>& classes = mScheme.Classes();
    for (std::size_t c = 0; c < classes.size(); ++c) {
        const std::vector<point>& v = classes[c].region.Vertices();
        for (std::size_t k = 0; k < v.size(); ++k) {
            const point& a = v[k];
            const point& b = v[(k + 1) % v.size()];
            const bool inner = !OnTriangleSide(a, b);
            const int i0 = CellIndex(std::min(a.x, b.x) - reach);
            const int i1 = CellIndex(std::max(a.x, b.x) + reach);
            const int j0 = CellIndex(std::min(a.y, b.y) - reach);
            const int j1 = CellIndex(std::max(a.y, b.y) + reach);
            tests += (long long)(i1 - i0 + 1) * (j1 - j0 + 1);
            if (tests > kMaxCellTests)
                return; // no grid: every point is worked out against every class
            for (int i = i0; i <= i1; ++i) {
                for (int j = j0; j <= j1; ++j) {
                    const point centre{(i + 0.5) * kCellSize, (j + 0.5) * kCellSize};
                    if (compositionspace::SegmentDistance(centre, a, b) > reach)
                        continue;
                    std::vector<int>& list = candidates[std::size_t(i) * kCells + j];
                    if (list.empty() || list.back() != int(c))
                        list.push_back(int(c));
                    mixed[std::size_t(i) * kCells + j] |= char(inner);
                }
            }
        }
    }
    // Which records hold a point inside the cell and the triangle, off every side of the
    // triangle; only cells in a record's box can.
    std::vector<int> holders(cells, 0), holder(cells, -1);
    for (std::size_t c = 0; c < classes.size(); ++c) {
        const Box box = BoundsOf(classes[c].region);
        const int i0 = CellIndex(box.minX), i1 = CellIndex(box.maxX);
        const int j0 = CellIndex(box.minY), j1 = CellIndex(box.maxY);
        tests += (long long)(i1 - i0 + 1) * (j1 - j0 + 1);
        if (tests > kMaxCellTests)
            return;
        for (int i = i0; i <= i1; ++i) {
            for (int j = j0; j <= j1 && i + j < kCells; ++j) {
                if (classes[c].region.Find((i + 0.3) * kCellSize, (j + 0.3) * kCellSize) ==
                    PointLocation::Outside)
                    continue;
                const std::size_t index = std::size_t(i) * kCells + j;
                ++holders[index];
                holder[index] = int(c);
                std::vector<int>& list = candidates[index];
                if (std::find(list.begin(), list.end(), int(c)) == list.end())
                    list.push_back(int(c));
            }
        }
    }
    mCells.assign(cells, Cell());
    for (int i = 0; i < kCells; ++i) {
        for (int j = 0; j < kCells; ++j) {
            const std::size_t index = std::size_t(i) * kCells + j;
            std::vector<int>& list = candidates[index];
            // Cells beyond the long side hold at most a corner of the triangle: they are left to
            // the full search.
            if (i + j >= kCells)
                list = mAll;
            // With no boundary between classes in reach, the reachable part of the triangle is
            // one piece of one class.
            else if (!mixed[index] && holders[index] == 1)
                mCells[index].single = mNames.ofRecord[std::size_t(holder[index])];
            std::sort(list.begin(), list.end());
            mCells[index].first = uint32_t(mCandidates.size());
            mCells[index].count = uint32_t(list.size());
            mCandidates.insert(mCandidates.end(), list.begin(), list.end());
        }
    }
}

const ClassShares::Cell* ClassShares::CellOf(double x, double y) const {
    if (mCells.empty())
        return nullptr;
    return &mCells[std::size_t(CellIndex(x)) * kCells + std::size_t(CellIndex(y))];
}

int ClassShares::SingleClassCells() const {
    return int(
        std::count_if(mCells.begin(), mCells.end(), [](const Cell& c) { return c.single >= 0; }));
}

bool ClassShares::Compute(double x, double y, std::vector<double>* shares) {
    shares->assign(mNames.names.size(), 0.0);
    if (!InTriangle(x, y))
        return false;
    // Within the tolerance outside: the nearest composition of the triangle.
    x = std::max(x, 0.0);
    y = std::max(y, 0.0);
    if (x + y > 100) {
        const double excess = 0.5 * (x + y - 100);
        x -= excess;
        y -= excess;
    }
    const int* records = mAll.data();
    std::size_t count = mAll.size();
    if (const Cell* cell = CellOf(x, y)) {
        if (cell->single >= 0) {
            (*shares)[std::size_t(cell->single)] = 1;
            return true;
        }
        records = mCandidates.data() + cell->first;
        count = cell->count;
    }
    if (mError.model == ErrorModel::Uniform)
        AddUniform(x, y, records, count, shares);
    else
        AddNormal(x, y, records, count, shares);
    return true;
}

namespace {

// The uniform region as a counter-clockwise vertex list (a corner may repeat).
void RegionVertices(const Limits& l, std::vector<point>* out) {
    std::vector<point> box{{l.xmin, l.ymin}, {l.xmax, l.ymin}, {l.xmax, l.ymax}, {l.xmin, l.ymax}};
    std::vector<point> cut;
    ClipHalfPlane(box, -1, -1, -l.smin, &cut);
    ClipHalfPlane(cut, 1, 1, l.smax, out);
}

} // namespace

polygon ClassShares::UniformRegion(double x, double y, double e) {
    polygon region;
    if (!InTriangle(x, y) || !(e > 0))
        return region;
    std::vector<point> v;
    RegionVertices(UniformLimits(x, y, e), &v);
    for (std::size_t i = 0; i < v.size(); ++i) {
        // Clipping repeats a corner where a line passes exactly through it.
        if (v[i] != v[(i + 1) % v.size()])
            region.Add(v[i].x, v[i].y);
    }
    return region;
}

polygon ClassShares::NormalRegion(double x, double y, double s, double p, int n) {
    polygon region;
    if (!(s > 0 && p > 0 && p < 1) || n < 3)
        return region;
    // A round normal of deviation s in two dimensions holds p within s sqrt(-2 ln(1 - p)).
    const double radius = s * std::sqrt(-2 * std::log1p(-p));
    const point centre = compositionspace::Flatten({x, y});
    for (int k = 0; k < n; ++k) {
        const double angle = 2 * kPi * k / n;
        const point v = compositionspace::Unflatten(
            {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
        region.Add(v.x, v.y);
    }
    return region;
}

void ClassShares::AddUniform(double x, double y, const int* records, std::size_t count,
                             std::vector<double>* shares) {
    const Limits l = UniformLimits(x, y, mError.size);
    RegionVertices(l, &mClipB);
    const double area = SignedArea(mClipB);
    if (!(area > 0))
        return;
    const std::vector<TextureClass>& classes = mScheme.Classes();
    for (std::size_t k = 0; k < count; ++k) {
        const int c = records[k];
        const polygon& region = classes[std::size_t(c)].region;
        const Box& box = mBoxes[std::size_t(c)];
        if (box.maxX <= l.xmin || box.minX >= l.xmax || box.maxY <= l.ymin || box.minY >= l.ymax)
            continue;
        ClipHalfPlane(region.Vertices(), -1, 0, -l.xmin, &mClipA);
        ClipHalfPlane(mClipA, 1, 0, l.xmax, &mClipB);
        ClipHalfPlane(mClipB, 0, -1, -l.ymin, &mClipA);
        ClipHalfPlane(mClipA, 0, 1, l.ymax, &mClipB);
        ClipHalfPlane(mClipB, -1, -1, -l.smin, &mClipA);
        ClipHalfPlane(mClipA, 1, 1, l.smax, &mClipB);
        (*shares)[std::size_t(mNames.ofRecord[std::size_t(c)])] +=
            std::fabs(SignedArea(mClipB)) / area;
    }
}

void ClassShares::AddNormal(double x, double y, const int* records, std::size_t count,
                            std::vector<double>* shares) {
    const point centre = compositionspace::Flatten({x, y});
    const double scale = 1 / mError.size;
    const auto standardise = [&](const std::vector<point>& flat) {
        mClipA.clear();
        for (const point& v : flat)
            mClipA.push_back({(v.x - centre.x) * scale, (v.y - centre.y) * scale});
        return NormalMass(mClipA);
    };
    const double total = standardise(mFlatTriangle);
    if (!(total > 0))
        return;
    for (std::size_t k = 0; k < count; ++k) {
        const int c = records[k];
        (*shares)[std::size_t(mNames.ofRecord[std::size_t(c)])] +=
            standardise(mFlat[std::size_t(c)]) / total;
    }
}
