// The sheet's rows: the last data row and its marker through edits and row commands, and fills.
#include "pages/samplesheet.h"

#include <gtest/gtest.h>
#include <string>

namespace {

constexpr int kId = SampleSheet::kSampleId, kTexture = SampleSheet::kTexture;

// Sets a Sample ID as the user would: followed by the last-row update.
void Type(SampleSheet& sheet, int row, const QString& id) {
    sheet.SetText(row, kId, id);
    sheet.UpdateLastDataRow(row);
}

// "L: ids | N *": the last data row, the rows holding data as "row=id", and every marked number.
std::string Rows(const SampleSheet& sheet) {
    std::string ids, marks;
    for (int row = 1; row <= SampleSheet::kRows; ++row) {
        if (sheet.HoldsData(row))
            ids += " " + std::to_string(row) + "=" + sheet.Text(row, kId).toStdString();
        if (sheet.Text(row, SampleSheet::kNumber).contains('*'))
            marks += " " + sheet.Text(row, SampleSheet::kNumber).toStdString();
    }
    return std::to_string(sheet.LastDataRow()) + ":" + ids + " |" + marks;
}

// Rows 1 to last, with ids "r<row>" in the given rows.
void FillIds(SampleSheet& sheet, std::initializer_list<int> rows, int last) {
    std::vector<SampleFields> fields(static_cast<std::size_t>(last));
    for (int row : rows)
        fields[std::size_t(row - 1)][0] = "r" + QString::number(row);
    sheet.Fill(fields);
}

} // namespace

TEST(SampleSheetMarker, FollowsTheLastDataRowDownAndUpAndEmptiesPassedTextures) {
    SampleSheet sheet;
    Type(sheet, 10, "S10");
    Type(sheet, 3, "S3"); // above the last data row: nothing moves
    EXPECT_EQ(Rows(sheet), "10: 3=S3 10=S10 | 10 *");
    sheet.SetText(7, kTexture, "Loam"); // left over from an earlier lookup
    Type(sheet, 10, "");                // walks down to the next row with data
    EXPECT_EQ(Rows(sheet), "3: 3=S3 | 3 *");
    EXPECT_EQ(sheet.Text(7, kTexture), "");
    Type(sheet, 3, ""); // nothing left: the walk stops at row 1, without a marker
    EXPECT_EQ(Rows(sheet), "1: |");
}

// Each change counts as unsaved; refused commands and the derived Texture do not.
TEST(SampleSheetRows, InsertDeleteAndCompactMoveRowsAndMarkerAndCountAsChanges) {
    SampleSheet sheet;
    int changes = 0;
    QObject::connect(&sheet, &SampleSheet::ContentChanged, [&] { ++changes; });
    EXPECT_FALSE(sheet.InsertRow(1)); // empty sheet
    EXPECT_FALSE(sheet.DeleteRow(1));
    FillIds(sheet, {1, 3, 6}, 6);
    EXPECT_FALSE(sheet.InsertRow(7)); // only up to the last data row
    EXPECT_FALSE(sheet.DeleteRow(7));
    ASSERT_TRUE(sheet.InsertRow(3));
    EXPECT_EQ(Rows(sheet), "7: 1=r1 4=r3 7=r6 | 7 *");
    ASSERT_TRUE(sheet.DeleteRow(7)); // recounted over the empty rows 5 and 6
    EXPECT_EQ(Rows(sheet), "4: 1=r1 4=r3 | 4 *");
    ASSERT_TRUE(sheet.DeleteRow(1));
    ASSERT_TRUE(sheet.DeleteRow(3));
    EXPECT_EQ(Rows(sheet), "0: |");

    FillIds(sheet, {1, 2, 5, 9}, 9);
    sheet.SetText(1, kTexture, "Loam");
    sheet.SetText(5, kTexture, "Sand");
    sheet.CompactRows();
    EXPECT_EQ(Rows(sheet), "4: 1=r1 2=r2 3=r5 4=r9 | 4 *");
    EXPECT_EQ(sheet.Text(1, kTexture), "Loam"); // not moved
    EXPECT_EQ(sheet.Text(3, kTexture), "");     // moved: looked up again later
    EXPECT_EQ(sheet.Text(5, kTexture), "");

    sheet.Fill(std::vector<SampleFields>(SampleSheet::kRows, SampleFields{"id", "", "", ""}));
    EXPECT_FALSE(sheet.InsertRow(1)); // a full sheet has no room
    EXPECT_EQ(sheet.LastDataRow(), SampleSheet::kRows);
    EXPECT_EQ(changes, 8); // three fills, an insert, three deletes and a compact
}

// Which numbers pass is IsValidComposition's table. A refused number is kept, marked, and keeps
// the row from a composition; an unchanged text is no edit; No. and Texture take no edits.
TEST(SampleSheetEdits, RefusedNumbersAreKeptMarkedAndOnlyChangesAreReported) {
    SampleSheet sheet;
    int edited = 0;
    QObject::connect(&sheet, &SampleSheet::CellEdited, [&] { ++edited; });
    const auto edit = [&sheet](int column, const char* text) {
        return sheet.setData(sheet.index(4, column), QString(text));
    };
    EXPECT_TRUE(edit(kId, "a, \"b\"") && edit(kId, "a, \"b\"") && edit(SampleSheet::kY, " 1e1") &&
                edit(SampleSheet::kZ, "50"));
    EXPECT_FALSE(edit(kTexture, "Loam") || edit(SampleSheet::kNumber, "7"));
    EXPECT_TRUE(sheet.RowComposition(5).has_value()); // x is missing: 100 - 10 - 50
    for (const char* refused : {"100.5", "12abc", "-5"}) {
        EXPECT_TRUE(edit(SampleSheet::kX, refused));
        EXPECT_EQ(sheet.Text(5, SampleSheet::kX), refused);
        EXPECT_EQ(sheet.RefusedColumn(5), SampleSheet::kX) << refused;
        EXPECT_FALSE(sheet.RowComposition(5).has_value()) << refused;
        EXPECT_EQ(sheet.data(sheet.index(4, SampleSheet::kX), Qt::ToolTipRole).toString(),
                  "x must be a number from 0 to 100");
    }
    EXPECT_TRUE(edit(SampleSheet::kX, "100.0000005")); // within the tolerance: corrected
    EXPECT_EQ(sheet.RefusedColumn(5), 0);
    EXPECT_FALSE(sheet.data(sheet.index(4, SampleSheet::kX), Qt::ToolTipRole).isValid());
    EXPECT_EQ(edited, 7);
}

// A file's refused numbers stay as read and marked, as typed ones do, so Save writes them back.
TEST(SampleSheetFill, FillKeepsRefusedNumbersAsReadAndEveryLineTakesARow) {
    SampleSheet sheet;
    sheet.Fill(
        {{"S1", "45", "30", "25"}, {}, {"S2", "45", "abc", ""}, {"S3", " 45", "45 ", "120"}});
    EXPECT_EQ(Rows(sheet), "4: 1=S1 3=S2 4=S3 | 4 *");
    EXPECT_EQ(sheet.Text(3, SampleSheet::kY) + "|" + sheet.Text(4, SampleSheet::kZ), "abc|120");
    EXPECT_EQ(sheet.RefusedColumn(3), SampleSheet::kY);
    EXPECT_EQ(sheet.RefusedColumn(4), SampleSheet::kZ);
    EXPECT_EQ(sheet.RefusedColumn(1), 0);
    // Blanks around a number are no part of it; the text is kept as read.
    EXPECT_EQ(sheet.Text(4, SampleSheet::kX) + "|" + sheet.Text(4, SampleSheet::kY), " 45|45 ");
    EXPECT_EQ(sheet.DataRows()[2][2], "abc");
}
