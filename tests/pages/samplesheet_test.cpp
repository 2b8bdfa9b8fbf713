// The sheet's rows: where the last data row and its marker go as rows are edited, inserted,
// deleted and compacted, and what a fill from a file keeps.
#include "pages/samplesheet.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

// Sets Sample IDs as the user would, row by row, each followed by the last-row update.
void Type(SampleSheet& sheet, int row, const QString& id) {
    sheet.SetText(row, SampleSheet::kSampleId, id);
    sheet.UpdateLastDataRow(row);
}

// The sheet's Sample ID column as row -> id for the rows that hold data.
std::map<int, QString> Ids(const SampleSheet& sheet) {
    std::map<int, QString> ids;
    for (int row = 1; row <= SampleSheet::kRows; ++row) {
        if (sheet.HoldsData(row))
            ids[row] = sheet.Text(row, SampleSheet::kSampleId);
    }
    return ids;
}

// "L: N *": the last data row, then every number cell that shows the marker.
std::string Marks(const SampleSheet& sheet) {
    std::string marks = std::to_string(sheet.LastDataRow()) + ":";
    for (int row = 1; row <= SampleSheet::kRows; ++row) {
        if (sheet.Text(row, SampleSheet::kNumber).contains('*'))
            marks += " " + sheet.Text(row, SampleSheet::kNumber).toStdString();
    }
    return marks;
}

void FillIds(SampleSheet& sheet, std::initializer_list<int> rows, int last) {
    std::vector<SampleFields> fields(static_cast<std::size_t>(last));
    for (int row : rows)
        fields[std::size_t(row - 1)][0] = "r" + QString::number(row);
    sheet.Fill(fields);
}

} // namespace

TEST(SampleSheetMarker, FollowsTheLastDataRowDownAndUp) {
    SampleSheet sheet;
    Type(sheet, 10, "S10");
    EXPECT_EQ(Marks(sheet), "10: 10 *");
    Type(sheet, 3, "S3"); // above the last data row: nothing moves
    EXPECT_EQ(Marks(sheet), "10: 10 *");
    Type(sheet, 10, ""); // walks down to the next row with data
    EXPECT_EQ(Marks(sheet), "3: 3 *");
    Type(sheet, 3, ""); // nothing left: the walk stops at row 1, without a marker
    EXPECT_EQ(Marks(sheet), "1:");
}

TEST(SampleSheetMarker, WalkEmptiesTheTextureOfEmptyRows) {
    SampleSheet sheet;
    Type(sheet, 2, "S2");
    sheet.SetText(5, SampleSheet::kTexture, "Loam"); // left over from an earlier lookup
    sheet.UpdateLastDataRow(5);
    EXPECT_EQ(sheet.Text(5, SampleSheet::kTexture), "");
    EXPECT_EQ(Marks(sheet), "2: 2 *");
}

TEST(SampleSheetRows, InsertMovesRowsAndMarkerDown) {
    SampleSheet sheet;
    FillIds(sheet, {1, 2, 3, 4, 5}, 5);
    ASSERT_TRUE(sheet.InsertRow(3));
    EXPECT_EQ(Ids(sheet),
              (std::map<int, QString>{{1, "r1"}, {2, "r2"}, {4, "r3"}, {5, "r4"}, {6, "r5"}}));
    EXPECT_EQ(Marks(sheet), "6: 6 *");
}

TEST(SampleSheetRows, InsertAndDeleteApplyOnlyUpToTheLastDataRow) {
    SampleSheet sheet;
    EXPECT_FALSE(sheet.InsertRow(1)); // empty sheet
    EXPECT_FALSE(sheet.DeleteRow(1));
    FillIds(sheet, {2}, 2);
    EXPECT_FALSE(sheet.InsertRow(3));
    EXPECT_FALSE(sheet.DeleteRow(3));

    std::vector<SampleFields> full(SampleSheet::kRows, SampleFields{"id", "", "", ""});
    sheet.Fill(full);
    EXPECT_FALSE(sheet.InsertRow(1)); // a full sheet has no room
    EXPECT_EQ(sheet.LastDataRow(), SampleSheet::kRows);
}

TEST(SampleSheetRows, DeleteMovesRowsUpAndRecountsTheMarker) {
    SampleSheet sheet;
    FillIds(sheet, {1, 3, 6}, 6);
    ASSERT_TRUE(sheet.DeleteRow(6));
    EXPECT_EQ(Marks(sheet), "3: 3 *"); // recounted over the empty rows 4 and 5
    ASSERT_TRUE(sheet.DeleteRow(1));
    EXPECT_EQ(Ids(sheet), (std::map<int, QString>{{2, "r3"}}));
    EXPECT_EQ(Marks(sheet), "2: 2 *");
    ASSERT_TRUE(sheet.DeleteRow(1));
    ASSERT_TRUE(sheet.DeleteRow(1)); // the only row left: no last row, no marker
    EXPECT_EQ(Marks(sheet), "0:");
}

TEST(SampleSheetRows, CompactKeepsOrderAndTextureOfUnmovedRows) {
    SampleSheet sheet;
    FillIds(sheet, {1, 2, 5, 9}, 9);
    sheet.SetText(1, SampleSheet::kTexture, "Loam");
    sheet.SetText(5, SampleSheet::kTexture, "Sand");
    sheet.CompactRows();
    EXPECT_EQ(Ids(sheet), (std::map<int, QString>{{1, "r1"}, {2, "r2"}, {3, "r5"}, {4, "r9"}}));
    EXPECT_EQ(sheet.Text(1, SampleSheet::kTexture), "Loam"); // not moved
    EXPECT_EQ(sheet.Text(3, SampleSheet::kTexture), "");     // moved: looked up again later
    EXPECT_EQ(sheet.Text(5, SampleSheet::kTexture), "");
    EXPECT_EQ(Marks(sheet), "4: 4 *");
}

TEST(SampleSheetRows, EveryRowChangeCountsAsAnUnsavedChange) {
    SampleSheet sheet;
    FillIds(sheet, {1, 3}, 3);
    int changes = 0;
    QObject::connect(&sheet, &SampleSheet::ContentChanged, [&] { ++changes; });
    sheet.InsertRow(1);
    sheet.DeleteRow(1);
    sheet.CompactRows();
    sheet.SetText(1, SampleSheet::kSampleId, "new");
    EXPECT_EQ(changes, 4);
    sheet.SetText(1, SampleSheet::kTexture, "Loam"); // derived: not the file's content
    EXPECT_EQ(changes, 4);
}

// Which number texts pass is IsValidComposition's table; here: kept as typed, or refused unchanged.
TEST(SampleSheetEdits, OnlyIdAndNumberCellsTakeEditsAndOnlyChangesAreReported) {
    SampleSheet sheet;
    std::vector<std::pair<int, int>> edited;
    QObject::connect(&sheet, &SampleSheet::CellEdited,
                     [&](int row, int column) { edited.emplace_back(row, column); });
    const auto edit = [&sheet](int column, const char* text) {
        return sheet.setData(sheet.index(4, column), QString(text));
    };
    EXPECT_TRUE(edit(SampleSheet::kSampleId, "a, \"b\""));
    EXPECT_TRUE(edit(SampleSheet::kSampleId, "a, \"b\"")); // the same text: no edit
    EXPECT_TRUE(edit(SampleSheet::kX, " 1e1"));
    EXPECT_FALSE(edit(SampleSheet::kX, "100.5"));
    EXPECT_FALSE(edit(SampleSheet::kX, "12abc"));
    EXPECT_EQ(sheet.Text(5, SampleSheet::kX), " 1e1");
    EXPECT_TRUE(edit(SampleSheet::kX, ""));
    EXPECT_FALSE(edit(SampleSheet::kTexture, "Loam"));
    EXPECT_FALSE(edit(SampleSheet::kNumber, "7"));
    EXPECT_EQ(edited,
              (std::vector<std::pair<int, int>>{
                  {5, SampleSheet::kSampleId}, {5, SampleSheet::kX}, {5, SampleSheet::kX}}));
    EXPECT_FALSE(sheet.flags(sheet.index(0, SampleSheet::kTexture)) & Qt::ItemIsEditable);
    EXPECT_FALSE(sheet.flags(sheet.index(0, SampleSheet::kNumber)) & Qt::ItemIsSelectable);
}

TEST(SampleSheetFill, RejectedNumbersLeaveEmptyCellsAndEveryLineTakesARow) {
    SampleSheet sheet;
    sheet.Fill({{"S1", "45", "30", "25"},
                {"", "", "", ""},
                {"S2", "45", "abc", ""},
                {"S3", " 45", "45 ", "-1"}});
    EXPECT_EQ(Marks(sheet), "4: 4 *");
    EXPECT_EQ(sheet.Text(3, SampleSheet::kY), "");
    EXPECT_EQ(sheet.Text(4, SampleSheet::kX), " 45"); // a leading blank passes the number test
    EXPECT_EQ(sheet.Text(4, SampleSheet::kY), "");    // a trailing one does not
    EXPECT_EQ(sheet.Text(4, SampleSheet::kZ), "");
    EXPECT_FALSE(sheet.HoldsData(2));
}

TEST(SampleSheetFill, RowCompositionCompletesOneMissingValue) {
    const struct {
        const char *x, *y, *z;
        bool complete;
        double cx, cy, cz;
    } cases[] = {
        {"10", "30", "", true, 10, 30, 60}, // distinct values: a swapped column shows
        {"", "30", "20", true, 50, 30, 20},
        {"40", "", "", false, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SampleSheet sheet;
        sheet.SetText(1, SampleSheet::kX, c.x);
        sheet.SetText(1, SampleSheet::kY, c.y);
        sheet.SetText(1, SampleSheet::kZ, c.z);
        const auto composition = sheet.RowComposition(1);
        ASSERT_EQ(composition.has_value(), c.complete) << c.x << "," << c.y << "," << c.z;
        if (c.complete) {
            EXPECT_DOUBLE_EQ(composition->x, c.cx);
            EXPECT_DOUBLE_EQ(composition->y, c.cy);
            EXPECT_DOUBLE_EQ(composition->z, c.cz);
        }
    }
}
