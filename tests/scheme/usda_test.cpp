// The bundled USDA scheme against the USDA class definitions: every composition of the half-percent
// grid, and so every whole-number one, gets exactly the class that the definitions give, also on
// boundaries and corners.
#include "scheme/pointclassifier.h"
#include "schemetext.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// The USDA definitions, tested in order; the first that holds gives the class.
std::string UsdaClass(double sand, double clay, double silt) {
    if (silt + 1.5 * clay < 15)
        return "Sand";
    if (silt + 2 * clay < 30)
        return "Loamy sand";
    if ((clay >= 7 && clay < 20 && sand > 52) || (clay < 7 && silt < 50))
        return "Sandy loam";
    if (clay >= 7 && clay < 27 && silt >= 28 && silt < 50 && sand <= 52)
        return "Loam";
    if ((silt >= 50 && clay >= 12 && clay < 27) || (silt >= 50 && silt < 80 && clay < 12))
        return "Silt loam";
    if (silt >= 80 && clay < 12)
        return "Silt";
    if (clay >= 20 && clay < 35 && silt < 28 && sand > 45)
        return "Sandy clay loam";
    if (clay >= 27 && clay < 40 && sand > 20 && sand <= 45)
        return "Clay loam";
    if (clay >= 27 && clay < 40 && sand <= 20)
        return "Silty clay loam";
    if (clay >= 35 && sand > 45)
        return "Sandy clay";
    if (clay >= 40 && silt >= 40)
        return "Silty clay";
    if (clay >= 40 && sand <= 45 && silt < 40)
        return "Clay";
    return "";
}

// Ids are record positions + 1, so the batch classifier's indices can be checked against them.
TEST(UsdaScheme, EveryHalfPercentCompositionGetsExactlyTheTableClass) {
    const soiltex scheme = LoadBundled("usda");
    EXPECT_EQ(scheme.GetXName() + scheme.GetYName() + scheme.GetZName(), "SandClaySilt");
    PointClassifier classifier(scheme);
    for (int a = 0; a <= 200; ++a) {
        for (int b = 0; a + b <= 200; ++b) {
            const double sand = a / 2.0, clay = b / 2.0, silt = 100 - sand - clay;
            const std::vector<TextureClass> found = scheme.PointLookup(sand, clay, silt);
            ASSERT_EQ(found.size(), 1u) << "sand " << sand << " clay " << clay;
            ASSERT_EQ(found[0].name, UsdaClass(sand, clay, silt))
                << "sand " << sand << " clay " << clay;
            ASSERT_EQ(classifier.Classify(sand, clay, silt), std::vector<int>{found[0].id - 1})
                << "sand " << sand << " clay " << clay;
        }
    }
}

} // namespace
