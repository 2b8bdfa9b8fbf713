// Sample files on disk: what a save writes, what a read gives back, and that a failed save
// leaves the old file in place.
#include "pages/samplefile.h"
#include "tests/pages/filebytes.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

using Row = std::array<QString, 5>;

class SampleFiles : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return mFolder.filePath(name); }

    QString WriteFile(const QString& name, const QByteArray& bytes) {
        return WriteBytes(Path(name), bytes);
    }

    std::vector<SampleFields> Read(const QString& path, int maxRows = 1000) {
        std::vector<SampleFields> rows;
        EXPECT_TRUE(ReadSampleFile(path, maxRows, &rows).Ok());
        return rows;
    }

    QTemporaryDir mFolder;
};

} // namespace

TEST_F(SampleFiles, WritesFiveFieldsALineAndEmptyRowsAsCommas) {
    const QString path = Path("s.csv");
    ASSERT_TRUE(WriteSampleFile(path, {Row{}, Row{"S2", "45", "30", "25", "Loam"}, Row{}}).Ok());
    EXPECT_EQ(ReadBytes(path), ",,,,\nS2,45,30,25,Loam\n,,,,\n");
    ASSERT_TRUE(WriteSampleFile(path, {}).Ok());
    EXPECT_EQ(ReadBytes(path), "");
}

TEST_F(SampleFiles, RoundTripKeepsCommasQuotesLineBreaksAndLongFields) {
    const QString longId = QString(5000, 'a') + "," + QString(3000, 'b');
    const std::vector<Row> rows = {
        Row{"plain", "1", "2", "97", "{ fail }"},
        Row{"north, wet", "45", "30", "25", "Loam"},
        Row{"say \"hi\"", "", "", "", ""},
        Row{"two\nlines", "10", "", "", ""},
        Row{"\"starts quoted\" then more", "", "", "", ""},
        Row{longId, "33.3", "33.3", "33.4", "Clay Loam / Loam"},
        Row{"Ünïcode ✓", "", "", "", ""},
    };
    const QString path = Path("round.csv");
    ASSERT_TRUE(WriteSampleFile(path, rows).Ok());
    const std::vector<SampleFields> back = Read(path);
    ASSERT_EQ(back.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (std::size_t f = 0; f < 4; ++f)
            EXPECT_EQ(back[i][f], rows[i][f]) << "row " << i << " field " << f;
    }
}

TEST_F(SampleFiles, ReadsFilesWithoutQuotesByThePlainCommaRule) {
    const QString path = WriteFile(
        "plain.csv", "S1,45,30,25,Sandy Clay Loam,extra\r\n\nS2,45\nS3,a\"b,c\"\n" +
                         QByteArray(2000, 'x') + ",1,2,97");
    const std::vector<SampleFields> rows = Read(path);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], (SampleFields{"S1", "45", "30", "25"}));
    EXPECT_EQ(rows[1], (SampleFields{"", "", "", ""})); // a blank line is a row
    EXPECT_EQ(rows[2], (SampleFields{"S2", "45", "", ""}));
    EXPECT_EQ(rows[3][1], "a\"b"); // a quote inside a field is an ordinary character
    EXPECT_EQ(rows[3][2], "c\"");  // so is one that ends the line
    EXPECT_EQ(rows[4][0], QString(2000, 'x')); // no cut at any length
    EXPECT_EQ(rows[4][3], "97");
}

TEST_F(SampleFiles, ReadsAtMostTheRowsAsked) {
    QByteArray text;
    for (int i = 1; i <= 1005; ++i)
        text += "S" + QByteArray::number(i) + ",1,2,97\n";
    const std::vector<SampleFields> rows = Read(WriteFile("many.csv", text));
    ASSERT_EQ(rows.size(), 1000u);
    EXPECT_EQ(rows.back()[0], "S1000");
    EXPECT_TRUE(Read(WriteFile("empty.csv", "")).empty());
}

TEST_F(SampleFiles, SplitsRecordsTheWayTheyWereWritten) {
    const struct {
        const char* record;
        bool complete;
        std::vector<QByteArray> fields;
    } cases[] = {
        {"", true, {""}},
        {"a,,b", true, {"a", "", "b"}},
        {"\"a,b\",c", true, {"a,b", "c"}},
        {"\"a\"\"b\"", true, {"a\"b"}},
        {"\"a\"x,y", true, {"ax", "y"}},
        {"\"open, still", false, {"open, still"}},
        {"x\"y,z", true, {"x\"y", "z"}},
    };
    for (const auto& c : cases) {
        std::vector<QByteArray> fields;
        EXPECT_EQ(SplitSampleRecord(c.record, &fields), c.complete) << c.record;
        EXPECT_EQ(fields, c.fields) << c.record;
    }
}

TEST_F(SampleFiles, MissingFileCannotBeOpened) {
    std::vector<SampleFields> rows{SampleFields{}};
    const SampleFileResult result = ReadSampleFile(Path("none.csv"), 1000, &rows);
    EXPECT_EQ(result.status, SampleFileStatus::CannotOpen);
    EXPECT_FALSE(result.reason.isEmpty());
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(WriteSampleFile(Path("no/folder/x.csv"), {}).status,
              SampleFileStatus::CannotOpen);
}

// The write fails part way (the process may not grow files beyond a few bytes): the old file
// must stay as it was and no temporary file may be left beside it.
TEST_F(SampleFiles, SaveKeepsOldFileWhenWriteFails) {
    const QString path = WriteFile("keep.csv", "old,1,2,97,\n");
    std::vector<Row> rows(1000, Row{QString(100, 'n'), "1", "2", "97", "Sand"});

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const SampleFileResult result = WriteSampleFile(path, rows);
    setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_EQ(result.status, SampleFileStatus::Failed);
    EXPECT_EQ(ReadBytes(path), "old,1,2,97,\n");
    EXPECT_EQ(QDir(mFolder.path()).entryList(QDir::Files), QStringList{"keep.csv"});
}
