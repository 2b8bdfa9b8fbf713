#pragma once

#include "pages/samplesheet.h"

#include <QFont>
#include <QTableView>
#include <QUndoStack>
#include <functional>

// A rectangle of cells in sheet rows (1 to 1000) and columns.
struct CellRange {
    int top = 0, left = 0, bottom = 0, right = 0;
    bool IsSingle() const { return top == bottom && left == right; }
};

// The sheet on screen, used as a spreadsheet: Enter commits and moves down (Shift+Enter up), Tab
// and Shift+Tab move over the editable columns and wrap to the next row's Sample ID. One
// rectangle of cells can be selected; cut, copy, paste and delete work on it through the system
// clipboard as tab-separated text (one cell alone as its plain text). Ctrl+X, Ctrl+C
// (Ctrl+Insert), Ctrl+V (Shift+Insert) and Del are handled here. Every change goes through the
// grid's undo stack.
class SampleGrid : public QTableView {
    Q_OBJECT
public:
    explicit SampleGrid(QWidget* parent = nullptr);
    ~SampleGrid() override;

    SampleSheet& Sheet() { return mSheet; }
    const SampleSheet& Sheet() const { return mSheet; }
    QUndoStack& UndoStack() { return mUndo; }
    const QUndoStack& UndoStack() const { return mUndo; }

    // What looks rows first to last up after their values changed; none: nothing is looked up.
    void SetLookup(std::function<void(int first, int last)> lookup) { mLookup = std::move(lookup); }
    void LookupRows(int first, int last);

    // "Arial" with a character height of 11 pixels.
    static QFont SheetFont();

    // The focus cell as sheet row (1 to 1000) and column; row 0 when there is none.
    int FocusRow() const;
    int FocusColumn() const;
    void SetFocusCell(int row, int column);
    QString FocusText() const;
    bool FocusIsEditable() const;
    bool IsEditing() const;
    // Commits the text in the cell editor, if one is open, as an edit.
    void EndEdit();
    // Makes row visible with the focus on its Sample ID.
    void GoToRow(int row);
    // The selected rectangle; the focus cell alone when nothing else is selected. All 0 when
    // there is no focus cell.
    CellRange Selected() const;
    // Selects the rectangle with the focus on its top left cell.
    void SelectCells(int top, int left, int bottom, int right);

    // The clipboard commands on the selection. Copy of one cell puts its text (an empty one
    // too); of several, their rows as tab-separated text. Cut and Delete empty the editable
    // cells. Paste puts the clipboard's block from the selection's top left cell on (or the one
    // value into every selected cell); x, y and z are checked as if typed and refused values
    // are listed in StatusMessage. One cell with one value pastes as before: into x, y or z
    // only a text that is wholly a number.
    void Cut();
    void Copy();
    void Paste();
    void DeleteCells();
    // True when Paste would change cells with what the clipboard holds now.
    bool CanPaste() const;
    // Applies changes (those that change nothing are dropped) as one step of Undo named name;
    // the status bar gets the refused values and note.
    void ApplyChanges(std::vector<CellChange> changes, const QString& name,
                      const QString& note = QString());
    // Runs a row command that changes the sheet when it answers true, as one step of Undo.
    void RunRowCommand(const QString& name, const std::function<bool()>& command);
    // Moves the focus one cell as Enter, Shift+Enter, Tab and Shift+Tab do.
    enum class Move { Down, Up, Next, Previous };
    void MoveFocus(Move move);

signals:
    // The right button went down on a cell (now the focus cell); globalPos is where.
    void GridMenuRequested(const QPoint& globalPos);
    // What the status bar should say after a change: refused values, or "" for nothing.
    void StatusMessage(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

private:
    void OnCellEdited(int row, int column, const QString& before);
    // The changes a paste of the clipboard's text makes; note tells what had no room.
    std::vector<CellChange> PasteChanges(const QString& text, QString* note) const;
    // "Sand must be a number from 0 to 100" for one refused value, a list for several; "" for
    // none.
    QString RefusalMessage(const std::vector<CellChange>& changes) const;

    SampleSheet mSheet;
    QUndoStack mUndo;
    std::function<void(int, int)> mLookup;
};
