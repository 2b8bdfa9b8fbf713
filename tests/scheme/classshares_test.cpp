// Class shares under lab error and the distance to the nearest boundary: closed forms on a
// straight boundary, the clipper's areas, and invariants over random compositions of USDA.
#include "scheme/boundarydistance.h"
#include "scheme/classshares.h"
#include "scheme/compositionspace.h"
#include "scheme/pointclassifier.h"
#include "schemetext.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numeric>
#include <random>
#include <sstream>

namespace {

// The scheme with every vertex moved by f, which must map the triangle onto itself.
template <class F> soiltex Mapped(const soiltex& scheme, F f) {
    std::ostringstream text;
    text << "[texture]\nMapped\nx\ny\nz\n";
    for (const TextureClass& c : scheme.Classes()) {
        text << c.name << '\n' << c.id << '\n';
        for (const point& v : c.region.Vertices()) {
            const point m = f(v);
            text << m.x << ' ' << m.y << '\n';
        }
        text << "#\n";
    }
    return SchemeFromText(text.str());
}

// Random compositions of the triangle, with a fixed seed.
std::vector<point> RandomCompositions(int count) {
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> u(0, 100);
    std::vector<point> points;
    while (int(points.size()) < count) {
        const double x = u(rng), y = u(rng);
        points.push_back(x + y <= 100 ? point{x, y} : point{100 - x, 100 - y});
    }
    return points;
}

double UpperTail(double x) {
    return 0.5 * std::erfc(x / std::sqrt(2.0));
}

TEST(OwensT, AgreesWithFineSimpsonIntegration) {
    const double pi = std::acos(-1.0);
    for (double h : {0.0, 0.1, 0.5, 1.0, 2.5, 5.0, 6.9}) {
        for (double a : {0.05, 0.5, 1.0, 2.0, 10.0, 300.0}) {
            // Over the angle t = atan x the integrand is exp(-h^2 / (2 cos^2 t)): smooth.
            const int n = 20000;
            const double top = std::atan(a), step = top / n;
            double sum = 0;
            for (int i = 0; i <= n; ++i) {
                const double c = std::cos(i * step);
                sum += (i == 0 || i == n ? 1 : i % 2 ? 4 : 2) * std::exp(-h * h / (2 * c * c));
            }
            const double expected = sum * step / 3 / (2 * pi);
            EXPECT_NEAR(OwensT(h, a), expected, 1e-11) << "h " << h << " a " << a;
            EXPECT_DOUBLE_EQ(OwensT(-h, -a), -OwensT(h, a));
        }
    }
}

// The two-zone scheme's boundary is z = 50. A composition at z = 50 + delta, far from the
// triangle's sides, is delta * sqrt(1.5) from it in composition space.
TEST(ClassShares, StraightBoundaryFollowsTheClosedForms) {
    const soiltex scheme = SchemeFromText(kTwoZoneScheme);
    for (double delta : {0.0, 0.4, 1.0, 1.9, 3.0}) {
        const double x = (50 - delta) / 2;
        std::vector<double> shares;
        for (double e : {2.0, 3.5}) {
            ClassShares uniform(scheme, {ErrorModel::Uniform, e});
            ASSERT_TRUE(uniform.Compute(x, x, &shares));
            // The hexagon |dx|, |dy|, |dz| <= e (area 3 e^2) beyond dz = -delta.
            const double d = std::min(delta, e);
            const double cut = 2 * e * (e - d) - (e * e - d * d) / 2;
            EXPECT_NEAR(shares[1], cut / (3 * e * e), 1e-12) << "e " << e << " delta " << delta;
            EXPECT_NEAR(shares[0] + shares[1], 1, 1e-12);
        }
        for (double s : {0.5, 1.0, 2.0}) {
            ClassShares normal(scheme, {ErrorModel::Normal, s});
            ASSERT_TRUE(normal.Compute(x, x, &shares));
            EXPECT_NEAR(shares[1], UpperTail(delta * std::sqrt(1.5) / s), 1e-9)
                << "s " << s << " delta " << delta;
            EXPECT_NEAR(shares[0] + shares[1], 1, 1e-9);
        }
        const BoundaryDistance::Nearest n = BoundaryDistance(scheme).From(x, x, 0);
        EXPECT_NEAR(n.distance, delta * std::sqrt(1.5), 1e-12);
        EXPECT_EQ(n.across, 1);
    }
}

// Every class's share is its area in the range lookup's own region, as the clipper cuts it.
TEST(ClassShares, UniformSharesAreTheClippersAreas) {
    const soiltex scheme = LoadBundled("usda");
    const ClassNames names(scheme);
    for (double e : {0.5, 2.0, 12.0}) {
        ClassShares shares(scheme, {ErrorModel::Uniform, e});
        std::vector<double> got;
        for (const point& p : RandomCompositions(300)) {
            ASSERT_TRUE(shares.Compute(p.x, p.y, &got));
            const double z = 100 - p.x - p.y;
            const polygon region = scheme.RangePolygon(
                std::max(0.0, p.x - e), std::min(100.0, p.x + e), std::max(0.0, p.y - e),
                std::min(100.0, p.y + e), std::max(0.0, z - e), std::min(100.0, z + e));
            // The clipper rounds vertices to 1e-7.
            ASSERT_NEAR(ClassShares::UniformRegion(p.x, p.y, e).Area(), region.Area(), 1e-5);
            std::vector<double> expected(names.names.size(), 0.0);
            for (std::size_t c = 0; c < scheme.Classes().size(); ++c) {
                const polygon part = scheme.Classes()[c].region.Intersect(region);
                if (part.Size() >= 3)
                    expected[std::size_t(names.ofRecord[c])] += part.Area() / region.Area();
            }
            for (std::size_t k = 0; k < got.size(); ++k)
                ASSERT_NEAR(got[k], expected[k], 1e-6)
                    << names.names[k] << " at " << p.x << " " << p.y << " e " << e;
        }
    }
}

// Swapping two fractions maps the model onto itself, so shares and distances follow the points.
TEST(ClassShares, SwappingFractionsSwapsNothingElse) {
    const soiltex usda = LoadBundled("usda");
    const struct {
        const char* swap;
        point (*map)(const point&);
    } swaps[] = {
        {"x and y",
         [](const point& v) {
             return point{v.y, v.x};
         }},
        {"x and z",
         [](const point& v) {
             return point{100 - v.x - v.y, v.y};
         }},
    };
    for (const auto& swap : swaps) {
        const soiltex mirrored = Mapped(usda, swap.map);
        ASSERT_TRUE(mirrored.IsValidScheme());
        const BoundaryDistance a(usda), b(mirrored);
        PointClassifier classify(usda);
        for (LabError error :
             {LabError{ErrorModel::Uniform, 3}, LabError{ErrorModel::Normal, 1.5}}) {
            ClassShares sa(usda, error), sb(mirrored, error);
            std::vector<double> va, vb;
            for (const point& p : RandomCompositions(200)) {
                const point q = swap.map(p);
                sa.Compute(p.x, p.y, &va);
                sb.Compute(q.x, q.y, &vb);
                for (std::size_t k = 0; k < va.size(); ++k)
                    ASSERT_NEAR(va[k], vb[k], 1e-9) << swap.swap << " " << p.x << " " << p.y;
                const int name = a.Names().ofRecord[std::size_t(
                    classify.Classify(p.x, p.y, 100 - p.x - p.y).front())];
                ASSERT_NEAR(a.From(p.x, p.y, name).distance, b.From(q.x, q.y, name).distance, 1e-9);
            }
        }
    }
}

// Shares add up to 1; a class is certain exactly as far as the distance says it must be; the
// grid's shortcut gives what the full computation over every class gives.
TEST(ClassShares, SharesAgreeWithDistanceAndFullComputation) {
    const soiltex scheme = LoadBundled("usda");
    const BoundaryDistance distance(scheme);
    PointClassifier classify(scheme);
    for (LabError error : {LabError{ErrorModel::Uniform, 2}, LabError{ErrorModel::Normal, 2},
                           LabError{ErrorModel::Normal, 0.3}}) {
        ClassShares shares(scheme, error);
        EXPECT_GT(shares.SingleClassCells(), 1000);
        std::vector<double> got;
        for (const point& p : RandomCompositions(2000)) {
            ASSERT_TRUE(shares.Compute(p.x, p.y, &got));
            ASSERT_NEAR(std::accumulate(got.begin(), got.end(), 0.0), 1, 1e-9);
            const int name =
                distance.Names()
                    .ofRecord[std::size_t(classify.Classify(p.x, p.y, 100 - p.x - p.y).front())];
            const double d = distance.From(p.x, p.y, name).distance;
            const double own = got[std::size_t(name)];
            if (error.model == ErrorModel::Uniform) {
                // The region reaches e * sqrt(2) at its corners and e * sqrt(1.5) everywhere.
                if (d >= error.size * std::sqrt(2.0)) {
                    ASSERT_NEAR(own, 1, 1e-12) << p.x << " " << p.y;
                }
                if (d < error.size * std::sqrt(1.5) - 1e-9) {
                    ASSERT_LT(own, 1) << p.x << " " << p.y;
                }
            } else {
                std::vector<point> v;
                const point c = compositionspace::Flatten(p);
                const auto mass = [&](const polygon& region) {
                    v.clear();
                    for (const point& w : region.Vertices()) {
                        const point f = compositionspace::Flatten(w);
                        v.push_back({(f.x - c.x) / error.size, (f.y - c.y) / error.size});
                    }
                    return NormalMass(v);
                };
                // The own class holds the disc of radius d, whose mass is 1 - exp(-d^2 / 2 s^2).
                const double inTriangle = mass(ClassShares::UniformRegion(0, 0, 100)); // all of it
                const double outsideDisc = std::exp(-0.5 * std::pow(d / error.size, 2));
                ASSERT_GE(own, 1 - outsideDisc / inTriangle - 1e-9) << p.x << " " << p.y;
                std::vector<double> full(got.size(), 0.0);
                for (std::size_t r = 0; r < scheme.Classes().size(); ++r)
                    full[std::size_t(distance.Names().ofRecord[r])] +=
                        mass(scheme.Classes()[r].region) / inTriangle;
                for (std::size_t k = 0; k < got.size(); ++k)
                    ASSERT_NEAR(got[k], full[k], 1e-7) << p.x << " " << p.y;
            }
        }
    }
}

TEST(BoundaryDistance, HandComputedInsideUsda) {
    const soiltex scheme = LoadBundled("usda");
    const BoundaryDistance distance(scheme);
    const std::vector<std::string>& names = distance.Names().names;
    const auto nameIndex = [&](const char* n) {
        return int(std::find(names.begin(), names.end(), n) - names.begin());
    };
    const struct {
        double sand, clay;
        const char* own;
        double distance;
        const char* across;
    } cases[] = {
        // Loam: the clay 27 line is 7 clay away (moving half as much sand and silt each).
        {40, 20, "Loam", 7 * std::sqrt(1.5), "Clay loam"},
        // Silt loam above and below clay 12 is one class: the seam between its polygons is no
        // boundary; silt 80 (Silt) is 5 away, the nearer than clay 27.
        {10, 12, "Silt loam", 2 * std::sqrt(1.5), "Silt"},
        // On a boundary: no distance left.
        {52, 10, "Sandy loam", 0, "Loam"},
    };
    for (const auto& c : cases) {
        const BoundaryDistance::Nearest n = distance.From(c.sand, c.clay, nameIndex(c.own));
        EXPECT_NEAR(n.distance, c.distance, 1e-12) << c.sand << " " << c.clay;
        ASSERT_GE(n.across, 0);
        EXPECT_EQ(names[std::size_t(n.across)], c.across) << c.sand << " " << c.clay;
    }
    // A scheme of one class borders nothing.
    const soiltex one = SchemeWithClasses("All\n1\n0 0\n100 0\n0 100\n#\n");
    EXPECT_EQ(BoundaryDistance(one).From(20, 20, 0).across, -1);
}

TEST(ClassShares, OutsideTheTriangleOrWithoutErrorNothing) {
    const soiltex scheme = SchemeFromText(kTwoZoneScheme);
    ClassShares shares(scheme, {ErrorModel::Normal, 1});
    std::vector<double> got;
    EXPECT_FALSE(shares.Compute(60, 50, &got));
    EXPECT_EQ(got, (std::vector<double>{0, 0}));
    EXPECT_TRUE(shares.Compute(100.0000005, 0, &got)); // within the tolerance: the corner
    EXPECT_NEAR(got[1], 1, 1e-9);
    for (double bad : {0.0, -1.0, double(NAN), double(INFINITY)})
        EXPECT_THROW(ClassShares(scheme, {ErrorModel::Uniform, bad}), std::invalid_argument);
    EXPECT_EQ(ClassShares::UniformRegion(0, 0, 1).Vertices(),
              (std::vector<point>{{0, 0}, {1, 0}, {0, 1}}));
}

// Every vertex of the 95 % region is 2.4477 s from the sample in composition space, and the
// region holds 95 % of the normal mass.
TEST(ClassShares, NormalRegionHoldsItsProbability) {
    const double s = 2, radius = s * std::sqrt(-2 * std::log(0.05));
    const polygon region = ClassShares::NormalRegion(30, 20, s, 0.95, 400);
    ASSERT_EQ(region.Size(), 400);
    EXPECT_EQ(region.Orientation(), 1);
    std::vector<point> flat;
    for (const point& v : region.Vertices()) {
        EXPECT_NEAR(compositionspace::Length(v.x - 30, v.y - 20), radius, 1e-9);
        const point f = compositionspace::Flatten(v), c = compositionspace::Flatten({30, 20});
        flat.push_back({(f.x - c.x) / s, (f.y - c.y) / s});
    }
    EXPECT_NEAR(NormalMass(flat), 0.95, 1e-4); // a 400-gon inside the circle
    EXPECT_EQ(ClassShares::NormalRegion(30, 20, s, 1).Size(), 0);
}

} // namespace
