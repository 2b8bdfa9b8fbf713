// granum-cli run as a user runs it: its output, its messages and its exit status.
#include "cli/rowclassifier.h"
#include "scheme/samplelookup.h"
#include "scheme/schemefile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kData = GRANUM_TEST_DATA_DIR;
const std::string kTwoZone = kData + "/twozone/twozone.dat";

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Slurp(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void Spit(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class ToolRun : public ::testing::Test {
protected:
    void SetUp() override {
        mFolder = fs::temp_directory_path() /
                  ("granum-cli-test-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(mFolder);
        fs::create_directories(mFolder);
    }
    void TearDown() override { fs::remove_all(mFolder); }

    // Runs the tool in the test's own folder with the text on standard input.
    Result Run(const std::vector<std::string>& args, const std::string& input = "") {
        const fs::path in = mFolder / ".stdin", out = mFolder / ".stdout",
                       err = mFolder / ".stderr";
        Spit(in, input);
        const pid_t child = ::fork();
        if (child == 0) {
            if (::chdir(mFolder.c_str()) != 0 || !std::freopen(in.c_str(), "rb", stdin) ||
                !std::freopen(out.c_str(), "wb", stdout) || !std::freopen(err.c_str(), "wb", stderr))
                ::_exit(127);
            std::vector<char*> argv{const_cast<char*>(GRANUM_CLI)};
            for (const std::string& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(GRANUM_CLI, argv.data());
            ::_exit(127);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        Result result;
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        result.out = Slurp(out);
        result.err = Slurp(err);
        return result;
    }


    // Every texture the tool writes for the input is the one PointLookup gives for the row
    // completed as the sheet completes it. The input has no quoted fields.
    void ExpectSameAsPointLookup(const std::string& schemePath, const std::string& input) {
        soiltex scheme;
        ASSERT_EQ(LoadSchemeFile(schemePath, &scheme), SchemeLoadStatus::Loaded);
        Spit(mFolder / "in.csv", input);
        const Result r = Run({"classify", "-q", "-s", schemePath, "in.csv"});
        ASSERT_EQ(r.status, 0);
        std::istringstream in(input), out(r.out);
        std::string line, written;
        std::size_t rows = 0;
        for (; std::getline(in, line); ++rows) {
            ASSERT_TRUE(std::getline(out, written));
            std::vector<std::string> f;
            std::istringstream fields(line + ",,,");
            for (std::string field; f.size() < 4 && std::getline(fields, field, ',');)
                f.push_back(field);
            const std::optional<Composition> row =
                CompleteRow(FieldValue(f[1]), FieldValue(f[2]), FieldValue(f[3]));
            const std::string expected =
                row ? TextureText(scheme.PointLookup(row->x, row->y, row->z)) : "";
            ASSERT_EQ(written.substr(written.rfind(',') + 1), expected) << line;
        }
        EXPECT_FALSE(std::getline(out, written));
        EXPECT_GT(rows, 0u);
    }

    // Random compositions on the half-percent grid (many on class edges), some with a value
    // missing, some not adding up to 100.
    static std::string RandomSamples(int count) {
        std::mt19937 rng(42);
        std::uniform_int_distribution<int> grid(0, 200);
        std::uniform_int_distribution<int> kind(0, 9);
        std::string input;
        for (int i = 0; i < count; ++i) {
            int a = grid(rng), b = grid(rng);
            if (a + b > 200) {
                a = 200 - a;
                b = 200 - b;
            }
            const double x = a / 2.0, y = b / 2.0;
            const int k = kind(rng);
            const std::string z = std::to_string(100 - x - y + (k == 1 ? 0.5 : 0));
            input += "r" + std::to_string(i) + "," + std::to_string(x) + "," +
                     (k == 0 ? "" : std::to_string(y)) + "," + z + "\n";
        }
        return input;
    }

    fs::path mFolder;
};

// A message is one line naming the tool, at most followed by a hint, never an exception text.
void ExpectMessage(const Result& r, const std::string& part) {
    EXPECT_EQ(r.err.rfind("granum-cli: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(part), std::string::npos) << r.err;
    const auto lines = std::count(r.err.begin(), r.err.end(), '\n');
    EXPECT_TRUE(lines == 1 || (lines == 2 && r.err.find("\nRun ") != std::string::npos)) << r.err;
    EXPECT_EQ(r.err.find("terminate"), std::string::npos);
    EXPECT_EQ(r.err.find("::"), std::string::npos);
}

struct Mistake {
    const char* name;
    std::vector<std::string> args;
    int status;
    const char* message;
};

class ToolMistakes : public ToolRun, public ::testing::WithParamInterface<Mistake> {};

TEST_P(ToolMistakes, OneClearLineAndAFailingStatus) {
    std::ofstream(mFolder / "empty.dat");
    fs::create_directories(mFolder / "folder");
    const Result r = Run(GetParam().args);
    EXPECT_EQ(r.status, GetParam().status);
    ExpectMessage(r, GetParam().message);
}

const std::string kInvalid = kData + "/cli-schemes/overlap.dat";
const std::string kNoTexture = kData + "/cli-schemes/notexture.dat";

INSTANTIATE_TEST_SUITE_P(
    Cases, ToolMistakes,
    ::testing::Values(
        Mistake{"NoCommand", {}, 2, "A subcommand is required"},
        Mistake{"UnknownCommand", {"clasify"}, 2, "unknown command \"clasify\""},
        Mistake{"UnknownOption", {"classify", "--bogus"}, 2, "--bogus"},
        Mistake{"MissingInput", {"classify", "-s", kTwoZone, "nosuch.csv"}, 2,
                "cannot open nosuch.csv: No such file or directory"},
        Mistake{"InputIsAFolder", {"classify", "-s", kTwoZone, "folder"}, 2, "it is a folder"},
        Mistake{"OutputFolderMissing", {"classify", "-s", kTwoZone, "-o", "no/such/out.csv"}, 2,
                "cannot write no/such/out.csv"},
        Mistake{"SchemeMissing", {"classify", "-s", "nosuch.dat"}, 2,
                "nosuch.dat: Unable to load the classification scheme file"},
        Mistake{"BundledSchemeMissing", {"lookup", "-s", "nosuch", "1", "2", "97"}, 2,
                "schemes/nosuch.dat: Unable to load the classification scheme file"},
        Mistake{"SchemeEmptyFile", {"range", "-s", "empty.dat"}, 2,
                "empty.dat: Unable to load the classification scheme file"},
        Mistake{"SchemeFolder", {"lookup", "-s", "folder/", "1", "2", "97"}, 2,
                "Unable to load the classification scheme file"},
        Mistake{"SchemeInvalid", {"classify", "-s", kInvalid}, 2,
                "Classification scheme is invalid. It will not be loaded."},
        Mistake{"NormaliseNotANumber", {"classify", "-s", kTwoZone, "--normalise=abc"}, 2,
                "--normalise: \"abc\""},
        Mistake{"NormaliseNegative", {"classify", "-s", kTwoZone, "--normalise=-1"}, 2,
                "--normalise"},
        Mistake{"LookupTwoValues", {"lookup", "-s", kTwoZone, "10", "20"}, 2, "3 required"},
        Mistake{"LookupFourValues", {"lookup", "-s", kTwoZone, "1", "2", "3", "4"}, 2, "4"},
        Mistake{"RangeOutside", {"range", "-s", kTwoZone, "--x", "0:101"}, 2,
                "--x: \"0:101\" is not MIN:MAX"},
        Mistake{"RangeWords", {"range", "-s", kTwoZone, "--z", "low:high"}, 2, "--z"},
        Mistake{"RangeMinNotBelowMax", {"range", "-s", kTwoZone, "--x", "40:40.0000005"}, 1,
                "first: Min value must be smaller than Max value"},
        Mistake{"RangeOnlyFirstAxisReported",
                {"range", "-s", kTwoZone, "--y", "60:50", "--z", "50:40"}, 1,
                "second: Min value"},
        Mistake{"ChartWithoutOutput", {"chart", "-s", kTwoZone}, 2, "--output is required"},
        Mistake{"ChartUnknownFormat", {"chart", "-s", kTwoZone, "-o", "c.jpg"}, 2,
                "-o: \"c.jpg\" does not end in .emf, .svg, .png or .pdf"},
        Mistake{"ChartHideUnknown", {"chart", "-s", kTwoZone, "--hide", "grid,axes", "-o", "c.png"},
                2, "--hide: \"axes\""},
        Mistake{"ChartBadSize", {"chart", "-s", kTwoZone, "--size", "600,400", "-o", "c.png"}, 2,
                "--size: \"600,400\""},
        Mistake{"ChartBadLayout", {"chart", "-s", kTwoZone, "--layout", "square", "-o", "c.png"},
                2, "--layout"},
        Mistake{"ChartMissingSamples", {"chart", "-s", kTwoZone, "nosuch.csv", "-o", "c.png"}, 2,
                "cannot open nosuch.csv"},
        Mistake{"ChartRangeOutside",
                {"chart", "-s", kTwoZone, "--x", "90:100", "--y", "90:100", "-o", "c.png"}, 1,
                "enclose no part of the triangle"},
        Mistake{"ChartUnwritable", {"chart", "-s", kTwoZone, "-o", "no/such/c.svg"}, 2,
                "cannot write no/such/c.svg"},
        Mistake{"CheckMissing", {"check", "nosuch.dat"}, 2, "Unable to load"},
        Mistake{"CheckNoTextureWord", {"check", kNoTexture}, 2, "Unable to load"},
        Mistake{"CheckWithoutScheme", {"check"}, 2, "SCHEME is required"}),
    [](const ::testing::TestParamInfo<Mistake>& info) { return std::string(info.param.name); });

TEST_F(ToolRun, VersionAndHelpOfEveryCommand) {
    const Result version = Run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "granum-cli 4.2.0\n");
    for (const char* command : {"classify", "lookup", "range", "check", "schemes"}) {
        const Result help = Run({command, "--help"});
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_NE(help.out.find("Usage:"), std::string::npos) << command;
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
    }
    EXPECT_EQ(Run({"classify", "--help"}).out.find("no-lookup"), std::string::npos);
}

TEST_F(ToolRun, ClassifyFilesAndStandardStreams) {
    Spit(mFolder / "in.csv", "S1,10,10,80\r\nS2,60,60,60\n");
    const std::string expected = "S1,10,10,80,Low\nS2,60,60,60,{ fail }\n";
    const Result piped = Run({"classify", "-s", kTwoZone}, Slurp(mFolder / "in.csv"));
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.out, expected);
    EXPECT_EQ(piped.err, "granum-cli: 2 rows: 1 classified, 1 failed (line 2)\n");
    EXPECT_EQ(Run({"classify", "-s", kTwoZone, "-", "-o", "-"}, "S1,10,10,80\n").out,
              "S1,10,10,80,Low\n");

    const Result strict = Run({"classify", "-s", kTwoZone, "--strict", "-q", "in.csv"});
    EXPECT_EQ(strict.status, 1);
    EXPECT_EQ(strict.err, "");

    // The output may be the input: it is replaced only at the end.
    const Result inPlace = Run({"classify", "-s", kTwoZone, "in.csv", "-o", "in.csv"});
    EXPECT_EQ(inPlace.status, 0);
    EXPECT_EQ(inPlace.out, "");
    EXPECT_EQ(Slurp(mFolder / "in.csv"), expected);
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(mFolder))
        ++files;
    EXPECT_EQ(files, 4u) << "no temporary file left behind"; // in.csv and the three streams

}

TEST_F(ToolRun, ChartInEveryFormatForSamplesAndRanges) {
    Spit(mFolder / "in.csv", "S1,10,10,80\n,20,30,\n");
    const std::pair<std::string, std::string> formats[] = {
        {"c.png", "\x89PNG"}, {"c.svg", "<?xml"}, {"c.pdf", "%PDF"}, {"c.emf", std::string("\x01\0\0\0", 4)}};
    for (const auto& [file, magic] : formats) {
        const Result r = Run({"chart", "-s", kTwoZone, "in.csv", "--layout", "bi", "-o", file});
        EXPECT_EQ(r.status, 0) << file << ": " << r.err;
        EXPECT_EQ(Slurp(mFolder / file).substr(0, magic.size()), magic) << file;
    }
    const std::string emf = Slurp(mFolder / "c.emf");
    EXPECT_NE(emf.find(std::string("G\0r\0a\0n\0u\0m\0\0\0C\0h\0a\0r\0t\0", 24)),
              std::string::npos)
        << "the metafile's description";
    EXPECT_EQ(Run({"chart", "-s", kTwoZone, "--x", "20:40", "-o", "r.svg"}).status, 0);

    // A chart definition file beside the scheme that is not a valid scheme: said, and drawn
    // without it.
    fs::copy_file(kTwoZone, mFolder / "zones.dat");
    Spit(mFolder / "zones.cha", "nothing here\n");
    const Result r = Run({"chart", "-s", "./zones.dat", "-o", "z.png"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("Unable to load the chart definition file"), std::string::npos) << r.err;
}

TEST_F(ToolRun, InputWithoutSamplesFailsAndKeepsTheOutput) {
    Spit(mFolder / "out.csv", "old\n");
    Spit(mFolder / "header.csv", "first,second,third\r\n");
    for (const char* input : {"-", "header.csv"}) {
        const Result r = Run({"classify", "-s", kTwoZone, input, "-o", "out.csv"}, "");
        EXPECT_EQ(r.status, 2) << input;
        EXPECT_EQ(r.err, std::string("granum-cli: ") +
                             (input == std::string("-") ? "standard input" : input) +
                             " holds no samples\n");
        EXPECT_EQ(Slurp(mFolder / "out.csv"), "old\n") << input;
    }
}

TEST_F(ToolRun, FailedRowsFromDecimalCommaSpreadsheetsGetAHint) {
    const struct {
        const char* input;
        const char* hint; // "" for no hint
    } cases[] = {
        {"a,\"40,5\",10,\"49,5\"\n", "\"40,5\" is not a number: write decimals with a point"},
        {"a;40,5;10;49,5\n", "fields are separated by semicolons"},
        {"a,60,60,60\n", ""},
        {"a,10,10,80\n", ""},
    };
    for (const auto& c : cases) {
        const Result r = Run({"classify", "-s", kTwoZone}, c.input);
        EXPECT_EQ(r.status, 0);
        const std::size_t hint = r.err.find("granum-cli: hint: ");
        if (*c.hint == '\0')
            EXPECT_EQ(hint, std::string::npos) << r.err;
        else
            EXPECT_NE(r.err.find(c.hint, hint), std::string::npos) << r.err;
    }
}

TEST_F(ToolRun, SchemeOptionBeforeOrAfterTheCommand) {
    for (const auto& args : {std::vector<std::string>{"-s", kTwoZone, "lookup", "10", "10", "80"},
                             std::vector<std::string>{"lookup", "-s", kTwoZone, "10", "10", "80"}}) {
        const Result r = Run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "Low\n");
    }
}

TEST_F(ToolRun, NormaliseWithAndWithoutTolerance) {
    const std::string row = "a,10,10,77\n";
    EXPECT_EQ(Run({"classify", "-s", kTwoZone, "-q"}, row).out, "a,10,10,77,{ fail }\n");
    EXPECT_EQ(Run({"classify", "-s", kTwoZone, "-q", "--normalise"}, row).out,
              "a,10,10,77,Low\n");
    EXPECT_EQ(Run({"classify", "-s", kTwoZone, "-q", "--normalise=2"}, row).out,
              "a,10,10,77,{ fail }\n");
    // The bare flag takes no value: what follows is still the input.
    Spit(mFolder / "in.csv", row);
    EXPECT_EQ(Run({"classify", "-s", kTwoZone, "-q", "--normalize", "in.csv"}).out,
              "a,10,10,77,Low\n");
}

struct FileCase {
    const char* name;
};

class ToolSampleFiles : public ToolRun, public ::testing::WithParamInterface<FileCase> {};

// tests/data/cli-classify/NAME.csv classified with the two-zone scheme gives NAME.expected.csv.
TEST_P(ToolSampleFiles, OutputAsExpected) {
    const std::string base = kData + "/cli-classify/" + GetParam().name;
    const Result r = Run({"classify", "-s", kTwoZone, "-q", base + ".csv"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, Slurp(base + ".expected.csv"));
}

INSTANTIATE_TEST_SUITE_P(Files, ToolSampleFiles,
                         ::testing::Values(FileCase{"samples"}, FileCase{"lab"}),
                         [](const ::testing::TestParamInfo<FileCase>& info) {
                             return std::string(info.param.name);
                         });

struct LookupCase {
    std::vector<std::string> values;
    int status;
    const char* out;
};

class ToolLookup : public ToolRun, public ::testing::WithParamInterface<LookupCase> {};

TEST_P(ToolLookup, NamesOneALineOrFail) {
    std::vector<std::string> args{"lookup", "-s", kTwoZone};
    args.insert(args.end(), GetParam().values.begin(), GetParam().values.end());
    const Result r = Run(args);
    EXPECT_EQ(r.status, GetParam().status) << r.err;
    EXPECT_EQ(r.out, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ToolLookup,
    ::testing::Values(LookupCase{{"10", "10", "80"}, 0, "Low\n"},
                      LookupCase{{"20", "30", "50"}, 0, "High\n"},
                      LookupCase{{"-", "30", "20"}, 0, "High\n"},
                      LookupCase{{"-5", "30", "20"}, 0, "High\n"}, // not accepted: missing
                      LookupCase{{"60", "60", "60"}, 1, "{ fail }\n"},
                      LookupCase{{"70", "40", "-"}, 1, "{ fail }\n"},
                      LookupCase{{"10", "-", "-"}, 1, "{ fail }\n"},
                      LookupCase{{"12,5", "10", "80"}, 0, "Low\n"}));

TEST_F(ToolRun, LookupOnAnEdgeWithoutRuleListsBoth) {
    const Result r = Run({"lookup", "-s", kData + "/cli-schemes/noborder.dat", "20", "30", "50"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Low\nHigh\n");
}

TEST_F(ToolRun, RangeHexagonAndEmptyRange) {
    const Result hexagon =
        Run({"range", "-s", kTwoZone, "--x", "20:40", "--y", "10:30", "--z", "40:60"});
    EXPECT_EQ(hexagon.status, 0);
    EXPECT_EQ(hexagon.out, "2 texture classes\nLow\nHigh\n"
                           "(30.00,\t10.00,\t60.00)\n(40.00,\t10.00,\t50.00)\n"
                           "(40.00,\t20.00,\t40.00)\n(30.00,\t30.00,\t40.00)\n"
                           "(20.00,\t30.00,\t50.00)\n(20.00,\t20.00,\t60.00)\n");
    const Result whole = Run({"range", "-s", kTwoZone});
    EXPECT_EQ(whole.out, "2 texture classes\nLow\nHigh\n(0.00,\t0.00,\t100.00)\n"
                         "(100.00,\t0.00,\t0.00)\n(0.00,\t100.00,\t0.00)\n");
    const Result square = Run({"range", "-s", kTwoZone, "--x", ":10", "--y", "0:10", "--z", "80:"});
    EXPECT_EQ(square.out, "1 texture class\nLow\n(0.00,\t0.00,\t100.00)\n"
                          "(10.00,\t0.00,\t90.00)\n(10.00,\t10.00,\t80.00)\n"
                          "(0.00,\t10.00,\t90.00)\n");
    const Result none = Run({"range", "-s", kTwoZone, "--x", "60:100", "--y", "60:100"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "0 texture class\n{ fail }\n");
}

struct CheckCase {
    const char* file;
    int status;
    std::vector<const char*> lines;
};

class ToolCheck : public ToolRun, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(ToolCheck, ReportAndStatus) {
    const Result r = Run({"check", kData + "/" + GetParam().file});
    EXPECT_EQ(r.status, GetParam().status);
    for (const char* line : GetParam().lines)
        EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
}

INSTANTIATE_TEST_SUITE_P(
    Files, ToolCheck,
    ::testing::Values(
        CheckCase{"twozone/twozone.dat",
                  0,
                  {"Name: Two-zone demonstration\n", "Axes: first, second, third\n",
                   "Classes: 2\nBorder rules: 1\n",
                   "Area: 5000.000000 of 5000 (difference 0.000000)\n",
                   "Overlapping classes: none\n", "Warnings: none\n", "The scheme is valid.\n"}},
        CheckCase{"cli-schemes/overlap.dat",
                  1,
                  {"difference 550.000000", "  Low (1) and High (2): overlap area 550.000000\n",
                   "The scheme is not valid.\n"}},
        CheckCase{"cli-schemes/fewvertices.dat",
                  1,
                  {"Classes with fewer than three vertices:\n  Low (1): 2 vertices\n",
                   "was not looked up"}},
        CheckCase{"cli-schemes/gaps.dat",
                  1,
                  {"vertex (101.000000, 0.000000) of High (2) is outside the triangle",
                   "border rules name the id 9, which no class has",
                   "compositions of the 0.5 % grid get no class:\n    (0.0, 50.5, 49.5)\n"}},
        CheckCase{"cli-schemes/noborder.dat",
                  0,
                  {"101 of 20301 compositions of the 0.5 % grid get more than one class:\n"
                   "    (0.0, 50.0, 50.0) Low (1) / High (2)\n",
                   "    ...\n"}}));

TEST_F(ToolRun, SameTexturesAsPointLookupTwoZone) {
    ExpectSameAsPointLookup(kTwoZone, RandomSamples(5000));
}

TEST_F(ToolRun, SameTexturesAsPointLookupUsda) {
    const std::string usda = GRANUM_SCHEMES_DIR "/usda.dat";
    if (!fs::exists(usda))
        GTEST_SKIP() << "no bundled USDA scheme";
    // bench/classify_throughput.sh names its own sample file here to check it whole.
    const char* file = std::getenv("GRANUM_IDENTITY_SAMPLES");
    ExpectSameAsPointLookup(usda, file != nullptr ? Slurp(file) : RandomSamples(5000));
    // The default scheme is the bundled one, found from any folder.
    const Result r = Run({"lookup", "40", "20", "40"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("{ fail }"), std::string::npos);
    EXPECT_NE(Run({"schemes"}).out.find("usda  "), std::string::npos);
}

} // namespace
