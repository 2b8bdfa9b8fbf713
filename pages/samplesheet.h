#pragma once

#include "pages/rowcertainty.h"
#include "scheme/samplelookup.h"

#include <QAbstractTableModel>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

// The texts of one sample row as a file holds them: Sample ID, x, y, z.
using SampleFields = std::array<QString, 4>;

// One cell's text before and after a change (rows 1 to 1000, columns 1 to 4).
struct CellChange {
    int row;
    int column;
    QString before;
    QString after;
};

// The cells of the Point Lookup sheet: 1000 data rows of six columns ("No.", "Sample ID", the
// three axes, "Texture") and the last data row with its " *" marker. Numbers are kept as the text
// that was typed, pasted or read. Rows are numbered 1 to 1000 here, as the user sees them; the
// model's own row index is one less.
class SampleSheet : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kRows = 1000;
    enum Column { kNumber, kSampleId, kX, kY, kZ, kTexture, kColumns };

    explicit SampleSheet(QObject* parent = nullptr);

    // Texts of columns 1 to 5; column 0 gives the row number and its marker.
    QString Text(int row, int column) const;
    // Stores text in column 1 to 5 unchecked (pastes, lookups, files). A change in columns 1 to 4
    // emits ContentChanged.
    void SetText(int row, int column, const QString& text);
    // Stores the after (or, for undo, the before) texts of changes with one repaint and one
    // ContentChanged for them all.
    void SetTexts(const std::vector<CellChange>& changes, bool after);
    // True when any of columns 1 to 4 is not empty.
    bool HoldsData(int row) const;
    // True for an x, y or z cell whose text is not a number from 0 to 100: an edit or paste
    // keeps such a text so that it can be corrected, and the row is not classified.
    bool IsRefused(int row, int column) const;
    // The first refused column of row, or 0.
    int RefusedColumn(int row) const;
    // "Sand must be a number from 0 to 100", with the column's heading.
    QString RefusalText(int column) const;
    // The row's x, y and z completed as a lookup takes them (an empty or non-number cell, or a
    // negative value, is missing; one missing value is 100 minus the others); nothing when two
    // or more are missing or a value is refused.
    std::optional<Composition> RowComposition(int row) const;
    // The headings of columns 2 to 4.
    void SetAxisNames(const QString& x, const QString& y, const QString& z);

    // Shows each row's note from source after its Texture, and the note's shares as the Texture
    // cell's tooltip; an empty function shows none. Text(), files, copies and printing keep
    // the Texture alone.
    void SetTextureNotes(std::function<CertaintyNote(int row)> source);
    // Repaints the Texture cells of rows first to last, whose notes may have changed.
    void RefreshTextures(int first, int last);

    // Every cell empty, no last data row and no marker; the headings stay.
    void Clear();
    // Clear, then the rows in order from row 1 (at most 1000), every text as read: an x, y or z
    // that is not a number within 0 to 100 is kept and marked, as an edit keeps it. The last
    // data row is the last row filled, marked.
    void Fill(const std::vector<SampleFields>& rows);

    // The highest row counted as holding data; 0 for none. Saving, printing, lookups and the
    // chart cover rows 1 to this one.
    int LastDataRow() const { return mLastDataRow; }
    // The row that shows the " *" marker, 0 for none. It is the last data row except after a
    // walk down over empty rows that ends at row 1.
    int MarkedRow() const { return mMarkedRow; }
    // After a change in row: when row is at or after the last data row, walks down from it over
    // empty rows (emptying their Texture) to the nearest row that holds data and marks that one.
    // When every row down to 1 is empty the last data row ends at 1 without a marker.
    void UpdateLastDataRow(int row);
    // The highest row that holds data, 0 for none; sets no marker.
    int RecountLastDataRow();
    // Moves the last data row and its marker to row (0: none).
    void SetLastDataRow(int row);

    // Inserts an empty row before row, moving the rows below down; only while the sheet is not
    // full and row is at most the last data row. The last data row moves down by one.
    bool InsertRow(int row);
    // Deletes row, moving the rows below up; only for rows up to the last data row.
    bool DeleteRow(int row);
    // Moves the rows that hold data up over the empty ones, keeping their order; a moved row's
    // Texture is emptied. The last data row becomes the count of data rows. False when nothing
    // changed.
    bool CompactRows();

    // Everything the row commands change, for their undo: the cells and the last data row.
    struct Snapshot {
        std::vector<std::array<QString, kColumns - 1>> cells;
        int lastDataRow = 0;
        int markedRow = 0;
    };
    Snapshot TakeSnapshot() const { return {mCells, mLastDataRow, mMarkedRow}; }
    void Restore(const Snapshot& snapshot);
    // Puts the last data row and its marker back as an undone edit found them.
    void RestoreLastDataRow(int lastDataRow, int markedRow);

    // Rows 1 to the last data row, columns 1 to 5, for saving.
    std::vector<std::array<QString, 5>> DataRows() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // An edit from the grid's editor: columns 1 to 4 take any text (a refused number is kept and
    // marked, see IsRefused). A changed text emits CellEdited with the text it replaced.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    static bool IsEditableColumn(int column) { return column >= kSampleId && column <= kZ; }
    static bool IsNumberColumn(int column) { return column >= kX && column <= kZ; }

signals:
    // The user's edit of (row, column) was stored; before is the text it replaced.
    void CellEdited(int row, int column, const QString& before);
    // Something the file holds changed: a text in columns 1 to 4, or rows moved.
    void ContentChanged();

private:
    using Row = std::array<QString, kColumns - 1>; // columns 1 to 5
    void EmitCellChanged(int row, int column);
    void MarkRow(int row);

    std::vector<Row> mCells;
    std::array<QString, kColumns> mHeadings;
    int mLastDataRow = 0;
    int mMarkedRow = 0;
    std::function<CertaintyNote(int row)> mNotes;
};
