#include "scheme/schemefile.h"
#include "scheme/soiltex.h"
#include "schemetext.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;

// What a text gave, in one line: "name|x,y,z|classes|rules|valid".
std::string Outline(const soiltex& s) {
    return s.GetName() + "|" + s.GetXName() + "," + s.GetYName() + "," + s.GetZName() + "|" +
           std::to_string(s.GetClassCount()) + "|" + std::to_string(s.Borders().size()) + "|" +
           (s.IsValidScheme() ? "valid" : "invalid");
}

std::string Written(const soiltex& scheme) {
    std::stringstream out;
    scheme.SaveScheme(out);
    return out.str();
}

// Read, and written back in the canonical layout with CR LF line ends.
TEST(SchemeFileReading, TwoZoneExample) {
    const soiltex scheme = SchemeFromText(kTwoZoneScheme);
    EXPECT_EQ(Outline(scheme), "Two-zone demonstration|first,second,third|2|1|valid");
    EXPECT_DOUBLE_EQ(scheme.GetClass(0).region.Area(), 1250);
    EXPECT_DOUBLE_EQ(scheme.GetClass(1).region.Area(), 3750);
    EXPECT_EQ(Written(scheme),
              "[texture]\r\nTwo-zone demonstration\r\nfirst\r\nsecond\r\nthird\r\n\r\n"
              "Low\r\n1\r\n0 0\r\n50 0\r\n0 50\r\n#\r\n"
              "High\r\n2\r\n50 0\r\n100 0\r\n0 100\r\n0 50\r\n#\r\n"
              "[border]\r\n1 2 = 2\r\n#\r\n");
}

TEST(SchemeFileReading, CrLfFileOnDiskReadsLikeLf) {
    soiltex fromDisk;
    ASSERT_EQ(LoadSchemeFile(GRANUM_TEST_DATA_DIR "/twozone/twozone.dat", &fromDisk),
              SchemeLoadStatus::Loaded);
    EXPECT_EQ(Written(fromDisk), Written(SchemeFromText(kTwoZoneScheme)));
}

TEST(SchemeFileReading, MissingTextureWordKeepsThePreviousScheme) {
    soiltex scheme = SchemeFromText(kTwoZoneScheme);
    for (const char* text : {"", "no texture here\n", "x[texture]\nName\n", "\x01\x02\xff\xfe"}) {
        std::stringstream stream{std::string(text)};
        try {
            scheme.LoadScheme(stream);
            FAIL() << text;
        } catch (const std::domain_error& e) {
            EXPECT_STREQ(e.what(), "soiltex::LoadScheme");
        }
        EXPECT_EQ(scheme.GetClassCount(), 2);
    }
}

TEST(SchemeFileReading, FailedStreamIsRefusedAndChangesNothing) {
    soiltex scheme = SchemeFromText(kTwoZoneScheme);
    std::fstream missing("/nonexistent/folder/scheme.dat", std::ios_base::in);
    EXPECT_THROW(scheme.LoadScheme(missing), std::ios_base::failure);
    EXPECT_EQ(scheme.GetClassCount(), 2);
    std::stringstream bad;
    bad.setstate(std::ios_base::badbit);
    EXPECT_THROW(scheme.SaveScheme(bad), std::ios_base::failure);
    EXPECT_TRUE(bad.str().empty());
}

struct LayoutCase {
    const char* name;
    std::string text;
    const char* outline;
};

class SchemeFileLayout : public ::testing::TestWithParam<LayoutCase> {};

// Each text is read over the two-zone scheme: nothing of that may be left.
TEST_P(SchemeFileLayout, ReadsWhatTheFileHolds) {
    soiltex scheme = SchemeFromText(kTwoZoneScheme);
    std::stringstream stream(GetParam().text);
    scheme.LoadScheme(stream);
    EXPECT_EQ(Outline(scheme), GetParam().outline);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SchemeFileLayout,
    ::testing::Values(
        LayoutCase{"TextureWordAmongOtherWords", "Details [texture] Name with blanks \nX\nY\nZ\n",
                   " Name with blanks |X,Y,Z|0|0|invalid"},
        LayoutCase{"NameWithoutLineEnd", "[texture] Name", " Name|x,y,z|0|0|invalid"},
        LayoutCase{"EndRightAfterTexture", "details\n[texture]", "|x,y,z|0|0|invalid"},
        LayoutCase{"EmptyLinesAndFreeVertexLayout",
                   "[texture]\n\n\nName\n\nfirst\n\nsecond\nthird\n\n\nLow\n1 0 0 50 0\n0 50 #\n\n"
                   "High\n2\n50 0 100 0 0 100 0 50\n#\n",
                   "Name|first,second,third|2|0|valid"},
        LayoutCase{"CrLfWithoutLastLineEnd",
                   "[texture]\r\nN\r\nx\r\ny\r\nz\r\nAll\r\n1\r\n0 0 100 0 0 100 #",
                   "N|x,y,z|1|0|valid"},
        // "[border] " is a class name; the word among vertices starts the rules.
        LayoutCase{"BorderWordWithBlankIsAClass",
                   "[texture]\nN\nx\ny\nz\n[border] \n1\n0 0 100 0 0 100\n#\n",
                   "N|x,y,z|1|0|valid"},
        LayoutCase{"BorderWordAmongVertices", "[texture]\nN\nx\ny\nz\nA\n1\n0 0 [border] 1 = 1 #\n",
                   "N|x,y,z|0|1|invalid"}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

TEST(SchemeFileReading, MalformedClassesAndRulesReadAsFarAsTheyGo) {
    const soiltex scheme = SchemeFromText(
        "[texture]\nN\nx\ny\nz\nFive\n7a\n0 0 10 0 5\n#\nLetter\nb3\n1e1 2\n#\nUnclosed\n3\n0 0\n");
    ASSERT_EQ(scheme.GetClassCount(), 2);
    EXPECT_EQ(scheme.GetClass(0).id, 7);
    EXPECT_EQ(scheme.GetClass(0).region.Size(), 2);
    EXPECT_EQ(scheme.GetClass(1).id, 0);
    EXPECT_EQ(scheme.GetClass(1).region.Vertex(0).x, 10);
    EXPECT_THROW(scheme.IsValidScheme(), std::domain_error);

    // Rules right after the texture word, one without ids, one without "=".
    const soiltex rules = SchemeFromText("[texture]\n[border]\n1 2 = 2 # # 3 = 3 #\n= 4 #\n5\n");
    ASSERT_EQ(Outline(rules), "|x,y,z|0|4|invalid");
    EXPECT_EQ(rules.Borders()[1].classIds, std::vector<int32_t>{3});
    EXPECT_EQ(rules.Borders()[1].keepIds, std::vector<int32_t>{3});
    EXPECT_TRUE(rules.Borders()[2].classIds.empty());
    EXPECT_EQ(rules.Borders()[2].keepIds, std::vector<int32_t>{4});
    EXPECT_TRUE(rules.Borders()[3].keepIds.empty());
}

TEST(SchemeFileReading, HugeAndNonNumericWords) {
    const soiltex scheme =
        SchemeFromText("[texture]\nN\nx\ny\nz\nA\n99999999999\n0 0 1e999 0 0 nan\n#\n"
                       "B\n2\n-inf 0 infinity 5 0 5\n#\n");
    ASSERT_EQ(scheme.GetClassCount(), 2);
    EXPECT_EQ(scheme.GetClass(0).id, 2147483647);
    EXPECT_EQ(scheme.GetClass(0).region.Vertex(2).y, 0.0);
    EXPECT_EQ(scheme.GetClass(1).region.Vertex(0).x, 0.0);
    EXPECT_FALSE(scheme.IsUsable());
    EXPECT_TRUE(scheme.PointLookup(10, 10, 80).empty());
    // Overlapping boxes send the huge coordinate to the clipper, which cannot take it: the check
    // reports that instead of computing nonsense.
    const soiltex huge = SchemeWithClasses("A\n1\n0 0 1e300 0 0 100\n#\nB\n2\n0 0 10 0 0 10\n#\n");
    EXPECT_THROW(huge.IsValidScheme(), std::domain_error);
    EXPECT_TRUE(huge.RangeLookup(0, 100, 0, 100, 0, 100).empty());
}

TEST(SchemeFileWriting, RulesAndNumbersAsTheStreamFormatsThem) {
    const std::string out = Written(
        SchemeFromText("[texture]\nN\nx\ny\nz\nA\n1\n33.333333333 12.5\n#\n[border]\n1 2 = #\n"));
    EXPECT_NE(out.find("33.3333 12.5\r\n"), std::string::npos);
    EXPECT_NE(out.find("1 2 = \r\n#\r\n"), std::string::npos);
    EXPECT_EQ(Written(SchemeWithClasses("A\n1\n0 0 100 0 0 100\n#\n")).find("[border]"),
              std::string::npos);
}

// Written and read back, a scheme writes the same again: nothing was lost on the way.
TEST(SchemeFileWriting, RoundTripKeepsTheScheme) {
    soiltex usda;
    ASSERT_EQ(LoadSchemeFile(GRANUM_SCHEMES_DIR "/usda.dat", &usda), SchemeLoadStatus::Loaded);
    for (const soiltex& original : {SchemeFromText(kTwoZoneScheme), usda}) {
        const soiltex copy = SchemeFromText(Written(original));
        EXPECT_EQ(Written(copy), Written(original));
        EXPECT_EQ(Outline(copy), Outline(original));
    }
}

TEST(SchemeFileWriting, EmptyNamesShiftTheItemsWhenReadBack) {
    const soiltex copy = SchemeFromText(Written(soiltex()));
    EXPECT_EQ(copy.GetName(), "x"); // the empty name line is skipped
    EXPECT_EQ(copy.GetXName(), "y");
}

class SchemeFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("granum-schemefile-" +
                  std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(folder / "scheme.dat", fs::perms::owner_all, ignored);
        fs::remove_all(folder, ignored);
    }
    std::string Write(const std::string& text) {
        const fs::path path = folder / "scheme.dat";
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
    fs::path folder;
};

TEST_F(SchemeFileOnDisk, ReadOnlySchemeFileLoadsNormally) {
    const std::string path = Write(kTwoZoneScheme);
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    soiltex scheme;
    EXPECT_EQ(LoadSchemeFile(path, &scheme), SchemeLoadStatus::Loaded);
    EXPECT_EQ(scheme.GetClassCount(), 2);
}

TEST_F(SchemeFileOnDisk, StatusesOfTheThreeOutcomes) {
    soiltex scheme;
    EXPECT_EQ(LoadSchemeFile((folder / "absent.dat").string(), &scheme),
              SchemeLoadStatus::Unreadable);
    EXPECT_EQ(LoadSchemeFile(folder.string(), &scheme), SchemeLoadStatus::Unreadable);
    EXPECT_EQ(LoadSchemeFile(Write("[texture]\nN\nx\ny\nz\nA\n1\n0 0 50 0 0 50\n#\n"), &scheme),
              SchemeLoadStatus::Invalid);
    EXPECT_EQ(LoadSchemeFile(Write("[texture]\nN\nx\ny\nz\nA\n1\n0 0 50 0\n#\n"), &scheme),
              SchemeLoadStatus::Unreadable);
    EXPECT_EQ(SchemeLoadMessage(SchemeLoadStatus::Unreadable),
              "Unable to load the classification scheme file");
    EXPECT_EQ(SchemeLoadMessage(SchemeLoadStatus::Invalid),
              "Classification scheme is invalid. It will not be loaded.");
}

TEST(SchemeFileLocation, BundledSchemeIsFoundFromAnyFolder) {
    const fs::path previous = fs::current_path();
    fs::current_path(fs::temp_directory_path());
    const std::string resolved = ResolveDataFile("schemes/usda.dat");
    fs::current_path(previous);
    EXPECT_TRUE(fs::is_regular_file(resolved)) << resolved;
    EXPECT_EQ(ResolveDataFile("/no/such/file.dat"), "/no/such/file.dat");
    EXPECT_EQ(ResolveDataFile("no/such/file.dat"), "no/such/file.dat");
}

} // namespace
