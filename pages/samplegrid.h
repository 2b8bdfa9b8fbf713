#pragma once

#include "pages/samplesheet.h"

#include <QFont>
#include <QTableView>

// The sheet on screen: one focus cell (no range selection), the "No." column fixed beside the
// cells, and cut, copy, paste and clear of the focus cell through the system clipboard as plain
// text. Ctrl+X, Ctrl+C (Ctrl+Insert), Ctrl+V (Shift+Insert) and Del are handled here.
class SampleGrid : public QTableView {
    Q_OBJECT
public:
    explicit SampleGrid(QWidget* parent = nullptr);
    ~SampleGrid() override;

    SampleSheet& Sheet() { return mSheet; }
    const SampleSheet& Sheet() const { return mSheet; }

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

    // The clipboard commands on the focus cell. Copy also works on the Texture column and puts an
    // empty text for an empty cell; the others need an editable focus cell. Paste into x, y or z
    // takes only a text that is wholly a number (of any value); into Sample ID any text.
    void Cut();
    void Copy();
    void Paste();
    // Empties the focus cell as an edit would.
    void ClearFocusCell();
    // True when Paste would change the focus cell with what the clipboard holds now.
    bool CanPaste() const;

signals:
    // The user changed (row, column) by editing, cutting, pasting or clearing it.
    void CellChanged(int row, int column);
    // The right button went down on a cell (now the focus cell); globalPos is where.
    void GridMenuRequested(const QPoint& globalPos);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

private:
    // Stores text in the focus cell outside the edit path (cut, paste) and reports it.
    void ReplaceFocusText(const QString& text);

    SampleSheet mSheet;
};
