// The certainty columns of classify and the lookup's lines under a lab error, on the two-zone
// scheme (boundary z = 50, owned by High), where the hexagon's cut has a closed form.
#include "cli/certaintycolumns.h"
#include "cli/classifycommand.h"
#include "cli/lookupcommand.h"
#include "tests/scheme/schemetext.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace {

const soiltex& TwoZone() {
    static const soiltex scheme = SchemeFromText(kTwoZoneScheme);
    return scheme;
}

std::string Classify(const std::string& text, LabError error, bool perClass = false) {
    TextInput input(text, 7);
    TextOutput output;
    std::ostringstream err;
    ClassifyOptions options;
    options.labError = error;
    options.shareColumns = perClass;
    options.quiet = true;
    options.bufferSize = 16;
    EXPECT_EQ(ClassifyStream(TwoZone(), input, output, options, err), 0) << err.str();
    return output.Text();
}

// At z = 52 with e = 4 the hexagon (area 48) has 10 beyond z = 50: High 0.208333; the boundary is
// 2 sqrt(1.5) = 2.449 away. On the boundary each side has half, and the class given is High.
TEST(CertaintyColumns, NamedInHeaderFilesAppendedInSampleFiles) {
    const LabError e4{ErrorModel::Uniform, 4};
    const struct {
        std::string in, out;
        bool perClass;
    } cases[] = {
        {"id,first,second,third\na,24,24,52\nb,10\n",
         // "second" is an axis here: the column of that name is added, the axis kept.
         "id,first,second,third,texture,share,second,second_share,distance,nearest\n"
         "a,24,24,52,Low,0.791667,High,0.208333,2.449,High\nb,10,,,,,,,,\n",
         false},
        // Classified before: the columns are filled in again, not added twice.
        {"first,second,third,share,texture,nearest\n25,25,50,x,y,z\n",
         "first,second,third,share,texture,nearest,second,second_share,distance\n"
         "25,25,50,0.500000,High,Low,Low,0.500000,0.000\n",
         false},
        {"a,24,24,52\nb,10\n", "a,24,24,52,Low,0.791667,0.208333\nb,10,,,,,\n", true},
        {"first,second,third\n10,10,80\n",
         "first,second,third,texture,Low,High\n"
         "10,10,80,Low,1.000000,0.000000\n",
         true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Classify(c.in, e4, c.perClass), c.out) << c.in;
}

TEST(CertaintyColumns, LookupListsSharesMostLikelyFirst) {
    const struct {
        std::array<std::string, 3> values;
        LabError error;
        std::string out;
        int status;
    } cases[] = {
        {{"24", "24", "-"},
         {ErrorModel::Uniform, 4},
         "Low\t0.791667\nHigh\t0.208333\ndistance\t2.449\tHigh\n",
         0},
        // sqrt(1.5) inside High: Low has Q(sqrt(1.5) / 3) = 0.3415457.
        {{"25.5", "25.5", "49"},
         {ErrorModel::Normal, 3},
         "High\t0.658454\nLow\t0.341546\ndistance\t1.225\tLow\n",
         0},
        {{"60", "60", "-"}, {ErrorModel::Normal, 3}, "{ fail }\n", 1},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(RunLookup(TwoZone(), c.values, out, err, c.error), c.status);
        EXPECT_EQ(out.str(), c.out) << c.values[0];
    }
}

TEST(CertaintyColumns, FixedDecimalsRoundHalfAwayAndCarry) {
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {{0, 6, "0.000000"},         {0.9999995, 6, "1.000000"},
                 {0.0000005, 6, "0.000001"}, {141.4213562, 3, "141.421"},
                 {2.0004999, 3, "2.000"},    {7.5, 0, "8"}};
    for (const auto& c : cases) {
        std::string text;
        AppendFixed(c.value, c.decimals, &text);
        EXPECT_EQ(text, c.text) << c.value;
    }
}

} // namespace
