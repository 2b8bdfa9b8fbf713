// Sample files on disk: what a read gives back, and that a failed save keeps the old file.
#include "pages/samplefile.h"
#include "scheme/schemefile.h"
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

    SampleFileContents ReadContents(const QString& path) {
        SampleFileContents contents;
        EXPECT_TRUE(ReadSampleFile(path, mScheme, 1000, &contents).Ok());
        return contents;
    }

    void SetUp() override { LoadSchemeFile(GRANUM_SCHEMES_DIR "/usda.dat", &mScheme); }

    soiltex mScheme;
    QTemporaryDir mFolder;
};

} // namespace

// Every line is a row, blank ones too (record rules are the reader's); what is lost is told.
TEST_F(SampleFiles, ReadsEveryLineAsARowUpToTheRowsAsked) {
    const SampleFileContents contents =
        ReadContents(WriteFile("plain.csv", "S1,45,30,25,Sandy Clay Loam,extra\n\nS2,45"));
    EXPECT_EQ(contents.rows,
              (std::vector<SampleFields>{{"S1", "45", "30", "25"}, {}, {"S2", "45", "", ""}}));
    EXPECT_EQ(contents.textures.front(), "Sandy Clay Loam");
    EXPECT_TRUE(contents.moreColumns);
    EXPECT_FALSE(contents.moreRows || contents.header);

    QByteArray many;
    for (int i = 1; i <= 1001; ++i)
        many += "S" + QByteArray::number(i) + ",1,2,97\n";
    const SampleFileContents first = ReadContents(WriteFile("many.csv", many));
    ASSERT_EQ(first.rows.size(), 1000u);
    EXPECT_EQ(first.rows.back()[0], "S1000");
    EXPECT_TRUE(first.moreRows);
    EXPECT_FALSE(first.Lossy() && first.moreColumns);
    many.chop(many.size() - many.lastIndexOf("S1001"));
    EXPECT_FALSE(ReadContents(WriteFile("thousand.csv", many)).Lossy());
}

// A header file's columns are found by name, as granum-cli finds them.
TEST_F(SampleFiles, LabCsvIsReadByColumnNames) {
    const SampleFileContents lab = ReadContents(GRANUM_EXAMPLES_DIR "/lab.csv");
    EXPECT_TRUE(lab.header);
    ASSERT_EQ(lab.rows.size(), 4u);
    EXPECT_EQ(lab.rows[1], (SampleFields{"N2", "35", "28", "37"})); // Sand, Clay, Silt
    EXPECT_EQ(lab.rows[3], (SampleFields{"S2", "", "45", "30"}));
    EXPECT_TRUE(lab.textures.empty()); // no Texture column
    const SampleFileContents textured =
        ReadContents(WriteFile("t.csv", "texture,clay,sand\nLoam,20,40\n"));
    EXPECT_EQ(textured.rows, (std::vector<SampleFields>{{"", "40", "20", ""}}));
    EXPECT_EQ(textured.textures, std::vector<QString>{"Loam"});
}

// The write fails part way (a file size limit): the old file stays, no temporary file is left.
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
