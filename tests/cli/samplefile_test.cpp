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

// Every case is read with the reads ending anywhere and a buffer that has to grow, since a
// record split across two reads is where a streaming reader goes wrong.
TEST(SampleFileReading, SameRecordsWhereverTheReadsEnd) {
    const struct {
        std::string text;
        Records records;
    } cases[] = {
        {"S1,45,30,25,Loam\nS2,1\r\n", {{"S1", "45", "30", "25", "Loam"}, {"S2", "1"}}},
        {"S1,1\nS2,2", {{"S1", "1"}, {"S2", "2"}}},
        {"S1,1\r", {{"S1", "1"}}},
        {"", {}},
        {"\n\r\n,,,,\n", {{""}, {""}, {"", "", "", "", ""}}},
        {"\"a,b\",\"say \"\"hi\"\"\",\"\"\n", {{"a,b", "say \"hi\"", ""}}},
        {"\"two\nlines\",1\n\"cr\r\nlf\"\n", {{"two\nlines", "1"}, {"cr\r\nlf"}}},
        // Text after a closing quote is kept; a quote inside a field is text.
        {"\"ab\"cd,e\"f,g\"\n", {{"abcd", "e\"f", "g\""}}},
        {"x,\"open,1\n2\n", {{"x", "open,1\n2\n"}}}, // an unclosed quote runs to the end
        {"a\rb,c\n", {{"a\rb", "c"}}},
        {std::string("a\0b,\x01\xff\n", 7), {{std::string("a\0b", 3), "\x01\xff"}}},
        {std::string(300000, 'x') + ",1\nS,2\n", {{std::string(300000, 'x'), "1"}, {"S", "2"}}},
    };
    for (const auto& c : cases) {
        for (std::size_t chunk :
             {std::size_t(1), std::size_t(3), std::size_t(7), std::string::npos})
            for (std::size_t buffer : {std::size_t(1), std::size_t(5), std::size_t(1) << 20})
                ASSERT_EQ(ReadAll(c.text, chunk, buffer), c.records)
                    << c.text.substr(0, 40) << ", chunk " << chunk << ", buffer " << buffer;
    }
}

TEST(SampleFileReading, LineNumbersCountLineBreaksInsideQuotes) {
    TextInput input("a\n\"b\nc\nd\",1\ne\n");
    SampleReader reader(input);
    std::vector<std::size_t> lines;
    while (reader.Next())
        lines.push_back(reader.LineNumber());
    EXPECT_EQ(lines, (std::vector<std::size_t>{1, 2, 5}));
}

// Written through a buffer smaller than most fields, quoted only when it holds a comma, a quote or
// a line break, and read back whole.
TEST(SampleFileWriting, QuotesOnlyWhatNeedsItAndReadsBack) {
    for (const std::string field :
         {"plain text", "", " 45", "a,b", "say \"hi\"", "2\nlines", "cr\r"}) {
        TextOutput text;
        SampleWriter writer(text, 3);
        writer.Field(field);
        writer.RawFields("\"b,c\",d"); // a reader's Rest: passed on unchanged
        writer.EndRecord();
        writer.Flush();
        if (field.find_first_of(",\"\r\n") == std::string::npos) {
            EXPECT_EQ(text.Text(), field + ",\"b,c\",d\n");
        } else {
            EXPECT_EQ(text.Text()[0], '"') << field;
        }
        EXPECT_EQ(ReadAll(text.Text()), (Records{{field, "b,c", "d"}}));
    }
}

} // namespace
