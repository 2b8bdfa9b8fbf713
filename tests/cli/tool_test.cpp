// granum-cli run as a user runs it: its output, its messages and its exit status. What the
// reader, the writer and the commands do in-process is tested there; here the command line.
#include "cli/rowclassifier.h"
#include "scheme/samplelookup.h"
#include "tests/scheme/schemetext.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

    // Runs the command line (words split at blanks by the shell) with the text on standard input;
    // a run that blocks is ended after a minute (status 124).
    Result Run(const std::string& commandLine, const std::string& input = "",
               const std::string& output = ".stdout") {
        Spit(mFolder / ".stdin", input);
        const int status =
            std::system(("cd " + mFolder.string() + " && timeout 60 " GRANUM_CLI " " + commandLine +
                         " <.stdin >" + output + " 2>.stderr")
                            .c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
                Slurp(mFolder / ".stdout"), Slurp(mFolder / ".stderr")};
    }

    // The entries of the test's folder whose names start with prefix.
    int Entries(const std::string& prefix = "") const {
        int count = 0;
        for (const auto& entry : fs::directory_iterator(mFolder))
            count += entry.path().filename().string().rfind(prefix, 0) == 0;
        return count;
    }

    fs::path mFolder;
};

// A command line, the exit status it should give and the text it should write.
struct Case {
    const char* command;
    int status;
    const char* text;
};

// One line naming the tool, at most followed by a hint, never an exception's text, and nothing
// on standard output. Input that is no regular file is refused by its path (which kind it is, is
// the path check's own test): a FIFO without a writer would block the open for ever, here until the
// minute's timeout. Without a write bit an output file is read-only on purpose, also for root, for
// whom the permission check alone would let everything through; a folder is never an output. Both
// keep what is there.
TEST_F(ToolRun, MistakesGetOneClearLineAndAFailingStatus) {
    ASSERT_EQ(::mkfifo((mFolder / "fifo").c_str(), 0600), 0);
    Spit(mFolder / "in.csv", "S1,10,10,80\n");
    Spit(mFolder / "ro.csv", "old\n");
    fs::permissions(mFolder / "ro.csv", fs::perms::owner_read | fs::perms::group_read);
    fs::create_directory(mFolder / "sub");
    const Case cases[] = {
        {"classify --bogus", 2, "--bogus"},
        {"classify --header --no-header", 2, "--header"},
        {"classify -s zones.dat --normalise=abc", 2, "--normalise: \"abc\""},
        {"lookup -s zones.dat 10 20", 2, "3 required"},
        {"classify -s zones.dat nosuch.csv", 2, "cannot open nosuch.csv: No such file"},
        {"classify -s zones.dat -o no/such/out.csv", 2, "cannot write no/such/out.csv"},
        {"classify -s nosuch.dat", 2, "nosuch.dat: Unable to load the classification scheme file"},
        {"classify -s overlap.dat", 2, "Classification scheme is invalid. It will not be loaded."},
        {"check notexture.dat", 2,
         "notexture.dat: Unable to load the classification scheme file: it has no \"[texture]\""},
        // The first axis out of order is named, within the tolerance.
        {"range -s zones.dat --y 40:40.0000005 --z 50:40", 1, "second: Min value must be smaller"},
        {"chart -s zones.dat -o c.jpg", 2, "\"c.jpg\" does not end in .emf, .svg, .png or .pdf"},
        {"chart -s zones.dat --x 90:100 --y 90:100 -o c.png", 1, "enclose no part of the triangle"},
        // A typed value is never quietly taken as missing, however it begins.
        {"lookup -s zones.dat 150 0 0", 2, "first \"150\" is not a number within 0 to 100"},
        {"lookup 40 -s zones.dat -5 40", 2, "second \"-5\" is not a number"},
        // Sizes that wrap around a 32-bit integer are not taken modulo.
        {"chart -s zones.dat --size 4294967896x400 -o c.png", 2, "--size: \"4294967896x400\""},
        {"lookup -s nosuch 1 2 97", 2, "no bundled scheme is called \"nosuch\""},
        {"classify -s usda -s ./zones/../usda.dat", 2, "two schemes are called \"usda\""},
        {"lookup -s usda -s zones.dat 1 2 97", 2, "are not those of usda (Sand, Clay, Silt)"},
        {"chart -s zones.dat -s usda -o c.png", 2, "chart takes one scheme"},
        {"chart -s zones.dat --style fancy -o c.png", 2, "--style: \"fancy\" is not classic or"},
        {"chart -s zones.dat in.csv --color-by 1 -o c.png", 2, "--color-by needs --style publ"},
        {"chart -s zones.dat in.csv --style publication --color-by Site -o c.png", 2,
         "in.csv has no column \"Site\" (it has no header"},
        {"classify -s zones.dat fifo", 2, "cannot read fifo: it is a FIFO"},
        {"classify -s zones.dat in.csv -o ro.csv", 2, "cannot write ro.csv: it is read-only"},
        {"classify -s zones.dat in.csv -o sub", 2, "cannot write sub: it is a folder"},
        {"classify -s zones.dat --shares", 2, "--shares needs --error or --error-sd"},
        {"lookup --error 1 --error-sd 1 10 10 80", 2, "--error"},
        {"lookup --error 0 10 10 80", 2, "--error: \"0\" is not a number of percentage points"},
        // Raster inputs are named by the scheme's axes, as --AXIS FILE or --AXIS=FILE.
        {"raster --sand=in.csv -o m.tif --clay", 2, "--clay needs a FILE"},
        {"raster stray -o m.tif", 2, "raster: unexpected \"stray\""},
        {"raster --sand=fifo --clay in.csv -o m.tif", 2, "cannot read fifo: it is a FIFO"},
        {"raster --sand nosuch.tif --clay in.csv -o m.tif", 2, "cannot read nosuch.tif: No such"},
        {"raster --sand in.csv --clay in.csv -o m.tif", 2, "in.csv: not a raster that GDAL reads"},
        {"raster --sand in.csv --clay in.csv -o -", 2, "a GeoTIFF cannot go to standard output"},
        {"raster --window 1,2,3 -o m.tif", 2, "--window: \"1,2,3\" is not XOFF,YOFF,XSIZE,YSIZE"},
        {"raster --tile 3/2 -o m.tif", 2, "--tile: \"3/2\" is not I/N"},
        {"raster --fractions clay=0-2,silt=2-63,sand=63-2000 -o m.tif", 2,
         "--fractions names a file's columns"},
        {"raster --spline -o m.tif", 2, "--spline needs --data-limits"},
        {"raster --data-limits 2,1,3 -o m.tif", 2, "--data-limits: "},
        {"raster --error 0 -o m.tif", 2, "--error: \"0\" is not a number of percentage points"},
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
        EXPECT_EQ(r.out, "") << c.command;
    }
    EXPECT_EQ(Slurp(mFolder / "ro.csv"), "old\n");
    EXPECT_TRUE(fs::is_empty(mFolder / "sub"));
}

TEST_F(ToolRun, VersionAndHelp) {
    EXPECT_EQ(Run("--version").out.rfind("granum-cli ", 0), 0u);
    const Result help = Run("lookup --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: granum-cli lookup "), std::string::npos) << help.out;
}

TEST_F(ToolRun, ClassifyFilesAndStandardStreams) {
    Spit(mFolder / "in.csv", "S1,10,10,80\r\nS2,60,60,60\n");
    const std::string expected = "S1,10,10,80,Low\nS2,60,60,60,{ fail }\n";
    const Result piped = Run("classify -s zones.dat", Slurp(mFolder / "in.csv"));
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.out, expected);
    EXPECT_EQ(Run("classify -s zones.dat - -o -", "S1,10,10,80\n").out, "S1,10,10,80,Low\n");
    const Result strict = Run("classify -s zones.dat --strict -q in.csv");
    EXPECT_EQ(strict.status, 1);
    EXPECT_EQ(strict.err, "");

    // The output may be the input: it is replaced only at the end, and nothing is left behind.
    const int before = Entries();
    const Result inPlace = Run("classify -s zones.dat in.csv -o in.csv");
    EXPECT_EQ(inPlace.status, 0);
    EXPECT_EQ(inPlace.out, "");
    EXPECT_EQ(Slurp(mFolder / "in.csv"), expected);
    EXPECT_EQ(Entries(), before);

    // Input without samples fails and keeps the output.
    Spit(mFolder / "out.csv", "old\n");
    Spit(mFolder / "header.csv", "first,second,third\r\n");
    for (const std::string input : {"-", "header.csv"}) {
        const Result r = Run("classify -s zones.dat -o out.csv " + input);
        EXPECT_EQ(r.status, 2) << input;
        EXPECT_EQ(r.err, "granum-cli: " + (input == "-" ? "standard input" : input) +
                             " holds no samples\n");
        EXPECT_EQ(Slurp(mFolder / "out.csv"), "old\n") << input;
    }

    // --normalise takes an optional tolerance.
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
        for (const std::string style : {"", " --style publication --color-by 1 --font-size 12",
                                        " --style publication --density"}) {
            const Result r = Run("chart -s zones.dat in.csv --layout bi" + style + " -o " + file);
            EXPECT_EQ(r.status, 0) << file << style << ": " << r.err;
            EXPECT_EQ(Slurp(mFolder / file).substr(0, magic.size()), magic) << file << style;
        }
    }
    EXPECT_EQ(Run("chart -s zones.dat --x 20:40 -o r.svg").status, 0);
    // A chart definition file that is a FIFO is said and left alone; the scheme is drawn.
    ASSERT_EQ(::mkfifo((mFolder / "zones.cha").c_str(), 0600), 0);
    const Result r = Run("chart -s ./zones.dat -o z.png");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("zones.cha: The chart definition file is a folder, FIFO or device"),
              std::string::npos)
        << r.err;
}

// A bare id is a bundled scheme, never a file of that name in the current folder (nor in its
// schemes/ folder); a name with a folder or ".dat" is a file. Near the USDA corner of Loam, Silt
// loam and Sandy loam (43 8 49) the +/-2 hexagon (area 12) has 2.5 beyond silt 50 and 1.5 below
// clay 7 on the Sandy loam side: 16/24, 5/24, 3/24; --error's value is never a composition value.
TEST_F(ToolRun, AnswersOnStandardOutputWithTheStatus) {
    fs::copy_file(mFolder / "zones.dat", mFolder / "usda");
    fs::create_directory(mFolder / "schemes");
    fs::copy_file(mFolder / "zones.dat", mFolder / "schemes/usda.dat");
    const char* loamCorner = "Loam\t0.666667\nSilt loam\t0.208333\nSandy loam\t0.125000\n"
                             "distance\t1.225\tSandy loam\n";
    const Case cases[] = {
        {"lookup -s usda 10 10 80", 0, "Silt\n"},
        {"lookup -s ./usda 10 10 80", 0, "Low\n"},
        {"lookup -s schemes/usda.dat 10 10 80", 0, "Low\n"},
        {"-s zones.dat lookup 10 10 80", 0, "Low\n"},
        {"lookup 40 20 40", 0, "Loam\n"},             // the bundled default scheme
        {"lookup -s zones.dat - 30 20", 0, "High\n"}, // "-" is missing
        {"lookup -s zones.dat 60 60 60", 1, "{ fail }\n"},
        {"lookup -s noborder.dat 20 30 50", 0, "Low\nHigh\n"},
        {"range -s zones.dat --x 20:40 --y 10:30 --z 40:60", 0,
         "2 texture classes\nLow\nHigh\n(30.00,\t10.00,\t60.00)\n(40.00,\t10.00,\t50.00)\n"
         "(40.00,\t20.00,\t40.00)\n(30.00,\t30.00,\t40.00)\n(20.00,\t30.00,\t50.00)\n"
         "(20.00,\t20.00,\t60.00)\n"},
        {"range -s zones.dat --x 60:100 --y 60:100", 1, "0 texture class\n{ fail }\n"},
        // Several schemes: values in the first's axis order, each scheme's own by name.
        {"lookup -s usda -s de-ka5 10 5 85", 0, "usda: Silt\nde-ka5: Reinschluff (pure silt)\n"},
        {"-s usda lookup -s zones.dat -s noborder.dat 20 30 50", 2, ""},
        {"lookup -s zones.dat -s noborder.dat 60 60 60", 1,
         "zones: { fail }\nnoborder: { fail }\n"},
        {"lookup --error 2 43 8 49", 0, loamCorner},
        {"lookup 43 --error 2 - 49", 0, loamCorner},
        {"lookup 43 8 49 --error=2", 0, loamCorner},
    };
    for (const auto& c : cases) {
        const Result r = Run(c.command);
        EXPECT_EQ(r.status, c.status) << c.command << ": " << r.err;
        EXPECT_EQ(r.out, c.text) << c.command;
    }
    EXPECT_EQ(Run("check usda").out.find("File: " + (mFolder / "usda").string()),
              std::string::npos);
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
    const soiltex scheme = LoadBundled("usda");
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
}

// Each line names a bundled scheme by the first word -s takes (bash completion reads it), with its
// classes and limits in the columns the help names. That every file is listed is the menus' test.
TEST_F(ToolRun, SchemesListsEveryBundledSchemeByAnIdThatLoads) {
    const Result r = Run("schemes");
    ASSERT_EQ(r.status, 0) << r.err;
    // Five columns separated by two or more blanks; a class count, not "-", for a scheme that
    // loads.
    const auto columns = [](const std::string& line) {
        std::vector<std::string> found;
        for (std::size_t at = 0; at < line.size();) {
            const std::size_t gap = line.find("  ", at);
            found.push_back(line.substr(at, gap - at));
            at = gap == std::string::npos ? line.size() : line.find_first_not_of(' ', gap);
        }
        return found;
    };
    std::istringstream lines(r.out);
    bool usda = false;
    for (std::string line; std::getline(lines, line);) {
        const std::vector<std::string> c = columns(line);
        ASSERT_EQ(c.size(), 5u) << line;
        EXPECT_EQ(c[1].find_first_not_of(" 0123456789"), std::string::npos) << line;
        EXPECT_TRUE(fs::is_regular_file(fs::path(GRANUM_SCHEMES_DIR) / (c[0] + ".dat"))) << line;
        usda = usda ||
               c == std::vector<std::string>{"usda", "12", "2/50/2000",
                                             "USDA soil texture classification", "United States"};
    }
    EXPECT_TRUE(usda) << r.out;
}

// Several schemes in one pass, on compositions checked by hand against both diagrams: a sample
// file read in the first scheme's order, a header file by each scheme's axis names.
TEST_F(ToolRun, ClassifyWithSeveralSchemes) {
    const std::string silt = "Reinschluff (pure silt)", sand = "Reinsand (pure sand)";
    const std::string loam = "schwach sandiger Lehm (slightly sandy loam)";
    const struct {
        const char* command;
        std::string in, out;
    } cases[] = {
        {"-s usda classify -s de-ka5", "a,10,5,85\nb,90,3,\nc,35,20,45,old,x\n",
         "a,10,5,85,Silt," + silt + "\nb,90,3,,Sand," + sand + "\nc,35,20,45,Loam," + loam + "\n"},
        {"classify -s usda -s de-ka5", "Sample,CLAY,sand,Silt,texture\na,5,10,85,old\nb,3,,7,\n",
         "Sample,CLAY,sand,Silt,texture,texture_usda,texture_de-ka5\na,5,10,85,old,Silt," + silt +
             "\nb,3,,7,,Sand," + sand + "\n"},
        // Its own column is filled again; the other appended.
        {"classify -s usda -s de-ka5", "id,clay,silt,sand,texture_DE-KA5\na,20,45,35,x,more\n",
         "id,clay,silt,sand,texture_DE-KA5,texture_usda\na,20,45,35," + loam + ",Loam,more\n"},
    };
    for (const auto& c : cases) {
        const Result r = Run(c.command + std::string(" -q"), c.in);
        EXPECT_EQ(r.status, 0) << c.command << ": " << r.err;
        EXPECT_EQ(r.out, c.out) << c.command;
    }
    // A row fails when one scheme fails it.
    const Result r =
        Run("classify -s zones.dat -s noborder.dat --strict", "a,10,10,80\nb,60,60,60\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "a,10,10,80,Low,Low\nb,60,60,60,{ fail },{ fail }\n");
}

// An answer on a full standard output: said, and 2.
TEST_F(ToolRun, FailedWriteToStandardOutputExitsTwo) {
    // The answers flushed once for every command, the help's, and classify's own output.
    for (const std::string command :
         {"lookup -s zones.dat 10 10 80", "--help", "classify -s zones.dat -q"}) {
        const Result r = Run(command, "S1,10,10,80\n", "/dev/full");
        EXPECT_EQ(r.status, 2) << command;
        EXPECT_NE(r.err.find("cannot write standard output"), std::string::npos)
            << command << ": " << r.err;
    }
}

// The target of -o is written, never replaced by something else: a link keeps pointing at its
// file, a FIFO's reader gets the output, a device stays a device, a private file stays private.
TEST_F(ToolRun, OutputNeverReplacesLinksFifosDevicesOrPermissions) {
    const std::string classified = "S1,10,10,80,Low\n";
    Spit(mFolder / "in.csv", "S1,10,10,80\n");
    Spit(mFolder / "private.csv", "old\n");
    fs::permissions(mFolder / "private.csv", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("private.csv", mFolder / "link.csv");
    fs::create_symlink("sub/new.csv", mFolder / "dangling.csv");
    fs::create_directory(mFolder / "sub");
    const Result viaLink = Run("classify -s zones.dat -q in.csv -o link.csv");
    EXPECT_EQ(viaLink.status, 0) << viaLink.err;
    EXPECT_TRUE(fs::is_symlink(mFolder / "link.csv"));
    EXPECT_EQ(Slurp(mFolder / "private.csv"), classified);
    EXPECT_EQ(fs::status(mFolder / "private.csv").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Run("classify -s zones.dat -q in.csv -o dangling.csv").status, 0);
    EXPECT_TRUE(fs::is_symlink(mFolder / "dangling.csv"));
    EXPECT_EQ(Slurp(mFolder / "sub/new.csv"), classified);

    ASSERT_EQ(::mkfifo((mFolder / "fifo").c_str(), 0600), 0);
    // Open for reading first, without waiting, so that the tool's open does not wait either and
    // a tool that renamed over the FIFO could not hang the test.
    const int reader = ::open((mFolder / "fifo").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const Result toFifo = Run("classify -s zones.dat -q in.csv -o fifo");
    std::string read(256, '\0');
    read.resize(std::size_t(std::max<ssize_t>(0, ::read(reader, read.data(), read.size()))));
    ::close(reader);
    EXPECT_EQ(toFifo.status, 0) << toFifo.err;
    EXPECT_EQ(read, classified);
    EXPECT_TRUE(fs::is_fifo(mFolder / "fifo"));

    // Root replaces another user's file as that user's.
    Spit(mFolder / "theirs.csv", "old\n");
    if (::chown((mFolder / "theirs.csv").c_str(), 4321, 4321) == 0) {
        EXPECT_EQ(Run("classify -s zones.dat -q in.csv -o theirs.csv").status, 0);
        struct stat info {};
        ASSERT_EQ(::stat((mFolder / "theirs.csv").c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, 4321u);
        EXPECT_EQ(info.st_gid, 4321u);
    }

    // A twin of /dev/null inside the test's folder (making one needs root).
    if (::mknod((mFolder / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        EXPECT_EQ(Run("classify -s zones.dat -q in.csv -o null").status, 0);
        EXPECT_TRUE(fs::is_character_file(mFolder / "null"));
    }
}

// Ctrl-C, SIGTERM and SIGHUP in the middle of a run: the signal ends the tool as it would any
// program, the temporary file beside the output goes with it, and the old output stays.
TEST_F(ToolRun, InterruptedClassifyLeavesNoTemporaryFileAndKeepsTheOutput) {
    const fs::path feed = mFolder / "feed";
    ASSERT_EQ(::mkfifo(feed.c_str(), 0600), 0);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        Spit(mFolder / "out.csv", "old\n");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // A test runner started in the background may hand down ignored signals.
            for (int s : {SIGINT, SIGTERM, SIGHUP})
                std::signal(s, SIG_DFL);
            const int in = ::open(feed.c_str(), O_RDONLY);
            if (in < 0 || ::dup2(in, 0) < 0 || ::chdir(mFolder.c_str()) != 0)
                ::_exit(99);
            ::execl(GRANUM_CLI, GRANUM_CLI, "classify", "-s", "zones.dat", "-q", "-o", "out.csv",
                    static_cast<char*>(nullptr));
            ::_exit(98);
        }
        const int writer = ::open(feed.c_str(), O_WRONLY);
        ASSERT_GE(writer, 0);
        const std::string rows = "S1,10,10,80\n";
        ASSERT_EQ(::write(writer, rows.data(), rows.size()), ssize_t(rows.size()));
        for (int i = 0; i < 500 && Entries(".granum-cli-") == 0; ++i)
            ::usleep(10000);
        EXPECT_EQ(Entries(".granum-cli-"), 1);
        ::kill(child, signal);
        int status = 0;
        ::waitpid(child, &status, 0);
        ::close(writer);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_EQ(Entries(".granum-cli-"), 0);
        EXPECT_EQ(Slurp(mFolder / "out.csv"), "old\n");
    }
}

} // namespace
