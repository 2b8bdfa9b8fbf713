// The sample record format: what the streaming reader splits, wherever its reads end, and what
// the writer writes reading back the same.
#include "samples/bytestream.h"
#include "samples/samplereader.h"
#include "samples/samplewriter.h"

#include <gtest/gtest.h>
#include <random>
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

std::string Repeat(const std::string& text, int count) {
    std::string all;
    for (int i = 0; i < count; ++i)
        all += text;
    return all;
}

constexpr std::size_t kBreaks = SampleReader::kMaxQuotedLineBreaks;

// Every case is read with the reads ending anywhere and a buffer that has to grow, since a
// record split across two reads is where a streaming reader goes wrong.
TEST(SampleRecordReading, SameRecordsWhereverTheReadsEnd) {
    const struct {
        std::string text;
        Records records;
    } cases[] = {
        {"S1,45,30,25,Loam\nS2,1\r\n", {{"S1", "45", "30", "25", "Loam"}, {"S2", "1"}}},
        {"", {}},
        {"\n\r\n,,,,\n", {{""}, {""}, {"", "", "", "", ""}}},
        {std::string("a\0b,\x01\xff\n", 7), {{std::string("a\0b", 3), "\x01\xff"}}},
        {std::string(300000, 'x') + ",1\nS,2\n", {{std::string(300000, 'x'), "1"}, {"S", "2"}}},
        // Quoted fields: commas, doubled quotes and line breaks as text.
        {"\"a,b\",\"say \"\"hi\"\"\",\"\"\n", {{"a,b", "say \"hi\"", ""}}},
        {"\"two\nlines\",1\n\"cr\r\nlf\"\n", {{"two\nlines", "1"}, {"cr\r\nlf"}}},
        // CrOnlyLineEnds: old spreadsheets end lines with a lone CR.
        {"S1,1\rS2,2\rS3,3\r", {{"S1", "1"}, {"S2", "2"}, {"S3", "3"}}},
        {"a\r\r\nb\n\rc", {{"a"}, {""}, {"b"}, {""}, {"c"}}},
        // StrayQuote: a quote that does not close before a comma or the line's end is text.
        {"\"Smith plot,45\nS2,40\n", {{"\"Smith plot", "45"}, {"S2", "40"}}},
        {"\"ab\"cd,e\"f,g\"\n", {{"\"ab\"cd", "e\"f", "g\""}}},
        {"x,\"open,1\n2\n", {{"x", "\"open", "1"}, {"2"}}},
        {"\"a,b\",\"x\" y,\"open\n", {{"a,b", "\"x\" y", "\"open"}}},
        // A quoted field holds at most kMaxQuotedLineBreaks line breaks.
        {"\"a\n" + Repeat("b\n", int(kBreaks) - 1) + "c\",1\n",
         {{"a\n" + Repeat("b\n", int(kBreaks) - 1) + "c", "1"}}},
    };
    for (const auto& c : cases) {
        for (std::size_t chunk :
             {std::size_t(1), std::size_t(3), std::size_t(7), std::string::npos})
            for (std::size_t buffer : {std::size_t(1), std::size_t(5), std::size_t(1) << 20})
                ASSERT_EQ(ReadAll(c.text, chunk, buffer), c.records)
                    << c.text.substr(0, 40) << ", chunk " << chunk << ", buffer " << buffer;
    }
}

// Plain lines are split sixteen bytes at a time when the buffer holds them whole; a reader whose
// buffer never does must split every line of every length the same, with a field limit too, and
// with a quote or CR anywhere in a line.
TEST(SampleRecordReading, WholeLinesInTheBufferSplitAsLinesReadByteByByte) {
    std::mt19937 rng(7);
    std::string text;
    for (int n = 0; n < 3000; ++n) {
        std::string line(std::size_t(n % 41), '5');
        for (char& c : line)
            c = "5,,.9"[rng() % 5];
        if (n % 7 == 0 && !line.empty())
            line[rng() % line.size()] = n % 2 == 0 ? '"' : '\r';
        text += line + '\n';
    }
    for (const std::size_t limit : {std::size_t(0), std::size_t(2), SampleReader::kNoLimit}) {
        TextInput wholeInput(text), byteInput(text, 1);
        SampleReader whole(wholeInput), byByte(byteInput, 1);
        whole.SetFieldLimit(limit);
        byByte.SetFieldLimit(limit);
        while (whole.Next()) {
            ASSERT_TRUE(byByte.Next());
            ASSERT_EQ(whole.Fields(), byByte.Fields()) << "line " << whole.LineNumber();
            ASSERT_EQ(whole.HasRest(), byByte.HasRest());
            ASSERT_EQ(whole.Rest(), byByte.Rest());
            ASSERT_EQ(whole.LineNumber(), byByte.LineNumber());
        }
        EXPECT_FALSE(byByte.Next());
    }
}

TEST(SampleRecordReading, StrayQuoteNeverTakesMoreThanTheBoundOfLines) {
    const std::string text = "\"a\n" + Repeat("b\n", int(kBreaks)) + "c\",1\n";
    const Records records = ReadAll(text, 5, 16);
    ASSERT_EQ(records.size(), kBreaks + 2);
    EXPECT_EQ(records.front(), (std::vector<std::string>{"\"a"}));
    EXPECT_EQ(records.back(), (std::vector<std::string>{"c\"", "1"}));
    // A file of 40,000 stray quotes reads one record a line.
    EXPECT_EQ(ReadAll(Repeat("\"Smith plot,45,30,25\n", 40000)).size(), 40000u);
}

TEST(SampleRecordReading, LineNumbersCountEveryKindOfLineEnd) {
    TextInput input("a\n\"b\nc\r\nd\",1\re\r\n\"f\rg\"\nh");
    SampleReader reader(input, 3);
    std::vector<std::size_t> lines;
    while (reader.Next())
        lines.push_back(reader.LineNumber());
    EXPECT_EQ(lines, (std::vector<std::size_t>{1, 2, 5, 6, 8}));
}

// LongRecordIsAnErrorNamingItsLine: memory per record is bounded, and the limit is exact.
TEST(SampleRecordReading, LongRecordIsAnErrorNamingItsLine) {
    constexpr std::size_t kMax = SampleReader::kMaxRecordBytes;
    for (const bool quoted : {false, true}) {
        const std::string longest =
            quoted ? "\"" + std::string(kMax - 2, 'x') + "\"" : std::string(kMax, 'x');
        EXPECT_EQ(ReadAll("a\n" + longest + "\nb\n", 4096, 64).size(), 3u);
        const std::string text = "a\n\r" + longest + "x\nb\n";
        TextInput input(text, 4096);
        SampleReader reader(input, 64);
        ASSERT_TRUE(reader.Next());
        ASSERT_TRUE(reader.Next());
        try {
            reader.Next();
            FAIL() << "no error for a record over the limit";
        } catch (const RecordTooLongError& e) {
            EXPECT_EQ(e.Line(), 3u);
            EXPECT_EQ(std::string(e.what()).substr(0, 7), "line 3 ");
        }
        EXPECT_FALSE(reader.Next());
    }
}

// The field limit leaves the record's further fields unsplit and unchanged; FieldsText is the
// bytes of the split fields when no quote is in them.
TEST(SampleRecordReading, FieldLimitKeepsTheRestAsRead) {
    const struct {
        std::string text;
        std::size_t limit;
        std::vector<std::string> fields;
        bool hasRest;
        std::string rest;
    } cases[] = {
        {"a,b,c\n", 2, {"a", "b"}, true, "c"},
        {"a,b\r\n", 2, {"a", "b"}, false, ""},
        {"a,\"b,c\",\"d\ne\",f\r", 2, {"a", "b,c"}, true, "\"d\ne\",f"},
        {"\n", 0, {}, true, ""},
    };
    for (const auto& c : cases) {
        TextInput input(c.text, 2);
        SampleReader reader(input, 4);
        reader.SetFieldLimit(c.limit);
        ASSERT_TRUE(reader.Next());
        EXPECT_EQ(std::vector<std::string>(reader.Fields().begin(), reader.Fields().end()),
                  c.fields);
        EXPECT_EQ(reader.HasRest(), c.hasRest);
        EXPECT_EQ(reader.Rest(), c.rest);
        EXPECT_FALSE(reader.Next());
    }
    TextInput input("S1,45,30,25,Loam\nS\"2,1\n");
    SampleReader reader(input);
    reader.SetFieldLimit(4);
    ASSERT_TRUE(reader.Next());
    EXPECT_FALSE(reader.AnyQuote());
    EXPECT_EQ(reader.FieldsText(4), "S1,45,30,25");
    EXPECT_EQ(reader.FieldsText(2), "S1,45");
    ASSERT_TRUE(reader.Next());
    EXPECT_TRUE(reader.AnyQuote());
}

// Written through a buffer smaller than most fields, quoted only when it holds a comma, a quote or
// a line break, and read back whole.
TEST(SampleRecordWriting, QuotesOnlyWhatNeedsItAndReadsBack) {
    for (const std::string field : {"plain text", "", "a,b", "say \"hi\"", "2\nlines", "cr\r"}) {
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
        EXPECT_EQ(ReadAll(text.Text(), 2, 4), (Records{{field, "b,c", "d"}}));
    }
}

} // namespace
