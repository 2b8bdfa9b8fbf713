#include "pages/pointmenustate.h"

#include "pages/samplegrid.h"

namespace {

bool EditableTextIn(const SampleSheet& sheet, const CellRange& range) {
    for (int row = range.top; row <= range.bottom; ++row) {
        for (int column = range.left; column <= range.right; ++column) {
            if (SampleSheet::IsEditableColumn(column) && !sheet.Text(row, column).isEmpty())
                return true;
        }
    }
    return false;
}

} // namespace

PointMenuState EditMenuState(const SampleGrid& grid) {
    PointMenuState state;
    const int row = grid.FocusRow();
    const int last = grid.Sheet().LastDataRow();
    const CellRange range = grid.Selected();
    const bool hasText =
        range.IsSingle() ? !grid.FocusText().isEmpty() : EditableTextIn(grid.Sheet(), range);
    state.copy = row > 0 && (hasText || !range.IsSingle());
    state.insertRow = row > 0 && last != SampleSheet::kRows && row <= last;
    state.deleteRow = row > 0 && row <= last;
    if (grid.FocusIsEditable()) {
        state.cut = hasText;
        state.clear = hasText;
        state.paste = grid.CanPaste();
    }
    state.undo = grid.UndoStack().canUndo();
    state.redo = grid.UndoStack().canRedo();
    return state;
}
