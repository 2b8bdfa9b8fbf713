#include "cli/inputsource.h"
#include "cli/outputsink.h"
#include "cli/samplereader.h"
#include "cli/samplewriter.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Records = std::vector<std::vector<std::string>>;

Records ReadAll(const std::string& text, std::size_t chunk = std::string::npos,
                std::size_t bufferSize = 1 << 20) {
    TextInput input(text, chunk);
    SampleReader reader(input, bufferSize);
    Records records;
    while (reader.Next())
        records.emplace_back(reader.Fields().begin(), reader.Fields().end());
    return records;
}

struct ReadCase {
    const char* name;
    std::string text;
    Records records;
};

class SampleFileReading : public ::testing::TestWithParam<ReadCase> {};

// Every case is read with the reads ending anywhere and a buffer that has to grow, since a
// record split across two reads is where a streaming reader goes wrong.
TEST_P(SampleFileReading, SameRecordsWhereverTheReadsEnd) {
    const ReadCase& c = GetParam();
    for (std::size_t chunk :
         {std::size_t(1), std::size_t(2), std::size_t(3), std::size_t(7), std::string::npos}) {
        for (std::size_t buffer : {std::size_t(1), std::size_t(5), std::size_t(1) << 20})
            EXPECT_EQ(ReadAll(c.text, chunk, buffer), c.records)
                << "chunk " << chunk << ", buffer " << buffer;
    }
}

const std::string kNul("a\0b,\x01\xff", 6);

INSTANTIATE_TEST_SUITE_P(
    Cases, SampleFileReading,
    ::testing::Values(
        ReadCase{"LfAndCrLf",
                 "S1,45,30,25,Loam\nS2,1\r\n",
                 {{"S1", "45", "30", "25", "Loam"}, {"S2", "1"}}},
        ReadCase{"NoLastLineEnd", "S1,1\nS2,2", {{"S1", "1"}, {"S2", "2"}}},
        ReadCase{"LastCrWithoutLf", "S1,1\r", {{"S1", "1"}}}, ReadCase{"EmptyFile", "", {}},
        ReadCase{"BlankLinesAreRecords", "\n\r\n,,,,\n", {{""}, {""}, {"", "", "", "", ""}}},
        ReadCase{"QuotedCommasAndQuotes",
                 "\"a,b\",\"say \"\"hi\"\"\",\"\"\n",
                 {{"a,b", "say \"hi\"", ""}}},
        ReadCase{"QuotedLineBreaks",
                 "\"two\nlines\",1\n\"cr\r\nlf\"\n",
                 {{"two\nlines", "1"}, {"cr\r\nlf"}}},
        // Text after a closing quote is kept; a quote inside a field is text.
        ReadCase{"StrayQuotes", "\"ab\"cd,e\"f,g\"\n", {{"abcd", "e\"f", "g\""}}},
        ReadCase{"UnclosedQuoteRunsToTheEnd", "x,\"open,1\n2\n", {{"x", "open,1\n2\n"}}},
        ReadCase{"LoneCrInsideLineIsText", "a\rb,c\n", {{"a\rb", "c"}}},
        ReadCase{"BinaryJunk", kNul + "\n", {{std::string("a\0b", 3), "\x01\xff"}}},
        ReadCase{"LongLine",
                 std::string(300000, 'x') + ",1\nS,2\n",
                 {{std::string(300000, 'x'), "1"}, {"S", "2"}}}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(SampleFileReading, LineNumbersCountLineBreaksInsideQuotes) {
    TextInput input("a\n\"b\nc\nd\",1\ne\n");
    SampleReader reader(input);
    std::vector<std::size_t> lines;
    while (reader.Next())
        lines.push_back(reader.LineNumber());
    EXPECT_EQ(lines, (std::vector<std::size_t>{1, 2, 5}));
}

TEST(SampleFileReading, FieldLimitKeepsTheRestAsItStands) {
    TextInput input("S1,1,2,3,\"old, texture\",notes\r\nS2,1,2,3\nS3,1,2,3,\n");
    SampleReader reader(input, 4);
    reader.SetFieldLimit(4);
    ASSERT_TRUE(reader.Next());
    EXPECT_EQ(reader.Fields().size(), 4u);
    EXPECT_TRUE(reader.HasRest());
    EXPECT_EQ(reader.Rest(), "\"old, texture\",notes");
    ASSERT_TRUE(reader.Next());
    EXPECT_FALSE(reader.HasRest());
    ASSERT_TRUE(reader.Next());
    EXPECT_TRUE(reader.HasRest()); // an empty fifth field is still a field
    EXPECT_EQ(reader.Rest(), "");
}

struct WriteCase {
    std::string field;
    std::string written;
};

class SampleFileWriting : public ::testing::TestWithParam<WriteCase> {};

TEST_P(SampleFileWriting, QuotesOnlyWhatNeedsIt) {
    TextOutput text;
    SampleWriter writer(text, 3); // smaller than most fields: the buffer must pass them through
    writer.Field(GetParam().field);
    writer.Field("z");
    writer.EndRecord();
    writer.Flush();
    EXPECT_EQ(text.Text(), GetParam().written + ",z\n");
    EXPECT_EQ(ReadAll(text.Text()), (Records{{GetParam().field, "z"}}));
}

INSTANTIATE_TEST_SUITE_P(Fields, SampleFileWriting,
                         ::testing::Values(WriteCase{"plain text", "plain text"}, WriteCase{"", ""},
                                           WriteCase{"a,b", "\"a,b\""},
                                           WriteCase{"say \"hi\"", "\"say \"\"hi\"\"\""},
                                           WriteCase{"\"", "\"\"\"\""},
                                           WriteCase{"two\nlines", "\"two\nlines\""},
                                           WriteCase{"cr\r", "\"cr\r\""}, WriteCase{" 45", " 45"}));

TEST(SampleFileWriting, RawFieldsFollowTheFieldsUnchanged) {
    TextOutput text;
    SampleWriter writer(text);
    writer.Field("a");
    writer.RawFields("\"b,c\",d");
    writer.EndRecord();
    writer.RawFields("e");
    writer.EndRecord();
    writer.Flush();
    EXPECT_EQ(text.Text(), "a,\"b,c\",d\ne\n");
}

} // namespace
