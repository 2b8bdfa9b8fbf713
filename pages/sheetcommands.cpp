#include "pages/sheetcommands.h"

#include "pages/samplegrid.h"

#include <algorithm>

CellsCommand::CellsCommand(SampleGrid& grid, std::vector<CellChange> changes, const QString& name,
                           bool applied)
    : QUndoCommand(name), mGrid(grid), mChanges(std::move(changes)), mApplied(applied),
      mLastBefore(grid.Sheet().LastDataRow()), mMarkedBefore(grid.Sheet().MarkedRow()) {}

void CellsCommand::redo() {
    if (!mApplied)
        mGrid.Sheet().SetTexts(mChanges, true);
    mApplied = false;
    Show(true);
}

void CellsCommand::undo() {
    mGrid.Sheet().SetTexts(mChanges, false);
    Show(false);
}

void CellsCommand::Show(bool after) {
    int top = SampleSheet::kRows, bottom = 1, left = SampleSheet::kZ,
        right = SampleSheet::kSampleId;
    int firstNumber = SampleSheet::kRows + 1, lastNumber = 0;
    for (const CellChange& change : mChanges) {
        top = std::min(top, change.row);
        bottom = std::max(bottom, change.row);
        left = std::min(left, change.column);
        right = std::max(right, change.column);
        if (SampleSheet::IsNumberColumn(change.column)) {
            firstNumber = std::min(firstNumber, change.row);
            lastNumber = std::max(lastNumber, change.row);
        }
    }
    mGrid.LookupRows(firstNumber, lastNumber);
    SampleSheet& sheet = mGrid.Sheet();
    if (!after) {
        sheet.RestoreLastDataRow(mLastBefore, mMarkedBefore);
    } else if (mLastAfter < 0) {
        sheet.UpdateLastDataRow(bottom);
        mLastAfter = sheet.LastDataRow();
        mMarkedAfter = sheet.MarkedRow();
    } else {
        sheet.RestoreLastDataRow(mLastAfter, mMarkedAfter);
    }
    if (top <= bottom)
        mGrid.SelectCells(top, left, bottom, right);
}

RowsCommand::RowsCommand(SampleGrid& grid, SampleSheet::Snapshot before,
                         std::function<bool()> command, const QString& name)
    : QUndoCommand(name), mGrid(grid), mBefore(std::move(before)), mCommand(std::move(command)),
      mFocusRow(std::max(1, grid.FocusRow())), mFocusColumn(grid.FocusColumn()) {}

void RowsCommand::redo() {
    const bool again = mRun;
    if (again)
        mCommand();
    mRun = true;
    mGrid.LookupRows(1, mGrid.Sheet().LastDataRow());
    if (again)
        mGrid.SetFocusCell(mFocusRow, mFocusColumn);
}

void RowsCommand::undo() {
    mGrid.Sheet().Restore(mBefore);
    mGrid.LookupRows(1, mGrid.Sheet().LastDataRow());
    mGrid.SetFocusCell(mFocusRow, mFocusColumn);
}
