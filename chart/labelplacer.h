#pragma once

#include "chart/chartgeometry.h"

#include <vector>

// Keeps the chart's texts apart: remembers the boxes already taken (axis texts, class numbers,
// legend, labels placed so far) and finds a free spot for each new label. Boxes are looked up
// through a grid of cells, so placing a label costs the same however many are placed.
class LabelPlacer {
public:
    // Texts must lie inside area; cellSize (logical units, about a text line) sets the grid.
    LabelPlacer(const ChartRect& area, int cellSize);

    void Take(const TextBox& box);
    // Inside the area and overlapping no box taken.
    bool IsFree(const TextBox& box) const;
    // The first free box of candidates, taken; nullptr when none is free.
    const TextBox* TakeFirstFree(const std::vector<TextBox>& candidates);

private:
    struct Cells {
        int firstColumn, lastColumn, firstRow, lastRow;
    };
    Cells CellsOf(const TextBox& box) const;

    ChartRect mArea;
    int mCellSize;
    int mColumns;
    int mRows;
    std::vector<TextBox> mTaken;
    std::vector<std::vector<int>> mCells; // indices into mTaken, row by row
};

// Where a label of the given size may go near its marker (radius in logical units) at p, best
// first: centred above it (the classic place), below it, beside it, at its four corners; then
// the same a text line farther out.
void LabelSpots(DevicePoint p, TextSize size, int radius, std::vector<TextBox>* spots);

// Draws each sample's label (model.mLabels, when mbDataLabels and one a point) at the first spot
// near its point that placer has free, taking it; a label with no free spot is left out rather
// than drawn over another text.
void DrawSampleLabels(DrawTarget& target, const ChartModel& model, const ChartLayout& layout,
                      int radius, LabelPlacer& placer);
