// Sample files on disk: what a read gives back, and that a failed save leaves the old file in
// place. The bytes a save writes are checked through the Point page's Save.
#include "pages/samplefile.h"
#include "tests/pages/filebytes.h"

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

using Row = std::array<QString, 5>;

class SampleFiles : public ::testing::Test {
protected:
    QString WriteFile(const QString& name, const QByteArray& bytes) {
        return WriteBytes(mFolder.filePath(name), bytes);
    }

    std::vector<SampleFields> Read(const QString& path) {
        std::vector<SampleFields> rows;
        EXPECT_TRUE(ReadSampleFile(path, 1000, &rows).Ok());
        return rows;
    }

    QTemporaryDir mFolder;
};

} // namespace

TEST_F(SampleFiles, RoundTripKeepsCommasQuotesLineBreaksAndLongFields) {
    const std::vector<Row> rows = {
        Row{"plain", "1", "2", "97", "{ fail }"},
        Row{"north, wet", "45", "30", "25", "Loam"},
        Row{"say \"hi\""},
        Row{"two\nlines", "10"},
        Row{"\"starts quoted\" then more"},
        Row{QString(5000, 'a') + "," + QString(3000, 'b'), "33.3", "33.3", "33.4", "Clay"},
        Row{"Ünïcode ✓"},
    };
    const QString path = mFolder.filePath("round.csv");
    ASSERT_TRUE(WriteSampleFile(path, rows).Ok());
    const std::vector<SampleFields> back = Read(path);
    ASSERT_EQ(back.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(back[i], (SampleFields{rows[i][0], rows[i][1], rows[i][2], rows[i][3]})) << i;
}

// Files of other making: quotes only where a field begins with one, CR LF, long lines, blank
// lines, and a quote left open at the end of the file.
TEST_F(SampleFiles, ReadsEveryLineAsARowUpToTheRowsAsked) {
    const std::vector<SampleFields> rows =
        Read(WriteFile("plain.csv", "S1,45,30,25,Sandy Clay Loam,extra\r\n\nS2,45\nS3,a\"b,c\"\n" +
                                        QByteArray(2000, 'x') +
                                        ",1,2,97\n\"a,b\",,\"q\"\"q\",\"a\"x\n\"open, still"));
    const std::vector<SampleFields> expected = {
        {"S1", "45", "30", "25"},
        {"", "", "", ""},
        {"S2", "45", "", ""},
        {"S3", "a\"b", "c\"", ""}, // a quote inside a field is an ordinary character
        {QString(2000, 'x'), "1", "2", "97"},
        {"a,b", "", "q\"q", "ax"},
        {"open, still", "", "", ""}};
    EXPECT_EQ(rows, expected);

    QByteArray many;
    for (int i = 1; i <= 1005; ++i)
        many += "S" + QByteArray::number(i) + ",1,2,97\n";
    const std::vector<SampleFields> first = Read(WriteFile("many.csv", many));
    ASSERT_EQ(first.size(), 1000u);
    EXPECT_EQ(first.back()[0], "S1000");
    EXPECT_TRUE(Read(WriteFile("empty.csv", "")).empty());
}

// The write fails part way (the process may not grow files beyond a few bytes): the old file
// must stay as it was and no temporary file may be left beside it.
TEST_F(SampleFiles, SaveKeepsOldFileWhenWriteFails) {
    const QString path = WriteFile("keep.csv", "old,1,2,97,\n");
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const SampleFileResult result =
        WriteSampleFile(path, std::vector<Row>(1000, Row{QString(100, 'n'), "1", "2", "97"}));
    setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_EQ(result.status, SampleFileStatus::Failed);
    EXPECT_EQ(ReadBytes(path), "old,1,2,97,\n");
    EXPECT_EQ(QDir(mFolder.path()).entryList(QDir::Files), QStringList{"keep.csv"});
}
