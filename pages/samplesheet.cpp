#include "pages/samplesheet.h"

#include "scheme/samplelookup.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <algorithm>

namespace {

bool ValidNumberText(const QString& text) {
    return IsValidComposition(text.toStdString());
}

} // namespace

SampleSheet::SampleSheet(QObject* parent)
    : QAbstractTableModel(parent),
      mCells(kRows), mHeadings{"No.", "Sample ID", "x", "y", "z", "Texture"} {}

QString SampleSheet::Text(int row, int column) const {
    if (row < 1 || row > kRows || column < kNumber || column >= kColumns)
        return QString();
    if (column == kNumber)
        return row == mMarkedRow ? QString::number(row) + " *" : QString::number(row);
    return mCells[std::size_t(row - 1)][std::size_t(column - 1)];
}

void SampleSheet::SetText(int row, int column, const QString& text) {
    if (row < 1 || row > kRows || column <= kNumber || column >= kColumns)
        return;
    QString& cell = mCells[std::size_t(row - 1)][std::size_t(column - 1)];
    if (cell == text)
        return;
    cell = text;
    EmitCellChanged(row, column);
    if (column != kTexture)
        emit ContentChanged();
}

void SampleSheet::SetTexts(const std::vector<CellChange>& changes, bool after) {
    if (changes.empty())
        return;
    int top = kRows, bottom = 1, left = kZ, right = kSampleId;
    for (const CellChange& change : changes) {
        if (change.row < 1 || change.row > kRows || !IsEditableColumn(change.column))
            continue;
        mCells[std::size_t(change.row - 1)][std::size_t(change.column - 1)] =
            after ? change.after : change.before;
        top = std::min(top, change.row);
        bottom = std::max(bottom, change.row);
        left = std::min(left, change.column);
        right = std::max(right, change.column);
    }
    if (top > bottom)
        return;
    emit dataChanged(index(top - 1, left), index(bottom - 1, right));
    emit ContentChanged();
}

bool SampleSheet::HoldsData(int row) const {
    const Row& cells = mCells[std::size_t(row - 1)];
    return std::any_of(cells.begin(), cells.begin() + (kTexture - 1),
                       [](const QString& text) { return !text.isEmpty(); });
}

bool SampleSheet::IsRefused(int row, int column) const {
    return IsNumberColumn(column) && !ValidNumberText(Text(row, column));
}

int SampleSheet::RefusedColumn(int row) const {
    for (int column = kX; column <= kZ; ++column) {
        if (IsRefused(row, column))
            return column;
    }
    return 0;
}

QString SampleSheet::RefusalText(int column) const {
    return mHeadings[std::size_t(column)] + " must be a number from 0 to 100";
}

std::optional<Composition> SampleSheet::RowComposition(int row) const {
    if (RefusedColumn(row) != 0)
        return std::nullopt;
    const auto value = [&](int column) { return CellValue(Text(row, column).toStdString()); };
    return CompleteRow(value(kX), value(kY), value(kZ));
}

void SampleSheet::SetAxisNames(const QString& x, const QString& y, const QString& z) {
    mHeadings[kX] = x;
    mHeadings[kY] = y;
    mHeadings[kZ] = z;
    emit headerDataChanged(Qt::Horizontal, kX, kZ);
}

void SampleSheet::SetTextureNotes(std::function<CertaintyNote(int row)> source) {
    mNotes = std::move(source);
    RefreshTextures(1, kRows);
}

void SampleSheet::RefreshTextures(int first, int last) {
    first = std::max(first, 1);
    last = std::min(last, kRows);
    if (first <= last)
        emit dataChanged(index(first - 1, kTexture), index(last - 1, kTexture));
}

void SampleSheet::Clear() {
    beginResetModel();
    for (Row& cells : mCells)
        cells.fill(QString());
    mLastDataRow = 0;
    mMarkedRow = 0;
    endResetModel();
}

void SampleSheet::Fill(const std::vector<SampleFields>& rows) {
    beginResetModel();
    for (Row& cells : mCells)
        cells.fill(QString());
    const int count = int(std::min<std::size_t>(rows.size(), kRows));
    for (int i = 0; i < count; ++i) {
        const SampleFields& fields = rows[std::size_t(i)];
        Row& cells = mCells[std::size_t(i)];
        cells[kSampleId - 1] = fields[0];
        for (int column = kX; column <= kZ; ++column)
            cells[std::size_t(column - 1)] = fields[std::size_t(column - 1)];
    }
    mLastDataRow = count;
    mMarkedRow = count;
    endResetModel();
    emit ContentChanged();
}

void SampleSheet::MarkRow(int row) {
    const int old = mMarkedRow;
    mMarkedRow = row;
    if (old > 0)
        EmitCellChanged(old, kNumber);
    if (row > 0)
        EmitCellChanged(row, kNumber);
}

void SampleSheet::SetLastDataRow(int row) {
    mLastDataRow = std::clamp(row, 0, kRows);
    MarkRow(mLastDataRow);
}

int SampleSheet::RecountLastDataRow() {
    int row = kRows;
    while (row >= 1 && !HoldsData(row))
        --row;
    mLastDataRow = row;
    return row;
}

void SampleSheet::UpdateLastDataRow(int row) {
    if (row < mLastDataRow || row > kRows)
        return;
    for (; row >= 1; --row) {
        if (HoldsData(row)) {
            SetLastDataRow(row);
            return;
        }
        SetText(row, kTexture, QString());
        if (mMarkedRow == row)
            MarkRow(0);
        mLastDataRow = row;
    }
}

bool SampleSheet::InsertRow(int row) {
    if (mLastDataRow == kRows || row < 1 || row > mLastDataRow)
        return false;
    // Row 1000 is empty while the sheet is not full, so dropping it loses nothing.
    beginResetModel();
    mCells.pop_back();
    mCells.insert(mCells.begin() + (row - 1), Row());
    mLastDataRow += 1;
    mMarkedRow = mLastDataRow;
    endResetModel();
    emit ContentChanged();
    return true;
}

bool SampleSheet::DeleteRow(int row) {
    if (row < 1 || row > mLastDataRow)
        return false;
    beginResetModel();
    mCells.erase(mCells.begin() + (row - 1));
    mCells.emplace_back();
    mMarkedRow = RecountLastDataRow();
    endResetModel();
    emit ContentChanged();
    return true;
}

bool SampleSheet::CompactRows() {
    int kept = 0;
    bool moved = false;
    for (int row = 1; row <= mLastDataRow; ++row) {
        if (!HoldsData(row))
            continue;
        ++kept;
        if (kept == row)
            continue;
        Row& from = mCells[std::size_t(row - 1)];
        Row& to = mCells[std::size_t(kept - 1)];
        std::move(from.begin(), from.begin() + (kTexture - 1), to.begin());
        to[kTexture - 1].clear();
        from.fill(QString());
        moved = true;
    }
    if (moved) {
        emit dataChanged(index(0, 0), index(kRows - 1, kColumns - 1));
        emit ContentChanged();
    }
    const bool changed = moved || kept != mLastDataRow || kept != mMarkedRow;
    SetLastDataRow(kept);
    return changed;
}

void SampleSheet::Restore(const Snapshot& snapshot) {
    beginResetModel();
    mCells = snapshot.cells;
    mLastDataRow = snapshot.lastDataRow;
    mMarkedRow = snapshot.markedRow;
    endResetModel();
    emit ContentChanged();
}

void SampleSheet::RestoreLastDataRow(int lastDataRow, int markedRow) {
    mLastDataRow = lastDataRow;
    MarkRow(markedRow);
}

std::vector<std::array<QString, 5>> SampleSheet::DataRows() const {
    return {mCells.begin(), mCells.begin() + mLastDataRow};
}

void SampleSheet::EmitCellChanged(int row, int column) {
    const QModelIndex cell = index(row - 1, column);
    emit dataChanged(cell, cell);
}

int SampleSheet::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kRows;
}

int SampleSheet::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant SampleSheet::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return QVariant();
    if (index.column() == kTexture && mNotes &&
        (role == Qt::DisplayRole || role == Qt::ToolTipRole)) {
        const QString text = Text(index.row() + 1, kTexture);
        const CertaintyNote note = text.isEmpty() ? CertaintyNote() : mNotes(index.row() + 1);
        if (role == Qt::ToolTipRole)
            return note.shares.isEmpty() ? QVariant() : QVariant(note.shares);
        return note.brief.isEmpty() ? text : text + "   " + note.brief;
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return Text(index.row() + 1, index.column());
    // The number column stands beside the cells like a heading.
    if (role == Qt::BackgroundRole && index.column() == kNumber)
        return QGuiApplication::palette().button();
    if (role == Qt::ForegroundRole && index.column() == kNumber)
        return QGuiApplication::palette().buttonText();
    // A refused value stays in sight until it is corrected.
    if (IsNumberColumn(index.column()) &&
        (role == Qt::BackgroundRole || role == Qt::ForegroundRole || role == Qt::ToolTipRole) &&
        IsRefused(index.row() + 1, index.column())) {
        if (role == Qt::ToolTipRole)
            return RefusalText(index.column());
        return role == Qt::BackgroundRole ? QColor(255, 214, 214) : QColor(160, 0, 0);
    }
    return QVariant();
}

QVariant SampleSheet::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal && section >= 0 && section < kColumns)
        return mHeadings[std::size_t(section)];
    return QString::number(section + 1);
}

Qt::ItemFlags SampleSheet::flags(const QModelIndex& index) const {
    if (!index.isValid() || index.column() == kNumber)
        return Qt::ItemIsEnabled;
    if (index.column() == kTexture)
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool SampleSheet::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || !IsEditableColumn(index.column()))
        return false;
    const QString text = value.toString();
    const int row = index.row() + 1;
    const QString before = Text(row, index.column());
    if (before == text)
        return true;
    SetText(row, index.column(), text);
    emit CellEdited(row, index.column(), before);
    return true;
}
