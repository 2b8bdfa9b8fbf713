#include "pages/pointmenustate.h"

#include "pages/samplegrid.h"

PointMenuState EditMenuState(const SampleGrid& grid) {
    PointMenuState state;
    const int row = grid.FocusRow();
    const int last = grid.Sheet().LastDataRow();
    const bool hasText = !grid.FocusText().isEmpty();
    state.copy = row > 0 && hasText;
    state.insertRow = row > 0 && last != SampleSheet::kRows && row <= last;
    state.deleteRow = row > 0 && row <= last;
    if (grid.FocusIsEditable()) {
        state.cut = hasText;
        state.clear = hasText;
        state.paste = grid.CanPaste();
    }
    return state;
}
