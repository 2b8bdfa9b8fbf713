#include "cli/classifycommand.h"
#include "cli/inputsource.h"
#include "cli/outputsink.h"
#include "samples/samplereader.h"
#include "tests/scheme/schemetext.h"

#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <string>

namespace {

using namespace std::string_literals;

// Low below x + y = 50, High above, the edge itself High.
const soiltex& TwoZone() {
    static const soiltex scheme = LoadedScheme(GRANUM_TEST_DATA_DIR "/twozone/twozone.dat");
    return scheme;
}

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

// Reads in pieces of 5 bytes through buffers of 16, so that records cross every boundary.
Outcome Classify(const std::string& text, ClassifyOptions options = {}) {
    TextInput input(text, 5);
    TextOutput output;
    std::ostringstream err;
    options.bufferSize = 16;
    const int status = ClassifyStream(TwoZone(), input, output, options, err);
    return {status, output.Text(), err.str()};
}

// Rows as the sheet classifies them after opening the file, with and without a header.
TEST(ClassifyRows, AsTheSheetAfterOpening) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"S1,10,10,80,High\n", "S1,10,10,80,Low\n"}, // the old texture replaced
        {"S1,60,30,\nS3,60,-,10\n", "S1,60,30,,High\nS3,60,-,10,High\n"},
        {"S2,45,abc\n", "S2,45,abc,,\n"}, // two missing: no texture
        {"S4,12,5,10,80\nS5,\"12,5\",10,80\n", "S4,12,5,10,{ fail }\nS5,\"12,5\",10,80,Low\n"},
        {"a,1e999,10,80\nb,1e308,1e308,-\n", "a,1e999,10,80,Low\nb,1e308,1e308,-,\n"},
        {"S1\n\n,,,,old\n", "S1,,,,\n,,,,\n,,,,\n"},
        // Blanks around a number are no part of it; the fields are written back as they were.
        {"S6, 10,10 ,\t80\t\nS7,\" 60\",30 ,\n", "S6, 10,10 ,\t80\t,Low\nS7, 60,30 ,,High\n"},
        // Header files: columns found by name, the others carried along.
        {"notes,THIRD , Second,first,Sample\nn,80,10,10,A\n",
         "notes,THIRD , Second,first,Sample,texture\nn,80,10,10,A,Low\n"},
        {"first,second,third,notes\n10,10\n10,10,80,n,x,y\n",
         "first,second,third,notes,texture\n10,10,,,Low\n10,10,80,n,Low,x,y\n"},
        {"id,texture,first,second,third\nA,old,60,30,10\n",
         "id,texture,first,second,third\nA,High,60,30,10\n"},
        {"first,second\n10,10\n", "first,second,texture\n10,10,Low\n"},
        // Fields after the header's last column are passed on as they stand, an empty one too.
        {"\"first\",second,third\n1,1,98,\"a,b\"\r\n2,2,96,\n",
         "first,second,third,texture\n1,1,98,Low,\"a,b\"\n2,2,96,Low,\n"},
    };
    for (const auto& c : cases) {
        const Outcome run = Classify(c.in);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, c.out);
    }
}

// The user's word on the first line (its detection is the column layout's test); the scheme's
// class names are also its axis names here.
TEST(ClassifyHeaderFiles, FirstLineIsAHeaderOnlyWhenItNamesTwoAxesOrTheUserSaysSo) {
    const struct {
        const char* in;
        HeaderRule rule;
        int status;
        const char* out;
    } cases[] = {
        {"Sample,first,other\nA,10,80\n", HeaderRule::Header, 2, ""},
        {"a,first,second\n1,10,10\n", HeaderRule::Header, 0,
         "a,first,second,texture\n1,10,10,Low\n"},
        {"first,second,x\nS,10,10\n", HeaderRule::NoHeader, 0, "first,second,x,,\nS,10,10,,Low\n"},
    };
    for (const auto& c : cases) {
        ClassifyOptions options;
        options.header = c.rule;
        const Outcome run = Classify(c.in, options);
        EXPECT_EQ(run.status, c.status) << c.in;
        EXPECT_EQ(run.out, c.out);
        if (c.status == 2) {
            EXPECT_NE(run.err.find("fewer than two of the columns first, second, third"),
                      std::string::npos);
        }
    }
}

TEST(ClassifySummary, CountsFirstFailuresAndHints) {
    // LongRecord: an error naming its line, nothing written.
    const Outcome tooLong =
        Classify("a,10,10,80\n" + std::string(SampleReader::kMaxRecordBytes + 1, 'x') + "\n");
    EXPECT_EQ(tooLong.status, 2);
    EXPECT_EQ(tooLong.out, "");
    EXPECT_NE(tooLong.err.find("granum-cli: standard input: line 2 is longer than 1 MiB"),
              std::string::npos)
        << tooLong.err;
    const Outcome run = Classify("a,10,10,80\nb,60,60,60\n\nc,1\n,,,\n");
    EXPECT_EQ(run.err, "granum-cli: 5 rows: 1 classified, 2 failed (lines 2, 4), 2 blank\n");
    EXPECT_EQ(run.status, 0);
    ClassifyOptions strict;
    strict.strict = true;
    std::string many;
    for (int i = 0; i < 12; ++i)
        many += "f,60,60,60\n";
    const Outcome failing = Classify(many, strict);
    EXPECT_EQ(failing.status, 1);
    EXPECT_EQ(failing.err, "granum-cli: 12 rows: 0 classified, 12 failed (first at lines 1, 2, "
                           "3, 4, 5, 6, 7, 8, 9, 10)\n");
    // Files from spreadsheets set to a decimal-comma language.
    EXPECT_NE(Classify("a,\"40,5\",10,\"49,5\"\n").err.find("hint: \"40,5\" is not a number"),
              std::string::npos);
    EXPECT_NE(Classify("a;40,5;10;49,5\n").err.find("hint: fields are separated by semicolons"),
              std::string::npos);
}

TEST(ClassifyNormalise, ScalesOnlyCompleteRowsNear100) {
    const struct {
        const char* row;
        std::optional<double> tolerance;
        const char* texture;
    } cases[] = {
        {"a,10,10,79", std::nullopt, "{ fail }"},
        {"a,30,30,45", 5, "High"}, // 105: on the limit
        {"a,30,30,45.01", 5, "{ fail }"},
        {"a,24,24,49", 5, "Low"}, // scaled below the edge
        {"a,10,10,", 5, "Low"},   // one missing: completed
        {"a,0,0,0", 5, "{ fail }"},
    };
    for (const auto& c : cases) {
        ClassifyOptions options;
        options.normaliseTolerance = c.tolerance;
        EXPECT_EQ(Classify(c.row + "\n"s, options).out, c.row + ","s + c.texture + "\n");
    }
}

} // namespace
