#include "scheme/schemefile.h"
#include "scheme/soiltex.h"
#include "schemetext.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;

TEST(SchemeFileReading, TwoZoneExample) {
    const soiltex scheme = SchemeFromText(kTwoZoneScheme);
    EXPECT_EQ(scheme.GetName(), "Two-zone demonstration");
    EXPECT_EQ(scheme.GetXName(), "first");
    EXPECT_EQ(scheme.GetYName(), "second");
    EXPECT_EQ(scheme.GetZName(), "third");
    ASSERT_EQ(scheme.GetClassCount(), 2);
    EXPECT_EQ(scheme.GetClass(0).name, "Low");
    EXPECT_EQ(scheme.GetClass(0).id, 1);
    EXPECT_DOUBLE_EQ(scheme.GetClass(0).region.Area(), 1250);
    EXPECT_EQ(scheme.GetClass(1).region.Size(), 4);
    EXPECT_DOUBLE_EQ(scheme.GetClass(1).region.Area(), 3750);
    ASSERT_EQ(scheme.Borders().size(), 1u);
    EXPECT_EQ(scheme.Borders()[0].classIds, (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(scheme.Borders()[0].keepIds, (std::vector<int32_t>{2}));
    EXPECT_TRUE(scheme.IsValidScheme());
}

TEST(SchemeFileReading, CrLfFileOnDiskReadsLikeLf) {
    soiltex fromDisk;
    ASSERT_EQ(LoadSchemeFile(GRANUM_TEST_DATA_DIR "/twozone/twozone.dat", &fromDisk),
              SchemeLoadStatus::Loaded);
    const soiltex fromText = SchemeFromText(kTwoZoneScheme);
    EXPECT_EQ(fromDisk.GetName(), fromText.GetName());
    EXPECT_EQ(fromDisk.GetZName(), "third");
    EXPECT_EQ(fromDisk.GetClass(1).name, "High");
    EXPECT_EQ(fromDisk.Borders()[0].keepIds, fromText.Borders()[0].keepIds);
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

TEST(SchemeFileReading, TextureWordAmongOtherWordsStartsTheSection) {
    const soiltex scheme = SchemeFromText("Details [texture] Name with blanks \nX\nY\nZ\n");
    EXPECT_EQ(scheme.GetName(), " Name with blanks ");
    EXPECT_EQ(scheme.GetXName(), "X");
    EXPECT_EQ(scheme.GetZName(), "Z");
}

TEST(SchemeFileReading, EmptyLinesAndFreeVertexLayout) {
    const soiltex scheme = SchemeFromText(
        "[texture]\n\n\nName\n\nfirst\n\nsecond\nthird\n\n\nLow\n1 0 0 50 0\n0 50 #\n\nHigh\n2\n"
        "50 0 100 0 0 100 0 50\n#\n");
    EXPECT_EQ(scheme.GetName(), "Name");
    EXPECT_EQ(scheme.GetYName(), "second");
    ASSERT_EQ(scheme.GetClassCount(), 2);
    EXPECT_EQ(scheme.GetClass(0).region.Size(), 3);
    EXPECT_TRUE(scheme.IsValidScheme());
}

TEST(SchemeFileReading, MalformedClassesReadAsFarAsTheyGo) {
    const soiltex scheme = SchemeFromText(
        "[texture]\nN\nx\ny\nz\nFive\n7a\n0 0 10 0 5\n#\nLetter\nb3\n1e1 2\n#\nUnclosed\n3\n0 0\n");
    ASSERT_EQ(scheme.GetClassCount(), 2);
    EXPECT_EQ(scheme.GetClass(0).id, 7);
    EXPECT_EQ(scheme.GetClass(0).region.Size(), 2);
    EXPECT_EQ(scheme.GetClass(1).id, 0);
    EXPECT_EQ(scheme.GetClass(1).region.Vertex(0).x, 10);
    EXPECT_THROW(scheme.IsValidScheme(), std::domain_error);
}

TEST(SchemeFileReading, EndRightAfterTextureGivesAnEmptyScheme) {
    soiltex scheme = SchemeFromText(kTwoZoneScheme);
    std::stringstream stream("details\n[texture]");
    scheme.LoadScheme(stream);
    EXPECT_EQ(scheme.GetName(), "");
    EXPECT_EQ(scheme.GetXName(), "x");
    EXPECT_EQ(scheme.GetClassCount(), 0);
    EXPECT_FALSE(scheme.IsValidScheme());
}

TEST(SchemeFileReading, BorderRightAfterTexture) {
    const soiltex scheme = SchemeFromText("[texture]\n[border]\n1 2 = 2 # # 3 = 3 #\n= 4 #\n5\n");
    EXPECT_EQ(scheme.GetName(), "");
    EXPECT_EQ(scheme.GetYName(), "y");
    ASSERT_EQ(scheme.Borders().size(), 4u);
    EXPECT_EQ(scheme.Borders()[1].classIds, std::vector<int32_t>{3});
    EXPECT_EQ(scheme.Borders()[1].keepIds, std::vector<int32_t>{3});
    EXPECT_TRUE(scheme.Borders()[2].classIds.empty());
    EXPECT_EQ(scheme.Borders()[2].keepIds, std::vector<int32_t>{4});
    EXPECT_TRUE(scheme.Borders()[3].keepIds.empty());
}

TEST(SchemeFileReading, BorderWordMustMatchExactly) {
    const soiltex scheme = SchemeFromText("[texture]\nN\nx\ny\nz\n[border] \n1\n0 0 100 0 0 100\n#\n");
    ASSERT_EQ(scheme.GetClassCount(), 1);
    EXPECT_EQ(scheme.GetClass(0).name, "[border] ");
    const soiltex asWord = SchemeFromText("[texture]\nN\nx\ny\nz\nA\n1\n0 0 [border] 1 = 1 #\n");
    EXPECT_EQ(asWord.GetClassCount(), 0);
    EXPECT_EQ(asWord.Borders().size(), 1u);
}

TEST(SchemeFileReading, LinesWithoutLineEnds) {
    const soiltex scheme = SchemeFromText("[texture] Name");
    EXPECT_EQ(scheme.GetName(), " Name");
    const soiltex classes = SchemeFromText("[texture]\r\nN\r\nx\r\ny\r\nz\r\nAll\r\n1\r\n0 0 100 0 0 100 #");
    ASSERT_EQ(classes.GetClassCount(), 1);
    EXPECT_EQ(classes.GetClass(0).name, "All");
    EXPECT_TRUE(classes.IsValidScheme());
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

TEST(SchemeFileWriting, CanonicalLayoutWithCrLf) {
    std::stringstream out;
    SchemeFromText(kTwoZoneScheme).SaveScheme(out);
    EXPECT_EQ(out.str(),
              "[texture]\r\nTwo-zone demonstration\r\nfirst\r\nsecond\r\nthird\r\n\r\n"
              "Low\r\n1\r\n0 0\r\n50 0\r\n0 50\r\n#\r\n"
              "High\r\n2\r\n50 0\r\n100 0\r\n0 100\r\n0 50\r\n#\r\n"
              "[border]\r\n1 2 = 2\r\n#\r\n");
}

TEST(SchemeFileWriting, RulesAndNumbersAsTheStreamFormatsThem) {
    std::stringstream out;
    SchemeFromText("[texture]\nN\nx\ny\nz\nA\n1\n33.333333333 12.5\n#\n[border]\n1 2 = #\n")
        .SaveScheme(out);
    EXPECT_NE(out.str().find("33.3333 12.5\r\n"), std::string::npos);
    EXPECT_NE(out.str().find("1 2 = \r\n#\r\n"), std::string::npos);
    std::stringstream noRules;
    SchemeWithClasses("A\n1\n0 0 100 0 0 100\n#\n").SaveScheme(noRules);
    EXPECT_EQ(noRules.str().find("[border]"), std::string::npos);
}

TEST(SchemeFileWriting, RoundTripKeepsTheScheme) {
    const soiltex original = SchemeFromText(kTwoZoneScheme);
    std::stringstream stream;
    original.SaveScheme(stream);
    soiltex copy;
    copy.LoadScheme(stream);
    EXPECT_EQ(copy.GetName(), original.GetName());
    EXPECT_EQ(copy.GetXName(), original.GetXName());
    ASSERT_EQ(copy.GetClassCount(), original.GetClassCount());
    for (int32_t i = 0; i < copy.GetClassCount(); ++i) {
        EXPECT_EQ(copy.GetClass(i).name, original.GetClass(i).name);
        EXPECT_EQ(copy.GetClass(i).id, original.GetClass(i).id);
        EXPECT_EQ(copy.GetClass(i).region.Vertices().size(),
                  original.GetClass(i).region.Vertices().size());
    }
    EXPECT_EQ(copy.Borders()[0].classIds, original.Borders()[0].classIds);
    EXPECT_TRUE(copy.IsValidScheme());
}

TEST(SchemeFileWriting, EmptyNamesShiftTheItemsWhenReadBack) {
    std::stringstream stream;
    const soiltex unnamed;
    unnamed.SaveScheme(stream);
    soiltex copy;
    copy.LoadScheme(stream);
    EXPECT_EQ(copy.GetName(), "x"); // the empty name line is skipped
    EXPECT_EQ(copy.GetXName(), "y");
}

class SchemeFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("granum-schemefile-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
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
