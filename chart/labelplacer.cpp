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

void LabelSpots(DevicePoint p, TextSize size, int radius, std::vector<TextBox>* spots) {
    const int w = size.width;
    const int h = size.height;
    spots->clear();
    for (const int out : {0, h}) {
        const int above = p.y - static_cast<int>(1.25 * h) - out;
        const int below = p.y + h / 4 + out;
        const int middle = p.y - h / 2;
        const int right = p.x + radius + h / 4 + out;
        const int left = p.x - radius - h / 4 - w - out;
        const int centre = p.x - w / 2;
        for (const auto& [x, y] : {std::pair{centre, above},
                                   {centre, below},
                                   {right, middle},
                                   {left, middle},
                                   {right, above},
                                   {left, above},
                                   {right, below},
                                   {left, below}})
            spots->push_back({x, y, x + w, y + h});
    }
}

void DrawSampleLabels(DrawTarget& target, const ChartModel& model, const ChartLayout& layout,
                      int radius, LabelPlacer& placer) {
    const bool labelled = model.mbDataLabels && !model.mLabels.empty() &&
                          model.mLabels.size() == model.mPoints.size();
    if (!labelled)
        return;
    std::vector<TextBox> spots;
    const int lineHeight = target.MeasureText("0").height;
    for (std::size_t k = 0; k < model.mPoints.size(); ++k) {
        const std::string& label = model.mLabels[k];
        if (label.empty())
            continue;
        const DevicePoint p = MapToDevice(layout, model.mPoints[k].x, model.mPoints[k].y);
        // Where not even the thinnest text has room (a crowded part of a large set), the
        // label is not measured at all.
        LabelSpots(p, {1, lineHeight}, radius, &spots);
        if (std::none_of(spots.begin(), spots.end(),
                         [&placer](const TextBox& b) { return placer.IsFree(b); }))
            continue;
        LabelSpots(p, target.MeasureText(label), radius, &spots);
        if (const TextBox* box = placer.TakeFirstFree(spots))
            target.Text({box->left, box->top}, label);
    }
}
