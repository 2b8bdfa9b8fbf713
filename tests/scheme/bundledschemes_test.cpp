// Every bundled scheme (schemes/*.dat, listed when the test runs) loads, and so is valid, and every
// composition of the tenth-percent grid gets exactly one class, and its key lines read without
// problems, none left empty, with abbreviations naming exactly its classes.
#include "scheme/pointclassifier.h"
#include "scheme/schemefile.h"
#include "scheme/schememetadata.h"
#include "scheme/soiltex.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<std::string> BundledSchemes() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(GRANUM_SCHEMES_DIR))
        if (entry.path().extension() == ".dat")
            files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    return files;
}

std::string Lower(std::string s) {
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

soiltex Load(const std::string& file) {
    soiltex scheme;
    EXPECT_EQ(LoadSchemeFile(GRANUM_SCHEMES_DIR "/" + file, &scheme), SchemeLoadStatus::Loaded)
        << file;
    return scheme;
}

class BundledScheme : public testing::TestWithParam<std::string> {};

TEST_P(BundledScheme, EveryTenthPercentCompositionHasExactlyOneClass) {
    const soiltex scheme = Load(GetParam());
    PointClassifier classifier(scheme);
    ASSERT_TRUE(classifier.SchemeIsValid());
    int failures = 0;
    for (int i = 0; i <= 1000; ++i) {
        for (int j = 0; i + j <= 1000; ++j) {
            const double x = i / 10.0, y = j / 10.0;
            const std::size_t found = classifier.Classify(x, y, 100 - x - y).size();
            if (found != 1 && ++failures <= 10)
                ADD_FAILURE() << scheme.GetXName() << " " << x << ", " << scheme.GetYName() << " "
                              << y << ": " << found << " classes";
        }
    }
    EXPECT_EQ(failures, 0);
}

TEST_P(BundledScheme, KeyLinesReadWithoutProblemsAndNameEveryClass) {
    std::ifstream file(GRANUM_SCHEMES_DIR "/" + GetParam(), std::ios::binary);
    const SchemeMetadata meta = ParseSchemeMetadata(ReadSchemeDetails(file));
    EXPECT_EQ(meta.problems, std::vector<std::string>());
    for (const std::string* value :
         {&meta.name, &meta.country, &meta.source, &meta.vertices, &meta.boundaries})
        EXPECT_FALSE(value->empty());
    std::set<int> ids, named;
    const soiltex scheme = Load(GetParam());
    for (const TextureClass& c : scheme.Classes())
        ids.insert(c.id);
    for (const auto& abbreviation : meta.abbreviations)
        named.insert(abbreviation.first);
    EXPECT_EQ(named, ids);
}

INSTANTIATE_TEST_SUITE_P(Schemes, BundledScheme, testing::ValuesIn(BundledSchemes()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param.substr(0, info.param.size() - 4);
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// The English name of a class: the text in its last parentheses (before any "; "), or the whole
// name, in lower case.
std::string EnglishName(const std::string& name) {
    const std::size_t open = name.rfind('(');
    if (open == std::string::npos)
        return Lower(name);
    return Lower(name.substr(open + 1, name.find_first_of(";)", open) - open - 1));
}

// Systems drawn on the USDA triangle with one class split off above 60 % clay give, below it,
// exactly the USDA class, boundaries and corners included.
TEST(BundledSchemes, UsdaBasedSchemesAgreeWithUsdaBelowSixtyPercentClay) {
    const soiltex usda = Load("usda.dat");
    for (const char* file : {"ca-en.dat", "ca-fr.dat", "br-lemos-santos.dat"}) {
        const soiltex scheme = Load(file);
        PointClassifier mine(scheme), theirs(usda);
        int failures = 0;
        for (int sand = 0; sand <= 200; ++sand) {
            for (int clay = 0; clay < 120 && sand + clay <= 200; ++clay) {
                const double x = sand / 2.0, y = clay / 2.0, z = 100 - x - y;
                const std::vector<int>& a = mine.Classify(x, y, z);
                const std::string name =
                    a.size() == 1 ? EnglishName(scheme.Classes()[std::size_t(a[0])].name) : "";
                const std::vector<int>& b = theirs.Classify(x, y, z);
                if (name != Lower(usda.Classes()[std::size_t(b.at(0))].name) && ++failures <= 5)
                    ADD_FAILURE() << file << ": sand " << x << ", clay " << y << " gives " << name;
            }
        }
        EXPECT_EQ(failures, 0) << file;
    }
}

} // namespace
