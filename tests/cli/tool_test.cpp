// granum-cli run as a user runs it: its output, its messages and its exit status.
#include "cli/rowclassifier.h"
#include "scheme/samplelookup.h"
#include "scheme/schemefile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

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

// Each test runs the tool in a folder of its own holding the two-zone scheme as zones.dat and
// the faulty schemes of tests/data/cli-schemes, so that command lines name them as a user would.
class ToolRun : public ::testing::Test {
protected:
    void SetUp() override {
        // Table cases are named "Table/Case/N": one folder each, not nested ones left behind.
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-');
        mFolder = fs::temp_directory_path() /
                  ("granum-cli-test-" + std::to_string(::getpid()) + "-" + name);
        fs::remove_all(mFolder);
        fs::create_directories(mFolder / "folder");
        fs::copy_file(GRANUM_TEST_DATA_DIR "/twozone/twozone.dat", mFolder / "zones.dat");
        for (const auto& entry : fs::directory_iterator(GRANUM_TEST_DATA_DIR "/cli-schemes"))
            fs::copy_file(entry.path(), mFolder / entry.path().filename());
    }
    void TearDown() override { fs::remove_all(mFolder); }

    // Runs the command line (words split at blanks) with the text on standard input.
    Result Run(const std::string& commandLine, const std::string& input = "") {
        std::vector<std::string> args;
        std::istringstream words(commandLine);
        for (std::string word; words >> word;)
            args.push_back(word);
        const fs::path in = mFolder / ".stdin", out = mFolder / ".stdout",
                       err = mFolder / ".stderr";
        Spit(in, input);
        const pid_t child = ::fork();
        if (child == 0) {
            if (::chdir(mFolder.c_str()) != 0 || !std::freopen(in.c_str(), "rb", stdin) ||
                !std::freopen(out.c_str(), "wb", stdout) ||
                !std::freopen(err.c_str(), "wb", stderr))
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

    fs::path mFolder;
};

// Cases are named after their name member.
template <typename Case> std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

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
    const char* command;
    int status;
    const char* message;
};

class ToolMistakes : public ToolRun, public ::testing::WithParamInterface<Mistake> {};

TEST_P(ToolMistakes, OneClearLineAndAFailingStatus) {
    const Result r = Run(GetParam().command);
    EXPECT_EQ(r.status, GetParam().status);
    ExpectMessage(r, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToolMistakes,
    ::testing::Values(
        Mistake{"NoCommand", "", 2, "A subcommand is required"},
        Mistake{"UnknownCommand", "clasify", 2, "unknown command \"clasify\""},
        Mistake{"UnknownOption", "classify --bogus", 2, "--bogus"},
        Mistake{"MissingInput", "classify -s zones.dat nosuch.csv", 2,
                "cannot open nosuch.csv: No such file or directory"},
        Mistake{"InputIsAFolder", "classify -s zones.dat folder", 2, "it is a folder"},
        Mistake{"OutputFolderMissing", "classify -s zones.dat -o no/such/out.csv", 2,
                "cannot write no/such/out.csv"},
        Mistake{"SchemeMissing", "classify -s nosuch.dat", 2,
                "nosuch.dat: Unable to load the classification scheme file"},
        Mistake{"BundledSchemeMissing", "lookup -s nosuch 1 2 97", 2,
                "schemes/nosuch.dat: Unable to load the classification scheme file"},
        Mistake{"SchemeInvalid", "classify -s overlap.dat", 2,
                "Classification scheme is invalid. It will not be loaded."},
        Mistake{"NormaliseNotANumber", "classify -s zones.dat --normalise=abc", 2,
                "--normalise: \"abc\""},
        Mistake{"NormaliseNegative", "classify -s zones.dat --normalise=-1", 2, "--normalise"},
        Mistake{"LookupTwoValues", "lookup -s zones.dat 10 20", 2, "3 required"},
        Mistake{"RangeOutside", "range -s zones.dat --x 0:101", 2, "--x: \"0:101\" is not MIN:MAX"},
        Mistake{"RangeMinNotBelowMax", "range -s zones.dat --x 40:40.0000005", 1,
                "first: Min value must be smaller than Max value"},
        Mistake{"RangeOnlyFirstAxisReported", "range -s zones.dat --y 60:50 --z 50:40", 1,
                "second: Min value"},
        Mistake{"ChartWithoutOutput", "chart -s zones.dat", 2, "--output is required"},
        Mistake{"ChartUnknownFormat", "chart -s zones.dat -o c.jpg", 2,
                "-o: \"c.jpg\" does not end in .emf, .svg, .png or .pdf"},
        Mistake{"ChartHideUnknown", "chart -s zones.dat --hide grid,axes -o c.png", 2,
                "--hide: \"axes\""},
        Mistake{"ChartBadSize", "chart -s zones.dat --size 600,400 -o c.png", 2,
                "--size: \"600,400\""},
        Mistake{"ChartBadLayout", "chart -s zones.dat --layout square -o c.png", 2, "--layout"},
        Mistake{"ChartMissingSamples", "chart -s zones.dat nosuch.csv -o c.png", 2,
                "cannot open nosuch.csv"},
        Mistake{"ChartRangeOutside", "chart -s zones.dat --x 90:100 --y 90:100 -o c.png", 1,
                "enclose no part of the triangle"},
        Mistake{"ChartUnwritable", "chart -s zones.dat -o no/such/c.svg", 2,
                "cannot write no/such/c.svg"},
        Mistake{"CheckMissing", "check nosuch.dat", 2, "Unable to load"},
        Mistake{"CheckWithoutScheme", "check", 2, "SCHEME is required"}),
    CaseName<Mistake>);

TEST_F(ToolRun, VersionAndHelpOfEveryCommand) {
    const Result version = Run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("granum-cli ", 0), 0u) << version.out;
    for (const std::string command : {"classify", "lookup", "range", "chart", "check", "schemes"}) {
        const Result help = Run(command + " --help");
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_NE(help.out.find("Usage:"), std::string::npos) << command;
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
    }
    EXPECT_EQ(Run("classify --help").out.find("no-lookup"), std::string::npos);
}

TEST_F(ToolRun, ClassifyFilesAndStandardStreams) {
    Spit(mFolder / "in.csv", "S1,10,10,80\r\nS2,60,60,60\n");
    const std::string expected = "S1,10,10,80,Low\nS2,60,60,60,{ fail }\n";
    const Result piped = Run("classify -s zones.dat", Slurp(mFolder / "in.csv"));
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.out, expected);
    EXPECT_EQ(piped.err, "granum-cli: 2 rows: 1 classified, 1 failed (line 2)\n");
    EXPECT_EQ(Run("classify -s zones.dat - -o -", "S1,10,10,80\n").out, "S1,10,10,80,Low\n");

    const Result strict = Run("classify -s zones.dat --strict -q in.csv");
    EXPECT_EQ(strict.status, 1);
    EXPECT_EQ(strict.err, "");

    // The output may be the input: it is replaced only at the end, and nothing is left behind.
    const auto files = [this] {
        const fs::directory_iterator entries(mFolder);
        return std::distance(fs::begin(entries), fs::end(entries));
    };
    const auto before = files();
    const Result inPlace = Run("classify -s zones.dat in.csv -o in.csv");
    EXPECT_EQ(inPlace.status, 0);
    EXPECT_EQ(inPlace.out, "");
    EXPECT_EQ(Slurp(mFolder / "in.csv"), expected);
    EXPECT_EQ(files(), before);
}

TEST_F(ToolRun, ChartInEveryFormatForSamplesAndRanges) {
    Spit(mFolder / "in.csv", "S1,10,10,80\n,20,30,\n");
    const std::pair<std::string, std::string> formats[] = {{"c.png", "\x89PNG"},
                                                           {"c.svg", "<?xml"},
                                                           {"c.pdf", "%PDF"},
                                                           {"c.emf", std::string("\x01\0\0\0", 4)}};
    for (const auto& [file, magic] : formats) {
        const Result r = Run("chart -s zones.dat in.csv --layout bi -o " + file);
        EXPECT_EQ(r.status, 0) << file << ": " << r.err;
        EXPECT_EQ(Slurp(mFolder / file).substr(0, magic.size()), magic) << file;
    }
    EXPECT_EQ(Run("chart -s zones.dat --x 20:40 -o r.svg").status, 0);

    // A chart definition file beside the scheme that is not a valid scheme: said, and drawn
    // without it.
    Spit(mFolder / "zones.cha", "nothing here\n");
    const Result r = Run("chart -s ./zones.dat -o z.png");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("Unable to load the chart definition file"), std::string::npos) << r.err;
}

TEST_F(ToolRun, InputWithoutSamplesFailsAndKeepsTheOutput) {
    Spit(mFolder / "out.csv", "old\n");
    Spit(mFolder / "header.csv", "first,second,third\r\n");
    for (const std::string input : {"-", "header.csv"}) {
        const Result r = Run("classify -s zones.dat -o out.csv " + input);
        EXPECT_EQ(r.status, 2) << input;
        EXPECT_EQ(r.err, "granum-cli: " + (input == "-" ? "standard input" : input) +
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
    };
    for (const auto& c : cases) {
        const Result r = Run("classify -s zones.dat", c.input);
        EXPECT_EQ(r.status, 0);
        const std::size_t hint = r.err.find("granum-cli: hint: ");
        if (*c.hint == '\0')
            EXPECT_EQ(hint, std::string::npos) << r.err;
        else
            EXPECT_NE(r.err.find(c.hint, hint), std::string::npos) << r.err;
    }
}

TEST_F(ToolRun, NormaliseTakesAnOptionalTolerance) {
    const std::string row = "a,10,10,77\n"; // 97: within the default 5, not within 2
    EXPECT_EQ(Run("classify -s zones.dat -q --normalise=2", row).out, "a,10,10,77,{ fail }\n");
    // The bare flag takes no value: what follows is still the input.
    Spit(mFolder / "in.csv", row);
    EXPECT_EQ(Run("classify -s zones.dat -q --normalize in.csv").out, "a,10,10,77,Low\n");
}

struct Answer {
    const char* name;
    const char* command;
    int status;
    const char* out;
};

class ToolAnswers : public ToolRun, public ::testing::WithParamInterface<Answer> {};

TEST_P(ToolAnswers, OnStandardOutputWithTheStatus) {
    const Result r = Run(GetParam().command);
    EXPECT_EQ(r.status, GetParam().status) << r.err;
    EXPECT_EQ(r.out, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Lookup, ToolAnswers,
    ::testing::Values(Answer{"SchemeAfterCommand", "lookup -s zones.dat 10 10 80", 0, "Low\n"},
                      Answer{"SchemeBeforeCommand", "-s zones.dat lookup 10 10 80", 0, "Low\n"},
                      Answer{"DefaultSchemeIsBundled", "lookup 40 20 40", 0, "Loam\n"},
                      Answer{"DashIsMissing", "lookup -s zones.dat - 30 20", 0, "High\n"},
                      // A negative number is a value, not an option, and counts as missing.
                      Answer{"NegativeIsMissing", "lookup -s zones.dat -5 30 20", 0, "High\n"},
                      Answer{"SumNot100", "lookup -s zones.dat 60 60 60", 1, "{ fail }\n"},
                      Answer{"TwoMissing", "lookup -s zones.dat 10 - -", 1, "{ fail }\n"},
                      Answer{"EdgeWithoutRuleListsBoth", "lookup -s noborder.dat 20 30 50", 0,
                             "Low\nHigh\n"}),
    CaseName<Answer>);

INSTANTIATE_TEST_SUITE_P(
    Range, ToolAnswers,
    ::testing::Values(Answer{"Hexagon", "range -s zones.dat --x 20:40 --y 10:30 --z 40:60", 0,
                             "2 texture classes\nLow\nHigh\n"
                             "(30.00,\t10.00,\t60.00)\n(40.00,\t10.00,\t50.00)\n"
                             "(40.00,\t20.00,\t40.00)\n(30.00,\t30.00,\t40.00)\n"
                             "(20.00,\t30.00,\t50.00)\n(20.00,\t20.00,\t60.00)\n"},
                      Answer{"OutsideTheTriangle", "range -s zones.dat --x 60:100 --y 60:100", 1,
                             "0 texture class\n{ fail }\n"}),
    CaseName<Answer>);

struct CheckCase {
    const char* name;
    int status;
    std::vector<const char*> lines;
};

class ToolCheck : public ToolRun, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(ToolCheck, ReportAndStatus) {
    const Result r = Run(std::string("check ") + GetParam().name + ".dat");
    EXPECT_EQ(r.status, GetParam().status);
    for (const char* line : GetParam().lines)
        EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
}

INSTANTIATE_TEST_SUITE_P(
    Files, ToolCheck,
    ::testing::Values(
        CheckCase{"zones",
                  0,
                  {"Axes: first, second, third\nClasses: 2\nBorder rules: 1\n"
                   "Area: 5000.000000 of 5000 (difference 0.000000)\nOverlapping classes: none\n",
                   "Warnings: none\nThe scheme is valid.\n"}},
        CheckCase{"overlap",
                  1,
                  {"difference 550.000000", "  Low (1) and High (2): overlap area 550.000000\n",
                   "The scheme is not valid.\n"}},
        CheckCase{"fewvertices",
                  1,
                  {"Classes with fewer than three vertices:\n  Low (1): 2 vertices\n",
                   "was not looked up"}},
        CheckCase{"gaps",
                  1,
                  {"vertex (101.000000, 0.000000) of High (2) is outside the triangle",
                   "border rules name the id 9, which no class has",
                   "compositions of the 0.5 % grid get no class:\n    (0.0, 50.5, 49.5)\n"}},
        CheckCase{"noborder",
                  0,
                  {"101 of 20301 compositions of the 0.5 % grid get more than one class:\n"
                   "    (0.0, 50.0, 50.0) Low (1) / High (2)\n",
                   "    ...\n"}}),
    CaseName<CheckCase>);

// Random compositions on the half-percent grid (many on class edges), some with a value
// missing, some not adding up to 100.
std::string RandomSamples(int count) {
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

// Every texture the tool writes is the one PointLookup gives for the row completed as the sheet
// completes it.
TEST_F(ToolRun, SameTexturesAsPointLookupUsda) {
    // bench/classify_throughput.sh names its own sample file here to check it whole.
    const char* file = std::getenv("GRANUM_IDENTITY_SAMPLES");
    const std::string input = file != nullptr ? Slurp(file) : RandomSamples(5000);
    soiltex scheme;
    ASSERT_EQ(LoadSchemeFile(GRANUM_SCHEMES_DIR "/usda.dat", &scheme), SchemeLoadStatus::Loaded);
    Spit(mFolder / "in.csv", input);
    const Result r = Run("classify -q -s usda in.csv"); // the bundled scheme by its name
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream in(input), out(r.out);
    std::string line, written;
    std::size_t rows = 0;
    for (; std::getline(in, line); ++rows) {
        ASSERT_TRUE(std::getline(out, written));
        std::vector<std::string> f; // the input has no quoted fields
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
    EXPECT_NE(Run("schemes").out.find("usda  "), std::string::npos);
}

} // namespace
