// The Point Lookup page through its commands: clipboard, rows, files, prompt, scheme, printing.
#include "pages/laberrordialog.h"
#include "pages/samplefile.h"
#include "pages/samplegrid.h"
#include "pages/texpoint.h"
#include "tests/pages/chartcapture.h"
#include "tests/pages/filebytes.h"
#include "tests/support/scriptedinteraction.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QString kTwoZone = GRANUM_TEST_DATA_DIR "/twozone/twozone.dat";
constexpr int kId = SampleSheet::kSampleId, kX = SampleSheet::kX, kY = SampleSheet::kY,
              kZ = SampleSheet::kZ, kTexture = SampleSheet::kTexture;

class PointPage : public ::testing::Test {
protected:
    void SetUp() override { Start(mPage); }
    static void Start(CTexPoint& page) {
        page.Scheme().SetSchemePath(GRANUM_SCHEMES_DIR "/usda.dat");
        page.Initialise();
    }

    SampleSheet& Sheet() { return mPage.Sheet(); }
    QString Text(int row, int column) { return Sheet().Text(row, column); }
    void Focus(int row, int column) { mPage.Grid().SetFocusCell(row, column); }

    // An edit as the grid's editor makes it (refused texts leave the cell as it was).
    void Edit(int row, int column, const QString& text) {
        Sheet().setData(Sheet().index(row - 1, column), text);
    }
    void EditRow(int row, const QString& x, const QString& y, const QString& z) {
        Edit(row, kX, x);
        Edit(row, kY, y);
        Edit(row, kZ, z);
    }

    QString Path(const QString& name) const { return mFolder.filePath(name); }

    ScriptedInteraction mUser;
    CTexPoint mPage{mUser};
    QTemporaryDir mFolder;
};

} // namespace

// Row 1 starts as 40, 40, 20: Clay. Pastes take any Sample ID, but only number texts for values.
TEST_F(PointPage, ClipboardCommandsWorkOnTheFocusCell) {
    const auto copy = &CTexPoint::Copy, cut = &CTexPoint::Cut, paste = &CTexPoint::Paste;
    const struct {
        void (CTexPoint::*command)();
        int row, column;
        const char *clip, *cell, *texture; // clip: what is pasted, or what Copy and Cut leave
    } cases[] = {
        {copy, 1, kTexture, "Clay", "Clay", "Clay"},
        {copy, 2, kId, "", "", ""},                       // an empty cell copies an empty text
        {paste, 1, kX, "150", "150", "{ Sand refused }"}, // kept, marked, not classified
        {paste, 1, kX, "4 5", "150", "{ Sand refused }"}, // not a number: nothing changes
        {paste, 1, kX, "40\r\n", "40", "Clay"},           // one cell copied from a spreadsheet
        {cut, 1, kY, "40", "", "Clay"},
        {&CTexPoint::DeleteCell, 1, kX, "40", "", ""}, // two missing: no texture
        {paste, 7, kId, "\"site 4, \"\"wet\"\"\nline 2\"", "site 4, \"wet\"\nline 2", ""},
    };
    QClipboard* clipboard = QApplication::clipboard();
    EditRow(1, "40", "40", "20");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clip);
        Focus(c.row, c.column);
        if (c.command == paste)
            clipboard->setText(c.clip);
        (mPage.*c.command)();
        EXPECT_EQ(clipboard->text(), c.clip);
        EXPECT_EQ(Text(c.row, c.column), c.cell);
        EXPECT_EQ(Text(c.row, kTexture), c.texture);
    }
    EXPECT_EQ(Sheet().LastDataRow(), 7);
    Focus(1, kZ);
    QTest::keyClick(&mPage.Grid(), Qt::Key_Delete);
    EXPECT_EQ(Text(1, kZ), "");
}

TEST_F(PointPage, RowCommandsKeepTheFocusAndLookUpMovedRows) {
    EditRow(2, "40", "40", "20");
    EditRow(5, "40", "20", "40");
    Focus(2, kY);
    mPage.InsertSampleRow();
    EXPECT_EQ(Text(3, kTexture), "Clay");
    EXPECT_EQ(mPage.Grid().FocusRow(), 2);
    EXPECT_EQ(mPage.Grid().FocusColumn(), kY);
    mPage.GoToLastRow();
    EXPECT_EQ(mPage.Grid().FocusRow(), 6);
    mPage.CompactRows();
    EXPECT_EQ(Text(1, kTexture), "Clay"); // moved and looked up again
    EXPECT_EQ(Text(2, kTexture), "Loam");
}

// A file that cannot be read must not take over the sheet's name (Save would overwrite it).
TEST_F(PointPage, OpenReadsClassifiesAndNamesTheWindowAndAFailedOpenKeepsThem) {
    const QString path = WriteBytes(Path("in.csv"), "S1,40,40,20,Wrong\n");
    QSignalSpy titles(&mPage, &CTexPoint::TitleChanged);
    mUser.openFileNames = {path, Path("missing.csv")};
    mUser.answers.push_back(Answer::No); // opening looked the rows up: a change
    Focus(990, kZ);                      // where the old sheet was looked at
    for (int open = 0; open < 2; ++open) {
        mPage.OpenFile();
        EXPECT_EQ(mPage.Grid().FocusRow(), 1); // the new sheet from its top
        EXPECT_EQ(Text(1, kTexture), "Clay");  // the file's texture is looked up again
        ASSERT_FALSE(titles.isEmpty());
        EXPECT_EQ(titles.last().at(0).toString(), path + " - Granum");
        EXPECT_EQ(mPage.WindowTitle(), path + " - Granum");
    }
    ASSERT_EQ(mUser.messages.size(), 1u);
    EXPECT_EQ(mUser.messages[0].caption, "I/O Error");
}

// EmptySheetNotModified (an empty file's open is a row of the open test below).
TEST_F(PointPage, EmptySheetNotModified) {
    mUser.openFileNames = {kTwoZone};
    mPage.LoadSchemeFromDialog();
    EXPECT_FALSE(mPage.IsModified());
    mPage.CompactRows();
    EXPECT_FALSE(mPage.IsModified());
    EXPECT_TRUE(mUser.messages.empty());
}

// Modified only when a lookup changed a texture; LabCsvOpen, MoreThan1000RowsWarning.
TEST_F(PointPage, OpenMarksOnlyChangedTexturesAndWarnsOfWhatItCannotHold) {
    QByteArray rows1001;
    for (int i = 1; i <= 1001; ++i)
        rows1001 += "S" + QByteArray::number(i) + ",40,40,20,Clay\n";
    const struct {
        const char* name;
        QByteArray bytes; // null: examples/lab.csv
        bool modified;
        const char* warning; // a part of the warning, or nullptr for none
        const char *id2, *x2, *texture2;
    } cases[] = {
        {"same textures", "S1,40,40,20,Clay\r\nS2,40,20,40,Loam\r\n", false, nullptr, "S2", "40",
         "Loam"},
        {"a changed texture", "S1,40,40,20,Clay\rS2,40,20,40,Clay\r", true, nullptr, "S2", "40",
         "Loam"},
        {"an empty file (EmptySheetNotModified)", "", false, nullptr, "", "", ""},
        {"lab.csv", QByteArray(), false, "a header line", "N2", "35", "Clay loam"},
        {"1001 rows", rows1001, false, "more than 1000 rows", "S2", "40", "Clay"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CTexPoint page(mUser);
        Start(page);
        mUser.messages.clear();
        ASSERT_TRUE(page.OpenPath(c.bytes.isNull() ? QString(GRANUM_EXAMPLES_DIR "/lab.csv")
                                                   : WriteBytes(Path("open.csv"), c.bytes)));
        EXPECT_EQ(page.IsModified(), c.modified);
        EXPECT_EQ(page.Sheet().Text(2, kId), c.id2);
        EXPECT_EQ(page.Sheet().Text(2, kX), c.x2);
        EXPECT_EQ(page.Sheet().Text(2, kTexture), c.texture2);
        ASSERT_EQ(mUser.messages.size(), c.warning ? 1u : 0u);
        if (c.warning) {
            EXPECT_EQ(mUser.messages[0].icon, MessageIcon::Warning);
            EXPECT_TRUE(mUser.messages[0].text.contains(c.warning)) << c.warning;
            EXPECT_TRUE(mUser.messages[0].text.contains("Save would write only")) << c.warning;
        }
    }
}

// A FIFO would block the program: it is refused with the reason, the sheet as it was.
TEST_F(PointPage, OpenRefusesAFifo) {
    Edit(1, kId, "kept");
    const QString fifo = Path("fifo.csv");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(mPage.OpenPath(fifo));
    ASSERT_EQ(mUser.messages.size(), 1u);
    EXPECT_EQ(mUser.messages[0].text, "Cannot open " + fifo + ": it is a FIFO");
    EXPECT_EQ(Text(1, kId), "kept");
}

TEST_F(PointPage, SaveWritesTheSheetOrKeepsTheChanges) {
    Edit(2, kId, "far, east");
    mUser.saveFileNames.push_back(Path("no/folder/out.csv"));
    mPage.SaveFileAs(); // fails: the sheet keeps no file and its changes
    EXPECT_EQ(mUser.messages.at(0).caption, "I/O Error");
    EXPECT_EQ(mPage.FilePath(), "");
    EXPECT_TRUE(mPage.IsModified());

    EditRow(2, "40", "40", "20");
    Edit(4, kId, "S4");
    mUser.saveFileNames.push_back(Path("out.csv"));
    QSignalSpy status(&mPage, &CTexPoint::StatusMessage);
    mPage.SaveFile(); // no file yet: Save As
    EXPECT_EQ(ReadBytes(Path("out.csv")), ",,,,\n\"far, east\",40,40,20,Clay\n,,,,\nS4,,,,\n");
    EXPECT_EQ(mUser.messages.size(), 1u); // the failure's box only; success goes to the status bar
    ASSERT_FALSE(status.isEmpty());
    EXPECT_EQ(status.last().at(0).toString(), "File saved");
    EXPECT_FALSE(mPage.IsModified());
    EXPECT_EQ(mPage.WindowTitle(), Path("out.csv") + " - Granum");

    Edit(4, kId, "");
    Edit(1, kZ, "40%");
    mPage.SaveFile(); // to the same file, without a dialog
    EXPECT_EQ(ReadBytes(Path("out.csv")), ",,,40%,{ Silt refused }\n\"far, east\",40,40,20,Clay\n");
    EXPECT_TRUE(status.last().at(0).toString().startsWith("File saved with 1 refused values"));
}

// New after an edit, through each answer to the prompt; a cancelled save dialog cancels New.
TEST_F(PointPage, SavePromptAnswers) {
    const struct {
        Answer answer;
        const char* savePath; // the save dialog's answer; nullptr when it is not asked
        bool kept, saved;
    } cases[] = {
        {Answer::Cancel, nullptr, true, false},
        {Answer::No, nullptr, false, false},
        {Answer::Yes, "", true, false},
        {Answer::Yes, "prompt.csv", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.savePath ? c.savePath : "no dialog");
        CTexPoint page(mUser);
        QSignalSpy shown(&page, &CTexPoint::ShowRequested);
        page.Sheet().setData(page.Sheet().index(0, kId), "S1");
        mUser.answers.push_back(c.answer);
        if (c.savePath)
            mUser.saveFileNames.push_back(*c.savePath ? Path(c.savePath) : QString());
        page.NewFile();
        EXPECT_EQ(shown.count(), 1); // the page is shown before the question
        EXPECT_EQ(page.Sheet().Text(1, kId), c.kept ? "S1" : "");
        EXPECT_EQ(page.IsModified(), c.kept);
        EXPECT_EQ(QFile::exists(Path("prompt.csv")), c.saved);
    }
    EXPECT_EQ(mUser.questions, QStringList(4, "Save changes first?"));
    EXPECT_TRUE(mUser.messages.empty()); // no "File saved" from the prompt
}

TEST_F(PointPage, SchemeLoadLooksUpEveryRow) {
    EditRow(1, "10", "10", "80");
    EditRow(3, "60", "30", "10");
    mUser.openFileNames = {kTwoZone};
    mPage.LoadSchemeFromDialog();
    EXPECT_EQ(Sheet().headerData(kZ, Qt::Horizontal).toString(), "third");
    EXPECT_EQ(Text(1, kTexture), "Low");
    EXPECT_EQ(Text(3, kTexture), "High");
}

TEST_F(PointPage, ChartPlotShowsOnlyCompleteRowsLabelledByIdOrNumber) {
    EditRow(1, "40", "40", "20");
    Edit(1, kId, "S1");
    EditRow(2, "60", "60", "60"); // does not sum to 100
    EditRow(3, "40", "", "");     // two missing
    EditRow(7, "", "30", "30");
    int shown = 0;
    InspectCharts(mUser, &shown, [&](const ChartDialog& chart) {
        EXPECT_EQ(chart.mPoints, (std::vector<point>{{40, 40}, {40, 30}}));
        EXPECT_EQ(chart.mLabels, (std::vector<std::string>{"S1", "no. 7"}));
        EXPECT_EQ(chart.mbSamples, 1);
    });
    mPage.PlotChart();
    EXPECT_EQ(shown, 1);
}

TEST_F(PointPage, PrintsTheDataRowsOnPages) {
    const auto pdfPages = [](const QString& path) {
        return QString::fromLatin1(ReadBytes(path)).count(QRegularExpression("/Type\\s*/Page[^s]"));
    };
    mUser.printToPdf = {Path("empty.pdf"), Path("full.pdf")};
    mPage.PrintSamples(); // the heading row only
    EXPECT_EQ(pdfPages(Path("empty.pdf")), 1);
    Sheet().Fill(std::vector<SampleFields>(SampleSheet::kRows, SampleFields{"s", "1", "2", ""}));
    mPage.PrintSamples();
    const int pages = pdfPages(Path("full.pdf"));
    EXPECT_GT(pages, 10);
    EXPECT_LT(pages, 40);
}

TEST(SampleGridMouse, RightClickOnNumberColumnShowsNoMenuAndKeepsTheFocus) {
    SampleGrid grid;
    grid.resize(600, 400);
    grid.show();
    QSignalSpy menus(&grid, &SampleGrid::GridMenuRequested);
    grid.SetFocusCell(2, kY);
    for (const int column : {int(SampleSheet::kNumber), kZ}) {
        const QPoint at = grid.visualRect(grid.Sheet().index(4, column)).center();
        for (const auto button : {Qt::LeftButton, Qt::RightButton})
            QTest::mouseClick(grid.viewport(), button, {}, at);
        EXPECT_EQ(grid.FocusRow(), column == kZ ? 5 : 2);
        EXPECT_EQ(menus.count(), column == kZ ? 1 : 0);
    }
}

// Opening used to empty a field that was not an accepted number, so Save lost it.
TEST_F(PointPage, OpenThenSaveKeepsFieldsThatAreNotNumbers) {
    const QByteArray bytes = "S1,abc,40,20,{ Sand refused }\nS2,40,120,,{ Clay refused }\n"
                             "S3,40,40,20,Clay\n";
    QSignalSpy status(&mPage, &CTexPoint::StatusMessage);
    ASSERT_TRUE(mPage.OpenPath(WriteBytes(Path("in.csv"), bytes)));
    EXPECT_EQ(Text(1, kX), "abc");
    EXPECT_EQ(Sheet().RefusedColumn(2), kY);
    EXPECT_FALSE(mPage.IsModified());
    ASSERT_FALSE(status.isEmpty());
    EXPECT_TRUE(status.last().at(0).toString().startsWith("2 values are not numbers"));
    mUser.saveFileNames.push_back(Path("out.csv"));
    mPage.SaveFileAs();
    EXPECT_EQ(ReadBytes(Path("out.csv")), bytes);
}

// The certainty beside the Texture: its share and nearest class in the cell, every class's share
// in the tooltip adding to 100 %, under either error model; the texts and files stay as they were.
TEST_F(PointPage, ShowCertaintyNotesEachRowsSharesAndKeepsItsTexts) {
    const struct {
        LabError error;
        const char *z, *shown;
    } cases[] = {
        {{ErrorModel::Uniform, 2}, "49", "Loam   67 %  1.2 from Sandy loam"},
        {{ErrorModel::Uniform, 0.5}, "49", "Loam   100 %  1.2 from Sandy loam"},
        {{ErrorModel::Normal, 1.5}, "", "Loam   "},
    };
    for (const auto& c : cases) {
        mPage.SetCertainty(true, c.error);
        EditRow(1, "43", "8", c.z);
        const QString shown = Sheet().data(Sheet().index(0, kTexture)).toString();
        EXPECT_TRUE(shown.startsWith(c.shown)) << shown.toStdString();
        const QString tip = Sheet().data(Sheet().index(0, kTexture), Qt::ToolTipRole).toString();
        EXPECT_TRUE(tip.contains(LabErrorText(c.error)));
        double sum = 0;
        for (auto m = QRegularExpression("  ([0-9.]+) %").globalMatch(tip); m.hasNext();)
            sum += m.next().captured(1).toDouble();
        EXPECT_NEAR(sum, 100, 0.15) << tip.toStdString();
    }
    // A move that keeps the class still renews the note.
    const QString before = Sheet().data(Sheet().index(0, kTexture)).toString();
    EditRow(1, "44", "8", "");
    EXPECT_EQ(Text(1, kTexture), "Loam");
    EXPECT_NE(Sheet().data(Sheet().index(0, kTexture)).toString(), before);
    mUser.saveFileNames.push_back(Path("out.csv"));
    mPage.SaveFileAs();
    EXPECT_EQ(ReadBytes(Path("out.csv")), ",44,8,,Loam\n");
    mPage.SetCertainty(false, {ErrorModel::Uniform, 2});
    EXPECT_EQ(Sheet().data(Sheet().index(0, kTexture)).toString(), "Loam");
}

// The Lab Error dialog's answer is the page's error at once. The chart gets the error only
// while the option is on.
TEST_F(PointPage, LabErrorDialogAndChartFollowTheOption) {
    mUser.onDialog = [](QDialog& dialog) {
        dynamic_cast<LabErrorDialog&>(dialog).SetError({ErrorModel::Normal, 1.5});
        return int(QDialog::Accepted);
    };
    EXPECT_TRUE(mPage.ChooseLabError());
    EXPECT_EQ(mPage.CertaintyError().model, ErrorModel::Normal);
    for (const bool show : {true, false}) {
        mPage.SetCertainty(show, {ErrorModel::Uniform, 3});
        int shown = 0;
        InspectCharts(mUser, &shown, [show](const ChartDialog& chart) {
            EXPECT_EQ(chart.mLabError.value_or(LabError{ErrorModel::Uniform, 0}).size,
                      show ? 3 : 0);
        });
        mPage.PlotChart();
        EXPECT_EQ(shown, 1);
    }
}

// Under other data particle-size limits the note is of the converted composition, the one the
// Texture was looked up from (38, 10, 52 at 63 µm is Loam in USDA's limits, Silt loam as typed).
TEST_F(PointPage, CertaintyNoteFollowsTheDataLimitsConversion) {
    mPage.SetCertainty(true, {ErrorModel::Uniform, 1});
    EditRow(1, "38", "10", "52");
    const auto firstClass = [this] {
        return Sheet().data(Sheet().index(0, kTexture), Qt::ToolTipRole).toString().split('\n')[1];
    };
    EXPECT_TRUE(firstClass().startsWith("Silt loam"));
    mPage.SetDataLimits(ParticleLimits{2, 63, 2000});
    ASSERT_EQ(Text(1, kTexture), "Loam");
    EXPECT_TRUE(firstClass().startsWith("Loam")) << firstClass().toStdString();
}
