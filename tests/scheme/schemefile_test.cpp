#include "scheme/schemefile.h"
#include "scheme/soiltex.h"
#include "schemetext.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

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

// Written in the canonical layout with CR LF line ends, which the file on disk has.
TEST(SchemeFileReading, TwoZoneExampleAndItsFile) {
    const soiltex scheme = SchemeFromText(kTwoZoneScheme);
    EXPECT_EQ(Outline(scheme), "Two-zone demonstration|first,second,third|2|1|valid");
    EXPECT_EQ(Written(scheme),
              "[texture]\r\nTwo-zone demonstration\r\nfirst\r\nsecond\r\nthird\r\n\r\n"
              "Low\r\n1\r\n0 0\r\n50 0\r\n0 50\r\n#\r\n"
              "High\r\n2\r\n50 0\r\n100 0\r\n0 100\r\n0 50\r\n#\r\n"
              "[border]\r\n1 2 = 2\r\n#\r\n");
    EXPECT_EQ(Written(LoadedScheme(GRANUM_TEST_DATA_DIR "/twozone/twozone.dat")), Written(scheme));
}

TEST(SchemeFileReading, RefusedInputChangesNothing) {
    soiltex scheme = SchemeFromText(kTwoZoneScheme);
    for (const char* text : {"", "x[texture]\nName\n", "\x01\x02\xff\xfe"}) {
        std::stringstream stream{std::string(text)};
        EXPECT_THROW(scheme.LoadScheme(stream), std::domain_error) << text;
    }
    std::fstream missing("/nonexistent/folder/scheme.dat", std::ios_base::in);
    EXPECT_THROW(scheme.LoadScheme(missing), std::ios_base::failure);
    EXPECT_EQ(Written(scheme), Written(SchemeFromText(kTwoZoneScheme)));
    std::stringstream bad;
    bad.setstate(std::ios_base::badbit);
    EXPECT_THROW(scheme.SaveScheme(bad), std::ios_base::failure);
    EXPECT_TRUE(bad.str().empty());
}

// Each text is read over the two-zone scheme: nothing of that may be left.
TEST(SchemeFileReading, LayoutsReadAsTheFileHoldsThem) {
    const struct {
        std::string text;
        const char* outline;
    } cases[] = {
        {"Details [texture] Name with blanks \nX\nY\nZ\n", " Name with blanks |X,Y,Z|0|0|invalid"},
        {"details\n[texture]", "|x,y,z|0|0|invalid"},
        {"[texture]\n\n\nName\n\nfirst\n\nsecond\nthird\n\n\nLow\n1 0 0 50 0\n0 50 #\n\n"
         "High\n2\n50 0 100 0 0 100 0 50\n#\n",
         "Name|first,second,third|2|0|valid"},
        // "[border] " is a class name; the word among vertices starts the rules.
        {"[texture]\nN\nx\ny\nz\n[border] \n1\n0 0 100 0 0 100\n#\n", "N|x,y,z|1|0|valid"},
        {"[texture]\nN\nx\ny\nz\nA\n1\n0 0 [border] 1 = 1 #\n", "N|x,y,z|0|1|invalid"},
    };
    for (const auto& c : cases) {
        soiltex scheme = SchemeFromText(kTwoZoneScheme);
        std::stringstream stream(c.text);
        scheme.LoadScheme(stream);
        EXPECT_EQ(Outline(scheme), c.outline) << c.text;
    }
}

TEST(SchemeFileReading, MalformedClassesAndRulesReadAsFarAsTheyGo) {
    const soiltex scheme = SchemeFromText(
        "[texture]\nN\nx\ny\nz\nFive\n7a\n0 0 10 0 5\n#\nLetter\nb3\n1e1 2\n#\nUnclosed\n3\n0 0\n");
    ASSERT_EQ(scheme.GetClassCount(), 2);
    EXPECT_EQ(scheme.GetClass(0).id, 7);
    EXPECT_EQ(scheme.GetClass(0).region.Size(), 2);
    EXPECT_EQ(scheme.GetClass(1).region.Vertex(0).x, 10);
    // Rules right after the texture word, one without ids, one without "=".
    const soiltex rules = SchemeFromText("[texture]\n[border]\n1 2 = 2 # # 3 = 3 #\n= 4 #\n5\n");
    ASSERT_EQ(rules.Borders().size(), 4u);
    EXPECT_EQ(rules.Borders()[1].classIds, std::vector<int32_t>{3});
    EXPECT_TRUE(rules.Borders()[2].classIds.empty());
    EXPECT_EQ(rules.Borders()[2].keepIds, std::vector<int32_t>{4});
    EXPECT_TRUE(rules.Borders()[3].keepIds.empty());
}

// A coordinate word must be wholly a number; anything else reads as NaN, which no valid scheme
// has, and is listed with its line. Numbers in every written form still read as before.
TEST(SchemeFileReading, CoordinateWordThatIsNotWhollyANumberIsRefused) {
    const struct {
        const char* vertices; // of the one class, from line 8
        bool valid;
        std::vector<std::string> problems; // "line:word"
    } cases[] = {
        {"0 0\n100 0\n0 100", true, {}},
        {".0 +0 1e2 -0 0 1E+2", true, {}},
        {"0 0\n1O0 0\n0 100", false, {"9:1O0"}},
        {"0 0 100 0 inf 100 0 0x64", false, {"8:inf", "8:0x64"}},
    };
    for (const auto& c : cases) {
        std::stringstream stream("[texture]\nN\nx\ny\nz\nA\n1\n" + std::string(c.vertices) +
                                 "\n#\nUnclosed\n2\nbad");
        soiltex scheme;
        std::vector<SchemeWordProblem> problems;
        scheme.LoadScheme(stream, &problems);
        EXPECT_EQ(scheme.IsValidScheme(), c.valid) << c.vertices;
        std::vector<std::string> seen;
        for (const SchemeWordProblem& p : problems) {
            EXPECT_EQ(p.classIndex, 0u);
            seen.push_back(std::to_string(p.line) + ":" + p.word);
        }
        EXPECT_EQ(seen, c.problems) << c.vertices;
    }
}

// Written and read back, a scheme writes the same again: nothing was lost on the way.
TEST(SchemeFileWriting, RoundTripKeepsTheScheme) {
    const soiltex usda = LoadBundled("usda");
    const soiltex emptyRule = SchemeWithClasses("A\n1\n0 0 100 0 0 100\n#\n[border]\n1 2 = #\n");
    for (const soiltex& original : {SchemeFromText(kTwoZoneScheme), emptyRule, usda}) {
        const soiltex copy = SchemeFromText(Written(original));
        EXPECT_EQ(Written(copy), Written(original));
        EXPECT_EQ(Outline(copy), Outline(original));
    }
}

class SchemeFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }
    std::string Write(const std::string& name, const std::string& text) {
        std::ofstream(folder / name, std::ios::binary) << text;
        return (folder / name).string();
    }
    const fs::path folder =
        fs::temp_directory_path() / ("granum-schemefile-" + std::to_string(::getpid()));
};

// Every failed load says why; a FIFO is refused before it is opened, so the load never blocks.
// A read-only file loads like any other.
TEST_F(SchemeFileOnDisk, LoadFailureNamesItsReason) {
    const std::string fifo = (folder / "fifo.dat").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string readOnly = Write("good.dat", kTwoZoneScheme);
    fs::permissions(readOnly, fs::perms::owner_read);
    const struct {
        std::string path;
        SchemeLoadStatus status;
        std::string reason;
    } cases[] = {
        {(folder / "absent.dat").string(), SchemeLoadStatus::Unreadable,
         "no such file or directory"},
        {fifo, SchemeLoadStatus::Unreadable, "it is a FIFO"},
        {Write("text.dat", "no scheme here\n"), SchemeLoadStatus::Unreadable,
         "it has no \"[texture]\" word"},
        {Write("line.dat", "[texture]\nN\nx\ny\nz\nA\n1\n0 0 50 0\n#\n"),
         SchemeLoadStatus::Unreadable, "A (1) has fewer than three vertices"},
        {Write("word.dat", "[texture]\nN\nx\ny\nz\nA\n1\n0 0\n100 0\n0 1OO\n#\n"),
         SchemeLoadStatus::Invalid, "line 10: \"1OO\" is not a number"},
        {readOnly, SchemeLoadStatus::Loaded, ""},
    };
    for (const auto& c : cases) {
        soiltex scheme;
        std::string reason = "stale";
        EXPECT_EQ(LoadSchemeFile(c.path, &scheme, &reason), c.status) << c.path;
        EXPECT_EQ(reason.substr(0, c.reason.size()), c.reason) << c.path;
        EXPECT_EQ(reason.empty(), c.reason.empty()) << c.path;
    }
    EXPECT_EQ(SchemeLoadLine(SchemeLoadStatus::Unreadable, "it is a FIFO"),
              "Unable to load the classification scheme file: it is a FIFO");
    EXPECT_EQ(SchemeLoadLine(SchemeLoadStatus::Invalid, "A (1) and B (2) overlap"),
              "Classification scheme is invalid. It will not be loaded. Reason: A (1) and B (2) "
              "overlap.");
}

TEST(SchemeFileLocation, BundledSchemeIsFoundFromAnyFolder) {
    const fs::path previous = fs::current_path();
    fs::current_path(fs::temp_directory_path());
    const std::string resolved = ResolveDataFile("schemes/usda.dat");
    fs::current_path(previous);
    EXPECT_TRUE(fs::is_regular_file(resolved)) << resolved;
    EXPECT_EQ(ResolveDataFile("no/such/file.dat"), "no/such/file.dat");
}

} // namespace
