#include "scheme/particlesize.h"
#include "schemetext.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

const ParticleLimits kUsda{2, 50, 2000};
const ParticleLimits kGerman{2, 63, 2000};

TEST(ParticleSizeConversion, LogLinearMatchesAHandComputation) {
    // 20 % clay, 40 % silt 2-63, 40 % sand: at 50 µm the curve is 20 + 40 ln(25) / ln(31.5).
    const FractionConversion german(LimitDiameters(kGerman), kUsda);
    const double data[] = {20, 40, 40};
    TextureFractions out;
    ASSERT_TRUE(german.Convert(data, &out));
    EXPECT_NEAR(out.clay, 20, 1e-12);
    EXPECT_NEAR(out.silt, 37.3205, 1e-4);
    EXPECT_NEAR(out.sand, 42.6795, 1e-4);
    // Data ending at 2000 µm into limits ending at 1000: 1000-2000 is left out of the fine earth.
    // Above 63 µm the curve is 60 + 40 ln(d / 63) / ln(2000 / 63): 91.98156 at 1000 µm, 65.34490
    // at 100; at 20 µm it is 20 + 40 ln(10) / ln(31.5) = 46.69674.
    const FractionConversion polish(LimitDiameters(kGerman), {20, 100, 1000});
    ASSERT_TRUE(polish.Convert(data, &out));
    EXPECT_NEAR(out.clay + out.silt + out.sand, 100, 1e-9);
    EXPECT_NEAR(out.clay, 100 * 46.69674 / 91.98156, 1e-4);
    EXPECT_NEAR(out.sand, 100 * (91.98156 - 65.34490) / 91.98156, 1e-4);
}

TEST(ParticleSizeConversion, IdentityOnlyForEqualLimits) {
    EXPECT_TRUE(FractionConversion(LimitDiameters(kUsda), kUsda).IsIdentity());
    EXPECT_FALSE(FractionConversion(LimitDiameters(kGerman), kUsda).IsIdentity());
    // Not taken as identity, the same limits still give the values back.
    const FractionConversion same({2, 20, 50, 2000}, kUsda);
    EXPECT_FALSE(same.IsIdentity());
    const double data[] = {12.5, 30, 20.25, 37.25};
    TextureFractions out;
    ASSERT_TRUE(same.Convert(data, &out));
    EXPECT_NEAR(out.clay, 12.5, 1e-12);
    EXPECT_NEAR(out.silt, 50.25, 1e-12);
    EXPECT_NEAR(out.sand, 37.25, 1e-12);
}

// Random compositions between the limit sets of the bundled schemes, both methods: every result
// is a composition (no value below 0, sum 100), and moving the silt limit up never lowers the
// clay-plus-silt share (the curve is monotone).
TEST(ParticleSizeConversion, ResultsAreCompositionsAndMonotone) {
    const std::vector<std::vector<double>> data = {{2, 20, 2000},
                                                   {2, 50, 2000},
                                                   {2, 63, 2000},
                                                   {2, 20, 63, 200, 630, 2000},
                                                   {2, 6.3, 20, 63, 2000}};
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> share(0, 1);
    for (const CurveMethod method : {CurveMethod::LogLinear, CurveMethod::MonotoneCubic}) {
        for (const std::vector<double>& diameters : data) {
            std::vector<FractionConversion> targets;
            for (const double silt : {20, 50, 60, 63})
                targets.emplace_back(diameters, ParticleLimits{2, silt, 2000},
                                     ConversionOptions{method, false});
            for (int row = 0; row < 500; ++row) {
                std::vector<double> f(diameters.size());
                double sum = 0;
                for (double& v : f)
                    sum += v = row % 7 == 0 && &v != &f.back() ? 0 : share(rng);
                for (double& v : f)
                    v *= 100 / sum;
                double finer = 0;
                for (const FractionConversion& c : targets) {
                    TextureFractions out;
                    ASSERT_TRUE(c.Convert(f.data(), &out));
                    EXPECT_GE(out.clay, 0);
                    EXPECT_GE(out.silt, 0);
                    EXPECT_GE(out.sand, 0);
                    EXPECT_NEAR(out.clay + out.silt + out.sand, 100, 1e-9);
                    EXPECT_GE(out.clay + out.silt, finer - 1e-9);
                    finer = out.clay + out.silt;
                }
            }
        }
    }
}

TEST(ParticleSizeCurve, MonotoneCubicKeepsTheCurveMonotoneAndThroughItsPoints) {
    const std::vector<double> d{2, 6.3, 20, 63, 200, 2000};
    const std::vector<std::vector<double>> curves = {
        {10, 12, 40, 41, 90, 100}, {0, 0, 0, 50, 50, 100}, {30, 31, 32, 33, 99, 100}};
    for (const std::vector<double>& c : curves) {
        for (std::size_t i = 0; i < d.size(); ++i)
            EXPECT_EQ(CumulativeAt(d, c, d[i], CurveMethod::MonotoneCubic), c[i]);
        // A conversion evaluates the same curve.
        const FractionConversion spline(d, {3, 50, 1000}, {CurveMethod::MonotoneCubic, false});
        double fractions[6];
        for (std::size_t i = 0; i < d.size(); ++i)
            fractions[i] = c[i] - (i > 0 ? c[i - 1] : 0);
        TextureFractions out;
        if (c.back() > 0 && spline.Convert(fractions, &out)) {
            const auto at = [&](double x) {
                return CumulativeAt(d, c, x, CurveMethod::MonotoneCubic);
            };
            EXPECT_NEAR(out.clay, 100 * at(3) / at(1000), 1e-9);
            EXPECT_NEAR(out.silt, 100 * (at(50) - at(3)) / at(1000), 1e-9);
        }
        double last = c.front();
        for (double x = 2; x <= 2000; x *= 1.01) {
            const double y = CumulativeAt(d, c, x, CurveMethod::MonotoneCubic);
            EXPECT_GE(y, last);
            last = y;
        }
    }
}

TEST(ParticleSizeCurve, MonotoneCubicEqualsLogLinearWhereThatIsExact) {
    // Three points: the spline is not used.
    const std::vector<double> d3{2, 50, 2000}, c3{15, 55, 100};
    // Points on one straight line in log(diameter): the spline is that line.
    const std::vector<double> d5{1, 10, 100, 1000, 10000}, c5{0, 25, 50, 75, 100};
    for (const double x : {2.5, 10.0, 37.0, 49.9, 1500.0}) {
        EXPECT_EQ(CumulativeAt(d3, c3, x, CurveMethod::MonotoneCubic),
                  CumulativeAt(d3, c3, x, CurveMethod::LogLinear));
        EXPECT_NEAR(CumulativeAt(d5, c5, x, CurveMethod::MonotoneCubic),
                    CumulativeAt(d5, c5, x, CurveMethod::LogLinear), 1e-9);
    }
}

TEST(ParticleSizeConversion, ExtrapolationIsRefusedUnlessTheTopIsGiven) {
    const std::vector<double> polish{20, 100, 1000};
    EXPECT_THROW(FractionConversion(polish, kUsda), ConversionError);
    EXPECT_THROW(FractionConversion({2, 50, 1000}, kUsda), ConversionError);
    EXPECT_THROW(FractionConversion({2, 30, 40}, kUsda, {CurveMethod::LogLinear, true}),
                 ConversionError);
    const FractionConversion topGiven({2, 50, 1000}, kUsda, {CurveMethod::LogLinear, true});
    const double data[] = {20, 30, 50};
    TextureFractions out;
    ASSERT_TRUE(topGiven.Convert(data, &out));
    EXPECT_EQ(out.sand, 50);
    EXPECT_THROW(CumulativeAt({2, 50}, {10, 20}, 1, CurveMethod::LogLinear), ConversionError);
    EXPECT_THROW(CumulativeAt({2, 50}, {30, 20}, 10, CurveMethod::LogLinear),
                 std::invalid_argument);
}

TEST(ParticleSizeConversion, NoFineEarthBelowTheTargetTopFailsTheRow) {
    const FractionConversion c(LimitDiameters(kUsda), {2, 50, 100});
    const double coarse[] = {0, 0, 100};
    TextureFractions out;
    EXPECT_TRUE(c.Convert(coarse, &out)); // part of 50-2000 lies below 100 µm
    const FractionConversion d({2, 50, 100, 2000}, {2, 50, 100});
    const double gravelly[] = {0, 0, 0, 100};
    EXPECT_FALSE(d.Convert(gravelly, &out));
}

TEST(ParticleSizeFractions, RangesMustRunFromZeroWithoutGaps) {
    EXPECT_EQ(FractionDiameters({{0, 2}, {2, 20}, {20, 63}, {63, 2000}}),
              (std::vector<double>{2, 20, 63, 2000}));
    const std::vector<std::vector<std::array<double, 2>>> wrong = {
        {{1, 2}, {2, 2000}}, {{0, 2}, {3, 2000}}, {{0, 2}, {1, 2000}},
        {{0, 2}, {2, 2}},    {{0, 2000}},         {}};
    for (const auto& ranges : wrong)
        EXPECT_THROW(FractionDiameters(ranges), ConversionError);
}

TEST(ParticleSizeFractions, AxesOfTheBundledSchemesAreNamedByFraction) {
    for (const BundledSchemeFile& file : BundledSchemeFiles())
        EXPECT_TRUE(TextureAxes(LoadedScheme(file.path))) << file.id;
}

} // namespace
