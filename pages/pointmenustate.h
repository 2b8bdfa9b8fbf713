#pragma once

class SampleGrid;

// Which of the sheet's editing commands apply to the focus cell now: the Point menu and the
// grid's right-button menu are greyed from this each time they open.
struct PointMenuState {
    bool cut = false;
    bool copy = false;
    bool paste = false;
    bool clear = false; // Delete
    bool insertRow = false;
    bool deleteRow = false;
    bool undo = false;
    bool redo = false;
};

// With one cell selected: Copy needs a focus cell with text; Cut and Delete an editable one with
// text; Paste an editable one and clipboard text it would take. With several: Copy always, Cut
// and Delete when an editable cell holds text, Paste when the focus cell is editable and the
// clipboard holds text. Insert Row needs a focus row up to the last data row of a sheet that is
// not full; Delete Row a focus row up to the last data row; Undo and Redo a step to take.
PointMenuState EditMenuState(const SampleGrid& grid);
