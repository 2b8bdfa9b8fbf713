#include "cli/classifycommand.h"
#include "cli/columnlayout.h"
#include "cli/inputsource.h"
#include "cli/outputsink.h"
#include "cli/samplereader.h"
#include "scheme/schemefile.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

const soiltex& TwoZone() {
    static const soiltex scheme = [] {
        soiltex s;
        LoadSchemeFile(GRANUM_TEST_DATA_DIR "/twozone/twozone.dat", &s);
        return s;
    }();
    return scheme;
}

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome Classify(const std::string& text, ClassifyOptions options = {}) {
    TextInput input(text, 5);
    TextOutput output;
    std::ostringstream err;
    options.bufferSize = 16;
    const int status = ClassifyStream(TwoZone(), input, output, options, err);
    return {status, output.Text(), err.str()};
}

struct RowCase {
    const char* name;
    std::string in;
    std::string out;
};

// Rows as the sheet classifies them after opening the file, with and without a header.
class ClassifyRows : public ::testing::TestWithParam<RowCase> {};

TEST_P(ClassifyRows, AsTheSheetAfterOpening) {
    const Outcome run = Classify(GetParam().in);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, GetParam().out);
}

const auto kRowName = [](const ::testing::TestParamInfo<RowCase>& info) {
    return std::string(info.param.name);
};

// The two-zone scheme: Low below x + y = 50, High above, the edge itself High.
INSTANTIATE_TEST_SUITE_P(
    SampleFiles, ClassifyRows,
    ::testing::Values(RowCase{"OldTextureReplaced", "S1,10,10,80,High\n", "S1,10,10,80,Low\n"},
                      RowCase{"OneMissingCompleted", "S1,60,30,\nS2,,30,20\nS3,60,-,10\n",
                              "S1,60,30,,High\nS2,,30,20,High\nS3,60,-,10,High\n"},
                      RowCase{"TwoMissingNoTexture", "S2,45,abc\n", "S2,45,abc,,\n"},
                      RowCase{"SumNot100Fails", "S1,60,60,60\n", "S1,60,60,60,{ fail }\n"},
                      RowCase{"CommaInANumber", "S4,12,5,10,80\nS5,\"12,5\",10,80\n",
                              "S4,12,5,10,{ fail }\nS5,\"12,5\",10,80,Low\n"},
                      RowCase{"HugeNumbersRefused", "a,1e999,10,80\nb,1e308,1e308,-\n",
                              "a,1e999,10,80,Low\nb,1e308,1e308,-,\n"},
                      RowCase{"ToleranceAtTheEdges", "a,100.0000005,0,-0\nb,-0.0000005,10,90\n",
                              "a,100.0000005,0,-0,High\nb,-0.0000005,10,90,Low\n"},
                      RowCase{"ShortAndBlankLines", "S1\n\n,,,,old\n", "S1,,,,\n,,,,\n,,,,\n"},
                      RowCase{"QuotedIdWrittenQuoted", "\"say \"\"a,b\"\"\",10,10,80\n",
                              "\"say \"\"a,b\"\"\",10,10,80,Low\n"},
                      RowCase{"NoLineEndCrLfAndNul", "a\0,10,10,80\r\nb,10,10,80"s,
                              "a\0,10,10,80,Low\nb,10,10,80,Low\n"s}),
    kRowName);

INSTANTIATE_TEST_SUITE_P(
    HeaderFiles, ClassifyRows,
    ::testing::Values(
        RowCase{"ColumnsInAnyOrderCarried", "notes,THIRD , Second,first,Sample\nn,80,10,10,A\n",
                "notes,THIRD , Second,first,Sample,texture\nn,80,10,10,A,Low\n"},
        RowCase{"ShortRowsPaddedLongRowsAfterTexture",
                "first,second,third,notes\n10,10\n10,10,80,n,x,y\n",
                "first,second,third,notes,texture\n10,10,,,Low\n10,10,80,n,Low,x,y\n"},
        RowCase{"OwnTextureColumnFilledAgain", "id,texture,first,second,third\nA,old,60,30,10\n",
                "id,texture,first,second,third\nA,High,60,30,10\n"},
        RowCase{"TwoAxesEnough", "first,second\n10,10\n", "first,second,texture\n10,10,Low\n"},
        RowCase{"ByteOrderMark",
                "\xEF\xBB\xBF"
                "first,second,third\n10,10,80\n",
                "\xEF\xBB\xBF"
                "first,second,third,texture\n10,10,80,Low\n"},
        RowCase{"QuotedHeaderAndSurplus", "\"first\",second,third\n1,1,98,\"a,b\"\n",
                "first,second,third,texture\n1,1,98,Low,\"a,b\"\n"}),
    kRowName);

TEST(ClassifyHeaderFiles, HeaderWithOneAxisIsRefused) {
    const Outcome run = Classify("Sample,first,other\nA,10,80\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("fewer than two of the columns first, second, third"),
              std::string::npos);
}

TEST(ClassifyHeaderFiles, LayoutIdAndTexture) {
    const std::optional<ColumnLayout> layout =
        HeaderLayout({"x1", "Sample ID", "second", "TEXTURE", "third"}, TwoZone());
    ASSERT_TRUE(layout);
    EXPECT_EQ((std::vector<std::size_t>{layout->id, layout->x, layout->y, layout->z,
                                        layout->texture, layout->width}),
              (std::vector<std::size_t>{1, ColumnLayout::kNone, 2, 4, 3, 5}));
    EXPECT_FALSE(HeaderLayout({"S1", "10", "10", "80"}, TwoZone()));
    EXPECT_FALSE(HeaderLayout({"firsts", " sec ond", ""}, TwoZone()));
}

TEST(ClassifySummary, CountsAndFirstFailures) {
    const Outcome run = Classify("a,10,10,80\nb,60,60,60\n\nc,1\n,,,\n");
    EXPECT_EQ(run.err, "granum-cli: 5 rows: 1 classified, 2 failed (lines 2, 4), 2 blank\n");
    EXPECT_EQ(run.status, 0);

    std::string many;
    for (int i = 0; i < 12; ++i)
        many += "f,60,60,60\n";
    ClassifyOptions strict;
    strict.strict = true;
    const Outcome failing = Classify(many, strict);
    EXPECT_EQ(failing.status, 1);
    EXPECT_EQ(failing.err, "granum-cli: 12 rows: 0 classified, 12 failed (first at lines 1, 2, "
                           "3, 4, 5, 6, 7, 8, 9, 10)\n");
}

struct NormaliseCase {
    std::string row;
    std::optional<double> tolerance;
    std::string texture;
};

class ClassifyNormalise : public ::testing::TestWithParam<NormaliseCase> {};

TEST_P(ClassifyNormalise, ScalesOnlyCompleteRowsNear100) {
    ClassifyOptions options;
    options.normaliseTolerance = GetParam().tolerance;
    const Outcome run = Classify(GetParam().row + "\n", options);
    EXPECT_EQ(run.out, GetParam().row + "," + GetParam().texture + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ClassifyNormalise,
    ::testing::Values(NormaliseCase{"a,10,10,79", std::nullopt, "{ fail }"},
                      NormaliseCase{"a,30,30,45", 5, "High"}, // 105: on the limit
                      NormaliseCase{"a,30,30,45.01", 5, "{ fail }"},
                      NormaliseCase{"a,24,24,49", 5, "Low"}, // scaled below the edge
                      NormaliseCase{"a,24,24,49", 1, "{ fail }"},
                      NormaliseCase{"a,10,10,", 5, "Low"}, // one missing: completed
                      NormaliseCase{"a,0,0,0", 5, "{ fail }"},
                      NormaliseCase{"a,10,10,79", 0, "{ fail }"}));

TEST(ClassifyNoLookup, WritesRowsWithoutTexturesOrSummary) {
    ClassifyOptions options;
    options.lookup = false;
    const Outcome run = Classify("a,10,10,80,old\nb\n", options);
    EXPECT_EQ(run.out, "a,10,10,80,\nb,,,,\n");
    EXPECT_EQ(run.err, "");
}

} // namespace
