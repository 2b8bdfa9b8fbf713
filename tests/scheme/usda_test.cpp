// The bundled USDA scheme against the USDA class definitions: every composition of the half-percent
// grid, and so every whole-number one, gets exactly the class that the definitions give, also on
// boundaries and corners.
#include "scheme/pointclassifier.h"
#include "scheme/schemefile.h"
#include "scheme/soiltex.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

const char* const kUsda = GRANUM_SCHEMES_DIR "/usda.dat";

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

class UsdaScheme : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(LoadSchemeFile(kUsda, &mScheme), SchemeLoadStatus::Loaded); }

    soiltex mScheme;
};

TEST_F(UsdaScheme, IsValidWithTheTableNamesAndAxes) {
    EXPECT_TRUE(mScheme.IsValidScheme());
    EXPECT_EQ(mScheme.GetName(), "USDA");
    EXPECT_EQ(mScheme.GetXName(), "Sand");
    EXPECT_EQ(mScheme.GetYName(), "Clay");
    EXPECT_EQ(mScheme.GetZName(), "Silt");
    double area = 0;
    std::set<std::string> names;
    for (const TextureClass& c : mScheme.Classes()) {
        area += c.region.Area();
        names.insert(c.name);
    }
    EXPECT_DOUBLE_EQ(area, 5000);
    EXPECT_EQ(names.size(), 12u);
    // The first twelve records are the classes in table order, numbered 1 to 12.
    const char* order[] = {"Sand", "Loamy sand", "Sandy loam", "Loam", "Silt loam", "Silt",
                           "Sandy clay loam", "Clay loam", "Silty clay loam", "Sandy clay",
                           "Silty clay", "Clay"};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(mScheme.GetClass(i).name, order[i]);
        EXPECT_EQ(mScheme.GetClass(i).id, i + 1);
    }
}

TEST_F(UsdaScheme, EveryHalfPercentCompositionGetsExactlyTheTableClass) {
    PointClassifier classifier(mScheme); // ids are record positions + 1
    int checked = 0;
    for (int a = 0; a <= 200; ++a) {
        for (int b = 0; a + b <= 200; ++b, ++checked) {
            const double sand = a / 2.0, clay = b / 2.0, silt = 100 - sand - clay;
            const std::vector<TextureClass> found = mScheme.PointLookup(sand, clay, silt);
            ASSERT_EQ(found.size(), 1u) << "sand " << sand << " clay " << clay;
            ASSERT_EQ(found[0].name, UsdaClass(sand, clay, silt))
                << "sand " << sand << " clay " << clay << " silt " << silt;
            // The batch classifier gives the same answer.
            ASSERT_EQ(classifier.Classify(sand, clay, silt), std::vector<int>{found[0].id - 1})
                << "sand " << sand << " clay " << clay;
        }
    }
    EXPECT_EQ(checked, 20301);
}

TEST_F(UsdaScheme, WholeNumbersWithTheThirdValueMissing) {
    for (int sand = 0; sand <= 100; ++sand) {
        for (int clay = 0; sand + clay <= 100; ++clay) {
            const std::vector<TextureClass> found = mScheme.PointLookup(sand, clay, -1);
            ASSERT_EQ(found.size(), 1u) << "sand " << sand << " clay " << clay;
            EXPECT_EQ(found[0].name, UsdaClass(sand, clay, 100 - sand - clay));
        }
    }
}

} // namespace
