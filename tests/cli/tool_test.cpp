// granum-cli run as a user runs it: its output, its messages and its exit status. What the
// reader, the writer and the commands do in-process is tested there; here the command line.
#include "cli/rowclassifier.h"
#include "scheme/samplelookup.h"
#include "scheme/schemefile.h"

#include <algorithm>
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
        mFolder = fs::temp_directory_path() /
                  ("granum-cli-test-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(mFolder);
        fs::create_directories(mFolder);
        fs::copy_file(GRANUM_TEST_DATA_DIR "/twozone/twozone.dat", mFolder / "zones.dat");
        for (const auto& entry : fs::directory_iterator(GRANUM_TEST_DATA_DIR "/cli-schemes"))
            fs::copy_file(entry.path(), mFolder / entry.path().filename());
    }
    void TearDown() override { fs::remove_all(mFolder); }

    // Runs the command line (words split at blanks by the shell) with the text on standard input.
    Result Run(const std::string& commandLine, const std::string& input = "") {
        Spit(mFolder / ".stdin", input);
        const int status = std::system(("cd " + mFolder.string() + " && " GRANUM_CLI " " +
                                        commandLine + " <.stdin >.stdout 2>.stderr")
                                           .c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
                Slurp(mFolder / ".stdout"), Slurp(mFolder / ".stderr")};
    }

    fs::path mFolder;
};

// A command line, the exit status it should give and the text it should write.
struct Case {
    const char* command;
    int status;
    const char* text;
};

// One line naming the tool, at most followed by a hint, never an exception's text.
TEST_F(ToolRun, MistakesGetOneClearLineAndAFailingStatus) {
    Spit(mFolder / "long.csv", std::string((1 << 20) + 1, 'x'));
    const Case cases[] = {
        {"classify --bogus", 2, "--bogus"},
        {"classify --header --no-header", 2, "--header"},
        {"classify -s zones.dat long.csv", 2, "long.csv: line 1 is longer than 1 MiB"},
        {"classify -s zones.dat --normalise=abc", 2, "--normalise: \"abc\""},
        {"lookup -s zones.dat 10 20", 2, "3 required"},
        {"classify -s zones.dat nosuch.csv", 2,
         "cannot open nosuch.csv: No such file or directory"},
        {"classify -s zones.dat -o no/such/out.csv", 2, "cannot write no/such/out.csv"},
        {"classify -s nosuch.dat", 2, "nosuch.dat: Unable to load the classification scheme file"},
        {"classify -s overlap.dat", 2, "Classification scheme is invalid. It will not be loaded."},
        // The first axis out of order is named, within the tolerance.
        {"range -s zones.dat --y 40:40.0000005 --z 50:40", 1, "second: Min value must be smaller"},
        {"chart -s zones.dat -o c.jpg", 2, "\"c.jpg\" does not end in .emf, .svg, .png or .pdf"},
        {"chart -s zones.dat -o no/such/c.svg", 2, "cannot write no/such/c.svg"},
        {"chart -s zones.dat --x 90:100 --y 90:100 -o c.png", 1, "enclose no part of the triangle"},
    };
    for (const auto& c : cases) {
        const Result r = Run(c.command);
        EXPECT_EQ(r.status, c.status) << c.command;
        EXPECT_EQ(r.err.rfind("granum-cli: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(c.text), std::string::npos) << r.err;
        const auto lines = std::count(r.err.begin(), r.err.end(), '\n');
        EXPECT_TRUE(lines == 1 || (lines == 2 && r.err.find("\nRun ") != std::string::npos))
            << r.err;
        EXPECT_EQ(r.err.find("::"), std::string::npos) << r.err;
    }
}

TEST_F(ToolRun, VersionAndHelpOfEveryCommand) {
    EXPECT_EQ(Run("--version").out.rfind("granum-cli ", 0), 0u);
    for (const std::string command : {"classify", "lookup", "range", "chart", "check", "schemes"}) {
        const Result help = Run(command + " --help");
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_NE(help.out.find("Usage: granum-cli " + command + " "), std::string::npos)
            << help.out;
    }
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

TEST_F(ToolRun, NormaliseTakesAnOptionalTolerance) {
    const std::string row = "a,10,10,77\n"; // 97: within the default 5, not within 2
    EXPECT_EQ(Run("classify -s zones.dat -q --normalise=2", row).out, "a,10,10,77,{ fail }\n");
    // The bare flag takes no value: what follows is still the input.
    Spit(mFolder / "in.csv", row);
    EXPECT_EQ(Run("classify -s zones.dat -q --normalize in.csv").out, "a,10,10,77,Low\n");
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
    // A chart definition file beside the scheme that is not one: said, and drawn without it.
    Spit(mFolder / "zones.cha", "nothing here\n");
    const Result r = Run("chart -s ./zones.dat -o z.png");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("Unable to load the chart definition file"), std::string::npos) << r.err;
}

TEST_F(ToolRun, AnswersOnStandardOutputWithTheStatus) {
    const Case cases[] = {
        {"-s zones.dat lookup 10 10 80", 0, "Low\n"},
        {"lookup 40 20 40", 0, "Loam\n"},              // the bundled default scheme
        {"lookup -s zones.dat - 30 20", 0, "High\n"},  // "-" is missing
        {"lookup -s zones.dat -5 30 20", 0, "High\n"}, // a value, not an option: missing
        {"lookup -s zones.dat 60 60 60", 1, "{ fail }\n"},
        {"lookup -s noborder.dat 20 30 50", 0, "Low\nHigh\n"},
        {"range -s zones.dat --x 20:40 --y 10:30 --z 40:60", 0,
         "2 texture classes\nLow\nHigh\n(30.00,\t10.00,\t60.00)\n(40.00,\t10.00,\t50.00)\n"
         "(40.00,\t20.00,\t40.00)\n(30.00,\t30.00,\t40.00)\n(20.00,\t30.00,\t50.00)\n"
         "(20.00,\t20.00,\t60.00)\n"},
        {"range -s zones.dat --x 60:100 --y 60:100", 1, "0 texture class\n{ fail }\n"},
    };
    for (const auto& c : cases) {
        const Result r = Run(c.command);
        EXPECT_EQ(r.status, c.status) << c.command << ": " << r.err;
        EXPECT_EQ(r.out, c.text) << c.command;
    }
}

// Random compositions on the half-percent grid (many on class edges), some with a value
// missing, some not adding up to 100.
std::string RandomSamples(int count) {
    std::mt19937 rng(42);
    std::ostringstream input;
    for (int i = 0; i < count; ++i) {
        const int a = int(rng() % 201), b = int(rng() % (201 - a));
        input << "r" << i << "," << a / 2.0 << ",";
        if (i % 10 != 0)
            input << b / 2.0;
        input << "," << 100 - (a + b) / 2.0 + (i % 10 == 1 ? 0.5 : 0) << "\n";
    }
    return input.str();
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
