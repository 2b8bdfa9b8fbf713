#include "chart/labelplacer.h"

#include <algorithm>

LabelPlacer::LabelPlacer(const ChartRect& area, int cellSize)
    : mArea(area), mCellSize(std::max(1, cellSize)),
      mColumns(std::max(1, area.Width() / mCellSize + 1)),
      mRows(std::max(1, area.Height() / mCellSize + 1)),
      mCells(static_cast<std::size_t>(mColumns) * mRows) {}

LabelPlacer::Cells LabelPlacer::CellsOf(const TextBox& box) const {
    // Boxes reaching past the area (texts pushed against its edge) count in its edge cells.
    const auto column = [this](int x) {
        return std::clamp((x - mArea.left) / mCellSize, 0, mColumns - 1);
    };
    const auto row = [this](int y) {
        return std::clamp((y - mArea.top) / mCellSize, 0, mRows - 1);
    };
    return {column(box.left), column(box.right - 1), row(box.top), row(box.bottom - 1)};
}

void LabelPlacer::Take(const TextBox& box) {
    if (box.right <= box.left || box.bottom <= box.top)
        return;
    const int index = static_cast<int>(mTaken.size());
    mTaken.push_back(box);
    const Cells c = CellsOf(box);
    for (int row = c.firstRow; row <= c.lastRow; ++row)
        for (int column = c.firstColumn; column <= c.lastColumn; ++column)
            mCells[static_cast<std::size_t>(row) * mColumns + column].push_back(index);
}

bool LabelPlacer::IsFree(const TextBox& box) const {
    if (!box.Inside(mArea))
        return false;
    const Cells c = CellsOf(box);
    for (int row = c.firstRow; row <= c.lastRow; ++row)
        for (int column = c.firstColumn; column <= c.lastColumn; ++column)
            for (int index : mCells[static_cast<std::size_t>(row) * mColumns + column])
                if (mTaken[index].Overlaps(box))
                    return false;
    return true;
}

const TextBox* LabelPlacer::TakeFirstFree(const std::vector<TextBox>& candidates) {
    for (const TextBox& box : candidates) {
        if (IsFree(box)) {
            Take(box);
            return &mTaken.back();
        }
    }
    return nullptr;
}
