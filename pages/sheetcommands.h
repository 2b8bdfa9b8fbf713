#pragma once

#include "pages/samplesheet.h"

#include <QUndoCommand>
#include <functional>
#include <vector>

class SampleGrid;

// Changed texts in cells (an edit, a paste, a cut, a clear) as one step of Undo. After the texts
// go in or back, the rows with a changed x, y or z are looked up again, the last data row is put
// where the change left it (or found it), and the cells are selected.
class CellsCommand : public QUndoCommand {
public:
    // applied: the sheet holds the after texts already (the cell editor stored them).
    CellsCommand(SampleGrid& grid, std::vector<CellChange> changes, const QString& name,
                 bool applied);
    void undo() override;
    void redo() override;

private:
    void Show(bool after);

    SampleGrid& mGrid;
    std::vector<CellChange> mChanges;
    bool mApplied;
    int mLastBefore, mMarkedBefore;
    int mLastAfter = -1, mMarkedAfter = 0;
};

// A row command (insert, delete, compact) as one step of Undo: undo puts back the sheet as it
// was before, redo runs the command again. Every row is looked up again either way.
class RowsCommand : public QUndoCommand {
public:
    // command has run once already; before is the sheet it found.
    RowsCommand(SampleGrid& grid, SampleSheet::Snapshot before, std::function<bool()> command,
                const QString& name);
    void undo() override;
    void redo() override;

private:
    SampleGrid& mGrid;
    SampleSheet::Snapshot mBefore;
    std::function<bool()> mCommand;
    int mFocusRow, mFocusColumn;
    bool mRun = false;
};
