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

class ClassifySampleRows : public ::testing::TestWithParam<RowCase> {};

TEST_P(ClassifySampleRows, AsTheSheetAfterOpening) {
    const Outcome run = Classify(GetParam().in);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, GetParam().out);
}

// The two-zone scheme: Low below x + y = 50, High above, the edge itself High.
INSTANTIATE_TEST_SUITE_P(
    Rows, ClassifySampleRows,
    ::testing::Values(
        RowCase{"OldTextureReplaced", "S1,10,10,80,High\n", "S1,10,10,80,Low\n"},
        RowCase{"BorderRuleDecides", "S1,20,30,50\n", "S1,20,30,50,High\n"},
        RowCase{"OneMissingCompleted", "S1,60,30,\nS2,,30,20\nS3,60,-,10\n",
                "S1,60,30,,High\nS2,,30,20,High\nS3,60,-,10,High\n"},
        RowCase{"TwoMissingNoTexture", "S2,45,abc\n", "S2,45,abc,,\n"},
        RowCase{"SumNot100Fails", "S1,60,60,60\n", "S1,60,60,60,{ fail }\n"},
        RowCase{"CompletedNegativeFails", "S1,70,40,\n", "S1,70,40,,{ fail }\n"},
        RowCase{"UnquotedCommaShiftsFields", "S4,12,5,10,80\n", "S4,12,5,10,{ fail }\n"},
        RowCase{"QuotedCommaIsNotANumber", "S4,\"12,5\",10,80\n", "S4,\"12,5\",10,80,Low\n"},
        RowCase{"WordsAreNotNumbers", "a,nan,10,80\nb,inf,10,80\nc,0x10,10,80\n",
                "a,nan,10,80,Low\nb,inf,10,80,Low\nc,0x10,10,80,Low\n"},
        RowCase{"HugeNumbersRefused", "a,1e999,10,80\nb,1e308,1e308,-\n",
                "a,1e999,10,80,Low\nb,1e308,1e308,-,\n"},
        RowCase{"BlanksAroundNumbers", "a, 10,10,80\nb,10 ,10,80\n",
                "a, 10,10,80,Low\nb,10 ,10,80,Low\n"},
        RowCase{"ToleranceAtTheEdges", "a,100.0000005,0,-0\nb,-0.0000005,10,90\n",
                "a,100.0000005,0,-0,High\nb,-0.0000005,10,90,Low\n"},
        RowCase{"ShortAndBlankLines", "S1\n\n,,,,old\n", "S1,,,,\n,,,,\n,,,,\n"},
        RowCase{"QuotedIdWrittenQuoted", "\"say \"\"a,b\"\"\",10,10,80\n",
                "\"say \"\"a,b\"\"\",10,10,80,Low\n"},
        RowCase{"NoLineEndCrLfAndNul", "a\0,10,10,80\r\nb,10,10,80"s,
                "a\0,10,10,80,Low\nb,10,10,80,Low\n"s}),
    [](const ::testing::TestParamInfo<RowCase>& info) { return std::string(info.param.name); });

class ClassifyHeaderFiles : public ::testing::TestWithParam<RowCase> {};

TEST_P(ClassifyHeaderFiles, ColumnsFoundByName) {
    const Outcome run = Classify(GetParam().in);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ClassifyHeaderFiles,
    ::testing::Values(
        RowCase{"ColumnsInAnyOrderCarried", "notes,THIRD , Second,first,Sample\nn,80,10,10,A\n",
                "notes,THIRD , Second,first,Sample,texture\nn,80,10,10,A,Low\n"},
        RowCase{"ShortRowsPaddedLongRowsAfterTexture",
                "first,second,third,notes\n10,10\n10,10,80,n,x,y\n",
                "first,second,third,notes,texture\n10,10,,,Low\n10,10,80,n,Low,x,y\n"},
        RowCase{"OwnTextureColumnFilledAgain", "id,texture,first,second,third\nA,old,60,30,10\n",
                "id,texture,first,second,third\nA,High,60,30,10\n"},
        RowCase{"TwoAxesEnough", "first,second\n10,10\n", "first,second,texture\n10,10,Low\n"},
        RowCase{"ByteOrderMark", "\xEF\xBB\xBF" "first,second,third\n10,10,80\n",
                "\xEF\xBB\xBF" "first,second,third,texture\n10,10,80,Low\n"},
        RowCase{"QuotedHeaderAndSurplus", "\"first\",second,third\n1,1,98,\"a,b\"\n",
                "first,second,third,texture\n1,1,98,Low,\"a,b\"\n"}),
    [](const ::testing::TestParamInfo<RowCase>& info) { return std::string(info.param.name); });

TEST(ClassifyHeaderFiles, HeaderWithOneAxisIsRefused) {
    const Outcome run = Classify("Sample,first,other\nA,10,80\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("fewer than two of the columns first, second, third"),
              std::string::npos);
}

TEST(ClassifyHeaderFiles, LayoutIdAndTexture) {
    const std::vector<std::string_view> fields{"x1", "Sample ID", "second", "TEXTURE", "third"};
    const std::optional<ColumnLayout> layout = HeaderLayout(fields, TwoZone());
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->id, 1u);
    EXPECT_EQ(layout->x, ColumnLayout::kNone);
    EXPECT_EQ(layout->y, 2u);
    EXPECT_EQ(layout->z, 4u);
    EXPECT_EQ(layout->texture, 3u);
    EXPECT_EQ(layout->width, 5u);
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

TEST(ClassifySummary, QuietStrictStillSetsTheStatus) {
    ClassifyOptions options;
    options.quiet = true;
    options.strict = true;
    const Outcome run = Classify("a,10,10,80\nb,10\n", options);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 1);
    options.strict = false;
    EXPECT_EQ(Classify("a,10,10,80\n\n", options).status, 0);
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
                      NormaliseCase{"a,10,10,79", 5, "Low"},
                      NormaliseCase{"a,30,30,45", 5, "High"}, // 105: on the limit
                      NormaliseCase{"a,30,30,45.01", 5, "{ fail }"},
                      NormaliseCase{"a,24,24,49", 5, "Low"},  // scaled below the edge
                      NormaliseCase{"a,24,24,49", 1, "{ fail }"},
                      NormaliseCase{"a,10,10,", 5, "Low"},    // one missing: completed
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
