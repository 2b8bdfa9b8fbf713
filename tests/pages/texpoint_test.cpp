// The Point Lookup page driven through its own commands and the grid's editor: lookups as rows
// change, clipboard commands, file commands with the save prompt, scheme loads and printing.
#include "pages/samplefile.h"
#include "pages/samplegrid.h"
#include "pages/texpoint.h"
#include "tests/pages/chartcapture.h"
#include "tests/pages/filebytes.h"
#include "tests/support/scriptedinteraction.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kUsda = GRANUM_SCHEMES_DIR "/usda.dat";
const QString kNoBorder = GRANUM_TEST_DATA_DIR "/cli-schemes/noborder.dat";
const QString kTwoZone = GRANUM_TEST_DATA_DIR "/twozone/twozone.dat";
const QString kOverlap = GRANUM_TEST_DATA_DIR "/cli-schemes/overlap.dat";
constexpr int kId = SampleSheet::kSampleId, kX = SampleSheet::kX, kY = SampleSheet::kY,
              kZ = SampleSheet::kZ, kTexture = SampleSheet::kTexture;

class PointPage : public ::testing::Test {
protected:
    void SetUp() override { LoadScheme(kUsda); }

    void LoadScheme(const QString& path) {
        mPage.Scheme().SetSchemePath(path);
        mPage.Initialise();
    }

    SampleSheet& Sheet() { return mPage.Sheet(); }
    QString Text(int row, int column) { return Sheet().Text(row, column); }

    // An edit as the grid's editor makes it (refused texts leave the cell as it was).
    void Edit(int row, int column, const QString& text) {
        Sheet().setData(Sheet().index(row - 1, column), text);
    }
    void EditRow(int row, const QString& x, const QString& y, const QString& z) {
        Edit(row, kX, x);
        Edit(row, kY, y);
        Edit(row, kZ, z);
    }

    // Types into the cell's editor key by key and ends the edit with Return.
    void Type(int row, int column, const QString& text) {
        SampleGrid& grid = mPage.Grid();
        grid.SetFocusCell(row, column);
        grid.edit(grid.currentIndex());
        auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(grid.currentIndex()));
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the editor commits from a queued call
    }

    QString Path(const QString& name) const { return mFolder.filePath(name); }

    QString WriteFile(const QString& name, const QByteArray& bytes) {
        return WriteBytes(Path(name), bytes);
    }

    ScriptedInteraction mUser;
    CTexPoint mPage{mUser};
    QTemporaryDir mFolder;
};

} // namespace

TEST_F(PointPage, TypedValuesAreClassifiedOrRefused) {
    mPage.show();
    Type(1, kX, "40");
    Type(1, kY, "40");
    EXPECT_EQ(Text(1, kTexture), "Clay"); // z taken as 20
    EXPECT_EQ(Text(1, SampleSheet::kNumber), "1 *");

    for (const char* refused : {"12abc", "100.5"}) { // the sheet's tests hold the whole list
        Type(1, kX, refused);
        EXPECT_EQ(Text(1, kX), "40") << refused;
        EXPECT_EQ(Text(1, kTexture), "Clay") << refused;
    }
    Type(1, kX, "100.0000005");
    EXPECT_EQ(Text(1, kX), "100.0000005");
    EXPECT_EQ(Text(1, kTexture), "{ fail }");
    Type(1, kX, ""); // accepted: x counts as missing and comes from y and z
    Type(1, kZ, "40");
    EXPECT_EQ(Text(1, kTexture), "Silty clay");
    Type(1, kZ, ""); // two missing: no texture
    EXPECT_EQ(Text(1, kTexture), "");
    EXPECT_TRUE(mUser.messages.empty()); // refusals are silent
}

TEST_F(PointPage, ABorderCompositionShowsBothClassesInLookupOrder) {
    LoadScheme(kNoBorder);
    EditRow(1, "25", "25", "50");
    EXPECT_EQ(Text(1, kTexture), "Low / High");
}

TEST_F(PointPage, WithoutASchemeEditsAreKeptAndStillCountAsChanges) {
    LoadScheme("no/such/scheme.dat");
    ASSERT_EQ(mUser.MessageTexts(), QStringList{"Unable to load the classification scheme file"});
    EXPECT_EQ(Sheet().headerData(kX, Qt::Horizontal).toString(), "x");
    EditRow(1, "40", "40", "20");
    EXPECT_EQ(Text(1, kTexture), "");
    EXPECT_TRUE(mPage.IsModified());
}

TEST_F(PointPage, PasteTakesAnyIdButOnlyWholeNumbersForValues) {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText("site 4, \"wet\"\nsecond line");
    mPage.Grid().SetFocusCell(7, kId);
    mPage.Paste();
    EXPECT_EQ(Text(7, kId), "site 4, \"wet\"\nsecond line");
    EXPECT_EQ(Sheet().LastDataRow(), 7);
    EXPECT_TRUE(mPage.IsModified());

    EditRow(1, "40", "40", "20");
    const struct {
        const char* text;
        const char* x;       // x afterwards
        const char* texture; // the row's texture afterwards
    } cases[] = {
        {"150", "150", "{ fail }"}, // no range test; the lookup fails
        {"-5", "-5", "Clay"},       // a negative value counts as missing: x from y and z
        {"45\n", "-5", "Clay"},     // a trailing line break is not a number: nothing changes
    };
    mPage.Grid().SetFocusCell(1, kX);
    for (const auto& c : cases) {
        clipboard->setText(c.text);
        mPage.Paste();
        EXPECT_EQ(Text(1, kX), c.x) << c.text;
        EXPECT_EQ(Text(1, kTexture), c.texture) << c.text;
    }
}

TEST_F(PointPage, CutCopyAndDeleteWorkOnTheFocusCell) {
    QClipboard* clipboard = QApplication::clipboard();
    EditRow(1, "40", "40", "20");
    mPage.Grid().SetFocusCell(1, kTexture);
    mPage.Copy();
    EXPECT_EQ(clipboard->text(), "Clay");
    mPage.Cut(); // the Texture is not editable
    EXPECT_EQ(Text(1, kTexture), "Clay");

    mPage.Grid().SetFocusCell(1, kY);
    mPage.Cut();
    EXPECT_EQ(clipboard->text(), "40");
    EXPECT_EQ(Text(1, kY), "");
    EXPECT_EQ(Text(1, kTexture), "Clay"); // y from x and z

    mPage.Grid().SetFocusCell(2, kId); // empty: Copy puts an empty text
    mPage.Copy();
    EXPECT_EQ(clipboard->text(), "");

    mPage.Grid().SetFocusCell(1, kX);
    mPage.DeleteCell();
    EXPECT_EQ(Text(1, kX), "");
    EXPECT_EQ(Text(1, kTexture), "");
    mPage.Grid().SetFocusCell(1, kZ);
    QTest::keyClick(&mPage.Grid(), Qt::Key_Delete);
    EXPECT_EQ(Text(1, kZ), "");
    EXPECT_EQ(Sheet().LastDataRow(), 1); // the walk ends at row 1
    EXPECT_EQ(Sheet().MarkedRow(), 0);
}

// The Grid menu at a cell as "XCVDIR" (cut, copy, paste, delete, insert row, delete row), with
// "-" for each greyed item.
TEST_F(PointPage, MenuStateFollowsTheFocusCellAndTheClipboard) {
    const auto menuAt = [this](int row, int column) {
        mPage.Grid().SetFocusCell(row, column);
        const PointMenuState s = mPage.MenuState();
        const bool on[] = {s.cut, s.copy, s.paste, s.clear, s.insertRow, s.deleteRow};
        std::string items = "XCVDIR";
        for (std::size_t i = 0; i < items.size(); ++i)
            items[i] = on[i] ? items[i] : '-';
        return items;
    };
    QApplication::clipboard()->setText("12");
    Edit(1, kId, "a");
    Edit(2, kX, "40");
    EXPECT_EQ(menuAt(1, kId), "XCVDIR");
    EXPECT_EQ(menuAt(1, kX), "--V-IR");       // empty cell
    EXPECT_EQ(menuAt(2, kTexture), "----IR"); // not editable, empty
    EXPECT_EQ(menuAt(3, kId), "--V---");      // after the last data row
    QApplication::clipboard()->setText("not a number");
    EXPECT_EQ(menuAt(1, kX), "----IR");

    Sheet().Fill(std::vector<SampleFields>(SampleSheet::kRows, SampleFields{"s", "", "", ""}));
    EXPECT_EQ(menuAt(1000, kId), "XCVD-R"); // a full sheet has no room for a row
    mPage.InsertSampleRow();
    EXPECT_EQ(Sheet().LastDataRow(), 1000);
}

TEST_F(PointPage, RowCommandsKeepTheFocusAndLookUpMovedRows) {
    EditRow(2, "40", "40", "20");
    EditRow(5, "40", "20", "40");
    mPage.Grid().SetFocusCell(2, kY);
    mPage.InsertSampleRow();
    EXPECT_EQ(Text(3, kTexture), "Clay");
    EXPECT_EQ(mPage.Grid().FocusRow(), 2);
    EXPECT_EQ(mPage.Grid().FocusColumn(), kY);
    mPage.CompactRows();
    EXPECT_EQ(Text(1, kTexture), "Clay"); // moved and looked up again
    EXPECT_EQ(Text(2, kTexture), "Loam");
    EXPECT_EQ(Sheet().LastDataRow(), 2);
    mPage.Grid().SetFocusCell(1, kX);
    mPage.DeleteSampleRow();
    EXPECT_EQ(Text(1, kTexture), "Loam");
    EXPECT_EQ(Text(1, SampleSheet::kNumber), "1 *");
}

TEST_F(PointPage, GoToLastRowOnAnEmptySheetGoesToRowOne) {
    mPage.GoToLastRow();
    EXPECT_EQ(mPage.Grid().FocusRow(), 1);
    EXPECT_EQ(mPage.Grid().FocusColumn(), kId);
    Edit(12, kId, "x");
    mPage.GoToLastRow();
    EXPECT_EQ(mPage.Grid().FocusRow(), 12);
}

TEST_F(PointPage, OpenReadsClassifiesAndNamesTheWindow) {
    const QString path =
        WriteFile("in.csv", "S1,40,40,20,Wrong\n\nS3,40,abc,40\n\"a, b\",40,20,40\n");
    QSignalSpy titles(&mPage, &CTexPoint::TitleChanged);
    mUser.openFileNames.push_back(path);
    mPage.OpenFile();
    EXPECT_EQ(Sheet().LastDataRow(), 4);
    EXPECT_EQ(Text(4, SampleSheet::kNumber), "4 *");
    EXPECT_EQ(Text(1, kTexture), "Clay"); // the file's texture is looked up again
    EXPECT_EQ(Text(3, kTexture), "Loam"); // y was not a number: taken from x and z
    EXPECT_EQ(Text(4, kId), "a, b");
    EXPECT_EQ(mPage.FilePath(), path);
    ASSERT_FALSE(titles.isEmpty());
    EXPECT_EQ(titles.last().at(0).toString(), path + " - Granum");
}

// A file that cannot be read must not take over the sheet's name: a Save afterwards would
// write the sheet over it.
TEST_F(PointPage, FailedOpenKeepsTheSheetAndItsFile) {
    const QString first = WriteFile("first.csv", "S1,40,40,20\n");
    ASSERT_TRUE(mPage.OpenPath(first));
    mUser.answers.push_back(Answer::No); // opening looked the rows up: a change
    mUser.openFileNames.push_back(Path("missing.csv"));
    mPage.OpenFile();
    ASSERT_EQ(mUser.messages.size(), 1u);
    EXPECT_EQ(mUser.messages[0].caption, "I/O Error");
    EXPECT_EQ(mPage.FilePath(), first);
    EXPECT_EQ(Text(1, kId), "S1");
    EXPECT_EQ(mPage.WindowTitle(), first + " - Granum");
}

TEST_F(PointPage, SaveWritesTheSheetOrKeepsTheChanges) {
    Edit(2, kId, "far, east");
    mUser.saveFileNames.push_back(Path("no/folder/out.csv"));
    mPage.SaveFileAs();
    ASSERT_EQ(mUser.messages.size(), 1u);
    EXPECT_EQ(mUser.messages[0].caption, "I/O Error");
    EXPECT_EQ(mPage.FilePath(), "");
    EXPECT_TRUE(mPage.IsModified());
    mUser.messages.clear();

    EditRow(2, "40", "40", "20");
    Edit(4, kId, "S4");
    mUser.saveFileNames.push_back(Path("out.csv"));
    mPage.SaveFile(); // no file yet: Save As
    EXPECT_EQ(ReadBytes(Path("out.csv")), ",,,,\n\"far, east\",40,40,20,Clay\n,,,,\nS4,,,,\n");
    EXPECT_EQ(mUser.MessageTexts(), QStringList{"File saved"});
    EXPECT_EQ(mUser.messages[0].caption, "Done");
    EXPECT_FALSE(mPage.IsModified());
    EXPECT_EQ(mPage.WindowTitle(), Path("out.csv") + " - Granum");

    Edit(4, kId, "");
    mPage.SaveFile(); // to the same file, without a dialog
    EXPECT_EQ(ReadBytes(Path("out.csv")), ",,,,\n\"far, east\",40,40,20,Clay\n");
}

TEST_F(PointPage, SavePromptAnswers) {
    const struct {
        Answer answer;
        QString savePath; // the save dialog's answer, when it is asked
        SaveModifiedResult result;
        bool saved;
    } cases[] = {
        {Answer::Cancel, "", SaveModifiedResult::Cancelled, false},
        {Answer::No, "", SaveModifiedResult::NotSaved, false},
        {Answer::Yes, "prompt.csv", SaveModifiedResult::Saved, true},
    };
    for (const auto& c : cases) {
        CTexPoint page(mUser);
        QSignalSpy shown(&page, &CTexPoint::ShowRequested);
        page.Sheet().setData(page.Sheet().index(0, kId), "S1");
        mUser.answers.push_back(c.answer);
        if (!c.savePath.isEmpty())
            mUser.saveFileNames.push_back(Path(c.savePath));
        EXPECT_EQ(page.SaveModified(), c.result);
        EXPECT_EQ(shown.count(), 1); // the page is shown before the question
        EXPECT_EQ(QFile::exists(Path("prompt.csv")), c.saved);
        EXPECT_EQ(page.IsModified(), !c.saved);
    }
    EXPECT_EQ(mUser.questions, QStringList(3, "Save changes first?"));
    EXPECT_TRUE(mUser.messages.empty()); // no "File saved" from the prompt
}

TEST_F(PointPage, NewAfterCancelledPromptKeepsTheSheet) {
    Edit(1, kId, "S1");
    mUser.answers = {Answer::Yes, Answer::No};
    mUser.saveFileNames.push_back(""); // the save dialog is cancelled: so is New
    mPage.NewFile();
    EXPECT_EQ(Text(1, kId), "S1");
    mPage.NewFile();
    EXPECT_EQ(Text(1, kId), "");
    EXPECT_EQ(Sheet().LastDataRow(), 0);
    EXPECT_FALSE(mPage.IsModified());
    EXPECT_EQ(mPage.WindowTitle(), "New - Granum");
}

// The invalid scheme is read before it is refused: the page must go back to the old one.
TEST_F(PointPage, SchemeLoadKeepsTheSchemeOnFailureAndLooksUpEveryRowOnSuccess) {
    EditRow(1, "10", "10", "80");
    EditRow(3, "60", "30", "10");
    mUser.openFileNames = {kOverlap, kTwoZone};
    mPage.LoadSchemeFromDialog();
    EXPECT_EQ(mUser.messages.size(), 1u);
    EXPECT_EQ(mPage.Scheme().SchemePath(), kUsda);
    EXPECT_EQ(Sheet().headerData(kX, Qt::Horizontal).toString(), "Sand");
    EXPECT_EQ(Text(1, kTexture), "Silt");

    mPage.LoadSchemeFromDialog();
    EXPECT_EQ(Sheet().headerData(kX, Qt::Horizontal).toString(), "first");
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
    mUser.printToPdf = {Path("empty.pdf"), Path("full.pdf"), ""};
    mPage.PrintSamples(); // the heading row only
    EXPECT_EQ(pdfPages(Path("empty.pdf")), 1);
    Sheet().Fill(std::vector<SampleFields>(SampleSheet::kRows, SampleFields{"s", "1", "2", ""}));
    mPage.PrintSamples();
    const int pages = pdfPages(Path("full.pdf"));
    EXPECT_GT(pages, 10);
    EXPECT_LT(pages, 40);
    mPage.PrintSamples(); // cancelled: nothing printed
    EXPECT_EQ(mUser.printToPdf.size(), 0u);
}

TEST(SampleGridMouse, RightClickOnNumberColumnShowsNoMenuAndKeepsTheFocus) {
    SampleGrid grid;
    grid.resize(600, 400);
    grid.show();
    QSignalSpy menus(&grid, &SampleGrid::GridMenuRequested);
    grid.SetFocusCell(2, kY);
    const QRect number = grid.visualRect(grid.Sheet().index(4, SampleSheet::kNumber));
    QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, number.center());
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, number.center());
    EXPECT_EQ(menus.count(), 0);
    EXPECT_EQ(grid.FocusRow(), 2);
    EXPECT_EQ(grid.FocusColumn(), kY);

    const QRect cell = grid.visualRect(grid.Sheet().index(4, kZ));
    QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, cell.center());
    EXPECT_EQ(menus.count(), 1);
    EXPECT_EQ(grid.FocusRow(), 5);
    EXPECT_EQ(grid.FocusColumn(), kZ);
}
