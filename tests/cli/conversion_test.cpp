// classify with the data's particle-size limits, convert and classes, in-process.
#include "cli/classifycommand.h"
#include "cli/commandline.h"
#include "samples/samplereader.h"
#include "scheme/particlesize.h"
#include "scheme/samplelookup.h"
#include "tests/scheme/schemetext.h"
#include "util/futil.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Loaded {
    soiltex scheme;
    CellClassifier classifier;
    ParticleLimits limits;
    explicit Loaded(const std::string& id)
        : scheme(LoadBundled(id)), classifier(scheme),
          limits(*ReadSchemeFileMetadata(GRANUM_SCHEMES_DIR "/" + id + ".dat").limits) {}
};

Loaded& Scheme(const std::string& id) {
    static std::map<std::string, Loaded> schemes; // built in place: the classifier keeps its scheme
    return schemes.try_emplace(id, id).first->second;
}

std::string Classify(const std::string& text, const std::vector<std::string>& ids,
                     ClassifyOptions options = {}) {
    std::vector<ClassifyScheme> run;
    for (const std::string& id : ids)
        run.push_back({&Scheme(id).scheme, &Scheme(id).classifier, id, Scheme(id).limits});
    TextInput input(text, 7);
    TextOutput output;
    std::ostringstream err;
    options.quiet = true;
    options.bufferSize = 64;
    EXPECT_EQ(ClassifyStream(run, input, output, options, err), 0) << err.str();
    return output.Text();
}

// Lab-style rows: two decimals adding up to 100, and the awkward ones classify must treat as
// it always has (missing, text, sums off, out of range).
std::string Rows(bool header, int count) {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> hundredths(0, 10000);
    std::ostringstream text;
    if (header)
        text << "id,sand,clay,silt,notes\n";
    for (int i = 0; i < count; ++i) {
        int a = hundredths(rng), b = hundredths(rng);
        if (a + b > 10000)
            a = 10000 - a, b = 10000 - b;
        text << "S" << i << ',' << a / 100.0 << ',' << b / 100.0 << ',' << (10000 - a - b) / 100.0
             << ",n\n";
    }
    text << "m,40,,20\nt,abc,10,10\nu,50,30,30\nv,150,-20,-30\nw,,,\n";
    return text.str();
}

DataFractions Data(const ParticleLimits& limits) {
    return {{}, LimitDiameters(limits)};
}

TEST(ConvertingClassify, SameBytesWhenTheDataHaveTheSchemesLimits) {
    for (const bool header : {false, true}) {
        const std::string rows = Rows(header, 300);
        ClassifyOptions usda;
        usda.data = Data({2, 50, 2000});
        ClassifyOptions german = usda;
        german.data = Data({2, 63, 2000});
        const std::string asUsda = Classify(rows, {"usda"}, usda);
        EXPECT_EQ(asUsda, Classify(rows, {"usda"})) << header;
        EXPECT_EQ(Classify(rows, {"de-ka5"}, german), Classify(rows, {"de-ka5"})) << header;
        if (header) {
            ClassifyOptions named;
            named.data = ParseFractions("Clay=0-2,SILT=2-50,sand=50-2000");
            EXPECT_EQ(Classify(rows, {"usda"}, named), asUsda);
        }
        // Sand ending at 1000 µm taken as the scheme's: the same values, the same classes.
        ClassifyOptions topGiven = usda;
        topGiven.data = Data({2, 50, 1000});
        topGiven.conversion.topAsGiven = true;
        EXPECT_EQ(Classify(rows, {"usda"}, topGiven), asUsda) << header;
    }
}

// Rows of a sample file in USDA's axis order (sand, clay, silt) measured with a 63 µm limit, into
// USDA and the German scheme (axes clay, silt, sand): the converted columns are the core's
// conversion, each texture the lookup of its scheme's values, and the German columns the values
// as read, in its axis order.
TEST(ConvertingClassify, ConvertedColumnsAndTexturesFollowEachSchemesAxes) {
    const std::string rows = Rows(false, 200);
    ClassifyOptions options;
    options.data = Data({2, 63, 2000});
    options.writeConverted = true;
    const std::string out = Classify(rows, {"usda", "de-ka5"}, options);
    const FractionConversion toUsda({2, 63, 2000}, Scheme("usda").limits);
    TextInput in(rows), result(out);
    SampleReader inRows(in), outRows(result);
    int compared = 0;
    while (inRows.Next() && outRows.Next()) {
        const std::vector<std::string_view>& f = outRows.Fields();
        ASSERT_EQ(f.size(), 12u);
        EXPECT_EQ(f[9], inRows.Field(2)); // clay
        EXPECT_EQ(f[10], inRows.Field(3));
        EXPECT_EQ(f[11], inRows.Field(1));
        const double data[] = {CellValue(inRows.Field(2)), CellValue(inRows.Field(3)),
                               CellValue(inRows.Field(1))};
        TextureFractions c;
        if (data[0] < 0 || data[1] < 0 || data[2] < 0 ||
            !futil::eq(data[0] + data[1] + data[2], 100))
            continue;
        ASSERT_TRUE(toUsda.Convert(data, &c));
        EXPECT_NEAR(std::stod(std::string(f[6])), c.sand, 1e-4);
        EXPECT_NEAR(std::stod(std::string(f[7])), c.clay, 1e-4);
        EXPECT_NEAR(std::stod(std::string(f[8])), c.silt, 1e-4);
        EXPECT_EQ(f[4], TextureText(Scheme("usda").scheme.PointLookup(c.sand, c.clay, c.silt)));
        ++compared;
    }
    EXPECT_EQ(compared, 200);
}

// A classified file classified again: its texture and converted columns are filled in place,
// so the output is the same (no column twice).
TEST(ConvertingClassify, ClassifyingTheOutputAgainGivesItBack) {
    ClassifyOptions options;
    options.data = Data({2, 63, 2000});
    options.writeConverted = true;
    const std::string once = Classify(Rows(true, 50), {"usda", "de-ka5"}, options);
    EXPECT_EQ(Classify(once, {"usda", "de-ka5"}, options), once);
}

// Five lab fractions found by name in a header that names no axis: ISSS's 20 µm limit is one of
// the lab's, so its values are sums of fractions; the 2 mm top is the lab's too.
TEST(ConvertingClassify, FractionsByNameIntoSchemeLimits) {
    ClassifyOptions options;
    options.data = ParseFractions("T=0-2,fU=2-6.3,mU=6.3-20,gU=20-63,S=63-2000");
    options.writeConverted = true;
    for (const CurveMethod method : {CurveMethod::LogLinear, CurveMethod::MonotoneCubic}) {
        options.conversion.method = method;
        EXPECT_EQ(Classify("id,S,gU,mU,fU,T\nL1,36,22,16,12,14\n", {"isss"}, options),
                  "id,S,gU,mU,fU,T,texture,Sand_isss,Clay_isss,Silt_isss\n"
                  "L1,36,22,16,12,14,Loam,58,14,28\n");
    }
}

struct Command {
    int status;
    std::string out, err;
};

Command RunTool(std::vector<std::string> words) {
    words.insert(words.begin(), "granum-cli");
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    std::ostringstream out, err;
    const int status = RunCommandLine(int(argv.size()), argv.data(), out, err);
    return {status, out.str(), err.str()};
}

TEST(ConversionCommands, MistakesGetOneLineAndStatusTwo) {
    const std::string file = std::filesystem::temp_directory_path() /
                             ("granum-conversion-" + std::to_string(::getpid()) + ".csv");
    std::ofstream(file) << "id,clay,silt,sand\nA,20,40,40\n";
    const std::string out = file + ".out";
    const struct {
        std::vector<std::string> words;
        const char* message;
    } cases[] = {
        {{"classify", "--data-limits", "20,100,1000", file, "-o", out}, "clay below 2 µm"},
        {{"classify", "--data-limits", "2,50,1000", file, "-o", out}, "sand limit is 2000"},
        {{"classify", "-s", "tt10-german", "--data-limits", "usda", file, "-o", out},
         "does not state its particle-size limits"},
        {{"classify", "--data-limits", "2,63", file}, "not three increasing sizes"},
        {{"classify", "--data-limits", "nosuch", file}, "no bundled scheme is called"},
        {{"classify", "--fractions", "clay=0-2,sand=3-2000", file}, "does not start where"},
        {{"classify", "--fractions", "clay=0-2,fu=2-20,sand=20-2000", file, "-o", out},
         "no column \"fu\""},
        {{"classify", "--write-converted", file}, "needs --data-limits or --fractions"},
        {{"convert", file}, "needs --data-limits or --fractions"},
        {{"convert", "--data-limits", "2,63,2000", "--to", "2,x,9", file}, "--to:"},
        {{"classes", "Lome"}, "no class \"Lome\" in USDA"},
    };
    for (const auto& c : cases) {
        const Command run = RunTool(c.words);
        EXPECT_EQ(run.status, 2) << c.message;
        // The message is the first line; usage mistakes add where to read more.
        EXPECT_LT(run.err.find(c.message), run.err.find('\n')) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    std::filesystem::remove(file);
}

TEST(ConversionCommands, ClassesTakesTheNameInAnyCase) {
    const Command run = RunTool({"classes", "sAnD"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("Sand\n", 0), 0u);
    EXPECT_NE(run.out.find("ranges: Sand 85 to 100, Clay 0 to 10, Silt 0 to 15\n"),
              std::string::npos);
    EXPECT_EQ(run.out.find("Loamy"), std::string::npos);
}

} // namespace
