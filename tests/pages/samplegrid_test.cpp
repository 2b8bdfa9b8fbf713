// The sheet as a spreadsheet: keys, cell ranges through the clipboard, Undo, refused values.
#include "pages/samplegrid.h"
#include "pages/tabtext.h"
#include "pages/texpoint.h"
#include "tests/support/scriptedinteraction.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int kId = SampleSheet::kSampleId, kX = SampleSheet::kX, kY = SampleSheet::kY,
              kZ = SampleSheet::kZ, kTexture = SampleSheet::kTexture;

class SheetGrid : public ::testing::Test {
protected:
    void SetUp() override {
        mPage.Scheme().SetSchemePath(GRANUM_SCHEMES_DIR "/usda.dat");
        mPage.Initialise();
        mPage.resize(640, 480);
        mPage.show();
        QApplication::setActiveWindow(&mPage);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&mPage));
        Grid().setFocus();
    }

    SampleGrid& Grid() { return mPage.Grid(); }
    SampleSheet& Sheet() { return mPage.Sheet(); }
    QString Text(int row, int column) { return Sheet().Text(row, column); }

    // Keys as the user presses them: each to whatever has the focus then (the grid or its
    // cell editor). A key is a character, or "\n" Enter, "^" Shift+Enter, "\t" Tab, "<" Shift+Tab.
    void Press(const QString& keys) {
        for (const QChar key : keys) {
            QWidget* target = QApplication::focusWidget();
            ASSERT_NE(target, nullptr);
            if (key == '\n' || key == '^')
                QTest::keyClick(target, Qt::Key_Return,
                                key == '^' ? Qt::ShiftModifier : Qt::NoModifier);
            else if (key == '\t')
                QTest::keyClick(target, Qt::Key_Tab);
            else if (key == '<')
                QTest::keyClick(target, Qt::Key_Backtab, Qt::ShiftModifier);
            else
                QTest::keyClick(target, key.toLatin1());
            // The closed editor goes, as it does between a user's keys.
            QApplication::processEvents();
        }
    }

    // "row,column" of the focus cell.
    std::string Focus() {
        return std::to_string(Grid().FocusRow()) + "," + std::to_string(Grid().FocusColumn());
    }

    ScriptedInteraction mUser;
    CTexPoint mPage{mUser};
};

} // namespace

TEST_F(SheetGrid, EnterAndTabCommitAndMoveOverEditableCells) {
    const struct {
        int row, column;
        const char* keys;
        const char* focus;
    } cases[] = {
        {1, kId, "E1\nE2\n", "3,1"}, // typing E2 goes below E1, not over it
        {5, kId, "\n^^", "4,1"},     // Enter and Shift+Enter without editing
        {2, kY, "30\t20\t", "3,1"},  // Tab past z wraps to the next row's Sample ID
        {3, kId, "<", "2,4"},        // Shift+Tab from Sample ID: the row above's z
        {4, kTexture, "\t", "5,1"},  // Texture is passed over
        {1000, kZ, "\t", "1000,4"},  // nowhere after the last cell
        {6, kX, "7^", "5,2"},        // Shift+Enter commits too
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        Grid().SetFocusCell(c.row, c.column);
        Press(c.keys);
        EXPECT_EQ(Focus(), c.focus);
        EXPECT_FALSE(Grid().IsEditing());
    }
    EXPECT_EQ(Text(1, kId) + "|" + Text(2, kId), "E1|E2");
    EXPECT_EQ(Text(2, kY) + "|" + Text(2, kZ) + "|" + Text(2, kTexture), "30|20|Sandy clay loam");
    EXPECT_EQ(Text(6, kX), "7");
}

// Spreadsheets' clipboard text: CR LF or LF, a closing line end, quoted fields.
TEST(TabText, ReadsWhatSpreadsheetsCopyAndWritesWhatTheyPaste) {
    using Rows = std::vector<QStringList>;
    const struct {
        const char* text;
        Rows rows;
    } cases[] = {
        {"S1\t40\t40\t20\r\nS2\t\t30\t\r\n", {{"S1", "40", "40", "20"}, {"S2", "", "30", ""}}},
        {"a\tb\nc", {{"a", "b"}, {"c"}}},
        {"45\n", {{"45"}}},
        {"", {{""}}},
        {"\n\n", {{""}, {""}}},
        {"\"two\nlines\"\t\"say \"\"hi\"\"\"\n", {{"two\nlines", "say \"hi\""}}},
        {"\"open\tx\"y\n", {{"\"open", "x\"y"}}}, // quotes that do not close a field are text
        {"a\rb\r", {{"a"}, {"b"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(tabtext::Read(c.text), c.rows);
        EXPECT_EQ(tabtext::Read(tabtext::Write(c.rows)), c.rows); // round trip
    }
}

// A block from a spreadsheet goes in from the top left selected cell, x, y and z checked as
// typed; copying the same cells gives the block back with LF line ends.
TEST_F(SheetGrid, PastedBlockIsCheckedCellByCellAndCopiesBack) {
    QSignalSpy status(&Grid(), &SampleGrid::StatusMessage);
    QApplication::clipboard()->setText("S1\t40\t40\t20\r\nS2\tabc\t20\t40\r\nS3\t\t30\t120\r\n");
    Grid().SelectCells(2, kId, 2, kId);
    mPage.Paste();
    EXPECT_EQ(Text(2, kTexture), "Clay");
    EXPECT_EQ(Text(3, kX), "abc");
    EXPECT_EQ(Text(3, kTexture), "{ Sand refused }"); // not Loam from the other two
    EXPECT_EQ(Text(4, kTexture), "{ Silt refused }");
    EXPECT_EQ(Sheet().LastDataRow(), 4);
    ASSERT_FALSE(status.isEmpty());
    EXPECT_EQ(status.last().at(0).toString(),
              "Refused 2 values, each must be a number from 0 to 100: Sand in row 3 \"abc\", Silt "
              "in row 4 \"120\"");
    const CellRange pasted = Grid().Selected();
    EXPECT_EQ(std::vector<int>({pasted.top, pasted.left, pasted.bottom, pasted.right}),
              std::vector<int>({2, kId, 4, kZ}));
    QApplication::clipboard()->clear();
    mPage.Copy();
    EXPECT_EQ(QApplication::clipboard()->text(),
              "S1\t40\t40\t20\nS2\tabc\t20\t40\nS3\t\t30\t120\n");

    // Texture and what lies right of it are the sheet's own; rows past 1000 have no room.
    QApplication::clipboard()->setText("1\t2\t3\tLoam\textra\n4\t5\t6\n");
    Grid().SelectCells(1000, kX, 1000, kX);
    mPage.Paste();
    EXPECT_EQ(Text(1000, kX) + Text(1000, kY) + Text(1000, kZ) + Text(1000, kTexture),
              "123{ fail }");
    EXPECT_EQ(status.last().at(0).toString(), "1 pasted rows after row 1000 were left out; 1 "
                                              "pasted values right of Texture were left out");

    // One value into a selection fills it; Delete empties the selected editable cells.
    QApplication::clipboard()->setText("7");
    Grid().SelectCells(10, kX, 11, kTexture);
    mPage.Paste();
    EXPECT_EQ(Text(11, kX) + Text(11, kZ) + Text(11, kTexture), "77{ fail }");
    mPage.DeleteCell();
    EXPECT_EQ(Text(10, kX) + Text(11, kZ) + Text(11, kTexture), "");
}

// Each command, undone, leaves the sheet as before; redone, as after it.
TEST_F(SheetGrid, UndoAndRedoOfEachCommand) {
    // "last: row=id,x,y,z,texture ..." for every row holding data, and the marker.
    const auto state = [this] {
        QString text = QString::number(Sheet().LastDataRow()) + ":";
        for (int row = 1; row <= SampleSheet::kRows; ++row) {
            if (!Sheet().HoldsData(row))
                continue;
            text += " " + QString::number(row) + "=";
            for (int column = kId; column <= kTexture; ++column)
                text += Text(row, column) + (column < kTexture ? "," : "");
        }
        return text + " " + QString::number(Sheet().MarkedRow()) + "*";
    };
    const auto edit = [this] { Sheet().setData(Sheet().index(11, kX), "abc"); };
    const auto paste = [this] {
        QApplication::clipboard()->setText("P\t10\t10\t80\nQ\n");
        Grid().SelectCells(6, kId, 6, kId);
        mPage.Paste();
    };
    const auto cut = [this] {
        Grid().SelectCells(2, kX, 3, kY);
        mPage.Cut();
    };
    const auto clearTail = [this] {
        Grid().SelectCells(5, kId, 5, kZ); // the last data row: the marker walks down
        mPage.DeleteCell();
    };
    const struct {
        const char* name;
        std::function<void()> command;
    } cases[] = {
        {"edit", edit},
        {"paste", paste},
        {"cut", cut},
        {"delete", clearTail},
        {"insert row", [this] { Grid().SetFocusCell(2, kY), mPage.InsertSampleRow(); }},
        {"delete row", [this] { Grid().SetFocusCell(1, kY), mPage.DeleteSampleRow(); }},
        {"compact rows", [this] { mPage.CompactRows(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet().Fill({{"A", "40", "40", "20"}, {}, {"C", "10", "10", "80"}, {}, {"E", "", "", ""}});
        mPage.LookupAllRows();
        Grid().UndoStack().clear();
        const QString before = state();
        c.command();
        const QString after = state();
        EXPECT_NE(after, before);
        mPage.Undo();
        EXPECT_EQ(state(), before);
        mPage.Redo();
        EXPECT_EQ(state(), after);
        EXPECT_EQ(Grid().UndoStack().count(), 1);
    }
}

// The message names the scheme's axis, and the cell stays marked until it is corrected.
TEST_F(SheetGrid, RefusedTypedValueSaysWhyAndStaysMarked) {
    QSignalSpy status(&mPage, &CTexPoint::StatusMessage);
    Grid().SetFocusCell(1, kY);
    Press("20\t40%\n");
    EXPECT_EQ(Text(1, kZ), "40%");
    EXPECT_EQ(Text(1, kTexture), "{ Silt refused }");
    ASSERT_FALSE(status.isEmpty());
    EXPECT_EQ(status.last().at(0).toString(), "Silt must be a number from 0 to 100");
    const QModelIndex cell = Sheet().index(0, kZ);
    EXPECT_TRUE(Sheet().data(cell, Qt::BackgroundRole).isValid());
    Grid().SetFocusCell(1, kZ);
    Press("40\n");
    EXPECT_EQ(Text(1, kTexture), "Loam");
    EXPECT_FALSE(Sheet().data(cell, Qt::BackgroundRole).isValid());
    EXPECT_EQ(status.last().at(0).toString(), "");
}

// A double-click on a heading's edge fits the column to the longest text in it.
TEST_F(SheetGrid, DoubleClickOnAHeadingEdgeFitsTheColumn) {
    Sheet().setData(Sheet().index(700, kId), "A Sample ID far longer than the column is wide");
    const int before = Grid().columnWidth(kId);
    emit Grid().horizontalHeader()->sectionHandleDoubleClicked(kId);
    EXPECT_GT(Grid().columnWidth(kId), 2 * before);
}
