#include "pages/samplegrid.h"

#include "pages/sheetcommands.h"
#include "pages/tabtext.h"
#include "util/numbertext.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace {

constexpr int kNumberWidth = 40;
constexpr int kCellWidth = 80;
constexpr int kUndoSteps = 100;
// More refusals than this are counted, not listed.
constexpr int kListedRefusals = 4;

bool IsWholeNumber(const QString& text) {
    double value = 0;
    return numbertext::ParseWhole(text.toStdString(), &value);
}

// The clipboard's plain text, or nothing when it holds none.
bool ClipboardText(QString* text) {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText())
        return false;
    *text = data->text();
    return true;
}

bool IsEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// Enter and Tab in the cell editor commit the text and move on without opening the next cell's
// editor, as in a spreadsheet: typing there starts a new value, arrows move between cells.
class SheetDelegate : public QStyledItemDelegate {
public:
    explicit SheetDelegate(SampleGrid* grid) : QStyledItemDelegate(grid), mGrid(grid) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor == nullptr || event->type() != QEvent::KeyPress)
            return QStyledItemDelegate::eventFilter(object, event);
        const auto* key = static_cast<const QKeyEvent*>(event);
        const bool shift = key->modifiers() & Qt::ShiftModifier;
        SampleGrid::Move move;
        if (IsEnter(key))
            move = shift ? SampleGrid::Move::Up : SampleGrid::Move::Down;
        else if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            move = shift || key->key() == Qt::Key_Backtab ? SampleGrid::Move::Previous
                                                          : SampleGrid::Move::Next;
        else
            return QStyledItemDelegate::eventFilter(object, event);
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        // The view takes the keys back only when its window is the active one; typing goes on
        // in the sheet whatever the window manager thinks.
        mGrid->setFocus();
        mGrid->MoveFocus(move);
        return true;
    }

private:
    SampleGrid* mGrid;
};

} // namespace

SampleGrid::SampleGrid(QWidget* parent) : QTableView(parent) {
    setModel(&mSheet);
    setItemDelegate(new SheetDelegate(this));
    setFont(SheetFont());
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // Columns are dragged wider by their heading's edge; a double-click there fits the content.
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setColumnWidth(SampleSheet::kNumber, kNumberWidth);
    for (int column = SampleSheet::kSampleId; column <= SampleSheet::kZ; ++column)
        setColumnWidth(column, kCellWidth);
    connect(&mSheet, &SampleSheet::CellEdited, this, &SampleGrid::OnCellEdited);
    // As many steps as spreadsheets keep; a row command holds a copy of the whole sheet.
    mUndo.setUndoLimit(kUndoSteps);
}

SampleGrid::~SampleGrid() {
    // The commands refer to the grid, and the sheet is a member and goes before the view's own
    // teardown.
    mUndo.clear();
    setModel(nullptr);
}

QFont SampleGrid::SheetFont() {
    QFont font("Arial");
    font.setPixelSize(11);
    font.setWeight(QFont::Normal);
    return font;
}

void SampleGrid::LookupRows(int first, int last) {
    if (mLookup && first <= last)
        mLookup(first, last);
}

int SampleGrid::FocusRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

int SampleGrid::FocusColumn() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : 0;
}

void SampleGrid::SetFocusCell(int row, int column) {
    setCurrentIndex(mSheet.index(row - 1, column));
}

QString SampleGrid::FocusText() const {
    return mSheet.Text(FocusRow(), FocusColumn());
}

bool SampleGrid::FocusIsEditable() const {
    return FocusRow() > 0 && SampleSheet::IsEditableColumn(FocusColumn());
}

bool SampleGrid::IsEditing() const {
    return state() == QAbstractItemView::EditingState;
}

void SampleGrid::EndEdit() {
    if (!IsEditing())
        return;
    QWidget* editor = indexWidget(currentIndex());
    if (editor != nullptr) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void SampleGrid::GoToRow(int row) {
    SetFocusCell(row, SampleSheet::kSampleId);
    scrollTo(currentIndex());
    setFocus();
}

CellRange SampleGrid::Selected() const {
    const int row = FocusRow();
    if (row == 0)
        return {};
    CellRange range{row, FocusColumn(), row, FocusColumn()};
    const QItemSelection selection = selectionModel()->selection();
    // A selection away from the focus cell (the focus moved by the keyboard alone) is not the
    // one the user is working on.
    if (selection.isEmpty() || !selection.contains(currentIndex()))
        return range;
    range = {SampleSheet::kRows, SampleSheet::kColumns, 1, 0};
    for (const QItemSelectionRange& part : selection) {
        range.top = std::min(range.top, part.top() + 1);
        range.bottom = std::max(range.bottom, part.bottom() + 1);
        range.left = std::min(range.left, part.left());
        range.right = std::max(range.right, part.right());
    }
    return range;
}

void SampleGrid::SelectCells(int top, int left, int bottom, int right) {
    SetFocusCell(top, left);
    selectionModel()->select(
        QItemSelection(mSheet.index(top - 1, left), mSheet.index(bottom - 1, right)),
        QItemSelectionModel::ClearAndSelect);
    scrollTo(currentIndex());
}

void SampleGrid::MoveFocus(Move move) {
    static constexpr CursorAction kActions[] = {MoveDown, MoveUp, MoveNext, MovePrevious};
    const QModelIndex next = moveCursor(kActions[int(move)], Qt::NoModifier);
    if (next.isValid())
        setCurrentIndex(next);
}

void SampleGrid::Copy() {
    const CellRange range = Selected();
    if (range.top == 0)
        return;
    if (range.IsSingle()) {
        QApplication::clipboard()->setText(FocusText());
        return;
    }
    std::vector<QStringList> rows;
    for (int row = range.top; row <= range.bottom; ++row) {
        QStringList fields;
        for (int column = range.left; column <= range.right; ++column)
            fields << mSheet.Text(row, column);
        rows.push_back(fields);
    }
    QApplication::clipboard()->setText(tabtext::Write(rows));
}

void SampleGrid::Cut() {
    if (!FocusIsEditable())
        return;
    Copy();
    DeleteCells();
}

void SampleGrid::DeleteCells() {
    const CellRange range = Selected();
    std::vector<CellChange> changes;
    for (int row = range.top; row >= 1 && row <= range.bottom; ++row) {
        for (int column = std::max<int>(range.left, SampleSheet::kSampleId);
             column <= std::min<int>(range.right, SampleSheet::kZ); ++column)
            changes.push_back({row, column, mSheet.Text(row, column), QString()});
    }
    ApplyChanges(std::move(changes), "Delete");
}

bool SampleGrid::CanPaste() const {
    QString text;
    if (!FocusIsEditable() || !ClipboardText(&text))
        return false;
    const std::vector<QStringList> block = tabtext::Read(text);
    if (!Selected().IsSingle() || block.size() > 1 || block[0].size() > 1)
        return true;
    return FocusColumn() == SampleSheet::kSampleId || IsWholeNumber(block[0][0]);
}

std::vector<CellChange> SampleGrid::PasteChanges(const QString& text, QString* note) const {
    const CellRange range = Selected();
    const std::vector<QStringList> block = tabtext::Read(text);
    const bool fill = block.size() == 1 && block[0].size() == 1 && !range.IsSingle();
    std::vector<CellChange> changes;
    int rowsOut = 0, valuesOut = 0;
    const int rows = fill ? range.bottom - range.top + 1 : int(block.size());
    for (int i = 0; i < rows; ++i) {
        const int row = range.top + i;
        if (row > SampleSheet::kRows) {
            rowsOut = rows - i;
            break;
        }
        const QStringList& fields = block[fill ? 0 : std::size_t(i)];
        const int columns = fill ? range.right - range.left + 1 : int(fields.size());
        for (int j = 0; j < columns; ++j) {
            const int column = range.left + j;
            const QString& field = fields[fill ? 0 : j];
            if (SampleSheet::IsEditableColumn(column))
                changes.push_back({row, column, mSheet.Text(row, column), field});
            // The Texture column is the sheet's own: a copied one is looked up again.
            else if (column > SampleSheet::kTexture && !field.isEmpty())
                ++valuesOut;
        }
    }
    QStringList notes;
    if (rowsOut > 0)
        notes << QString("%1 pasted rows after row %2 were left out")
                     .arg(rowsOut)
                     .arg(SampleSheet::kRows);
    if (valuesOut > 0)
        notes << QString("%1 pasted values right of Texture were left out").arg(valuesOut);
    *note = notes.join("; ");
    return changes;
}

void SampleGrid::Paste() {
    QString text;
    if (!CanPaste() || !ClipboardText(&text))
        return;
    QString note;
    std::vector<CellChange> changes = PasteChanges(text, &note);
    ApplyChanges(std::move(changes), "Paste", note);
}

void SampleGrid::ApplyChanges(std::vector<CellChange> changes, const QString& name,
                              const QString& note) {
    changes.erase(std::remove_if(changes.begin(), changes.end(),
                                 [](const CellChange& c) { return c.before == c.after; }),
                  changes.end());
    if (changes.empty())
        return;
    QStringList status{RefusalMessage(changes), note};
    status.removeAll(QString());
    emit StatusMessage(status.join("; "));
    mUndo.push(new CellsCommand(*this, std::move(changes), name, false));
}

void SampleGrid::OnCellEdited(int row, int column, const QString& before) {
    std::vector<CellChange> changes{{row, column, before, mSheet.Text(row, column)}};
    emit StatusMessage(RefusalMessage(changes));
    mUndo.push(new CellsCommand(*this, std::move(changes), "Edit", true));
}

QString SampleGrid::RefusalMessage(const std::vector<CellChange>& changes) const {
    QStringList refused;
    int column = 0;
    for (const CellChange& c : changes) {
        if (!SampleSheet::IsNumberColumn(c.column) || IsValidComposition(c.after.toStdString()))
            continue;
        column = c.column;
        refused << QString("%1 in row %2 \"%3\"")
                       .arg(mSheet.headerData(c.column, Qt::Horizontal).toString())
                       .arg(c.row)
                       .arg(c.after);
    }
    if (refused.isEmpty())
        return QString();
    if (refused.size() == 1)
        return changes.size() == 1 ? mSheet.RefusalText(column)
                                   : mSheet.RefusalText(column) + ": " + refused[0];
    const qsizetype count = refused.size();
    if (count > kListedRefusals)
        refused = refused.mid(0, kListedRefusals)
                  << QString("%1 more").arg(count - kListedRefusals);
    return QString("Refused %1 values, each must be a number from 0 to 100: %2")
        .arg(count)
        .arg(refused.join(", "));
}

void SampleGrid::RunRowCommand(const QString& name, const std::function<bool()>& command) {
    EndEdit();
    SampleSheet::Snapshot before = mSheet.TakeSnapshot();
    if (command())
        mUndo.push(new RowsCommand(*this, std::move(before), command, name));
}

void SampleGrid::keyPressEvent(QKeyEvent* event) {
    const bool shift = event->modifiers() == Qt::ShiftModifier;
    const bool control = event->modifiers() == Qt::ControlModifier;
    if (event->matches(QKeySequence::Cut)) {
        Cut();
    } else if (event->matches(QKeySequence::Copy) || (control && event->key() == Qt::Key_Insert)) {
        Copy();
    } else if (event->matches(QKeySequence::Paste) || (shift && event->key() == Qt::Key_Insert)) {
        Paste();
    } else if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        DeleteCells();
    } else if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) &&
               (event->modifiers() & Qt::ControlModifier)) {
        event->ignore(); // Ctrl+Tab switches the window's pages
        return;
    } else if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        // Kept here even where the focus cannot move on (the sheet's last cell), so that Tab
        // never leaves the sheet for the buttons.
        MoveFocus(event->key() == Qt::Key_Backtab || shift ? Move::Previous : Move::Next);
    } else if (IsEnter(event) &&
               (event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) == Qt::NoModifier) {
        MoveFocus(event->modifiers() & Qt::ShiftModifier ? Move::Up : Move::Down);
    } else {
        QTableView::keyPressEvent(event);
        return;
    }
    event->accept();
}

void SampleGrid::mousePressEvent(QMouseEvent* event) {
    const QModelIndex cell = indexAt(event->position().toPoint());
    // The "No." column is fixed: clicking it neither moves the focus nor opens a menu.
    if (!cell.isValid() || cell.column() == SampleSheet::kNumber) {
        event->accept();
        return;
    }
    if (event->button() == Qt::RightButton) {
        setFocus(Qt::MouseFocusReason);
        // A right click inside the selection keeps it, for the menu's commands to work on.
        if (!selectionModel()->isSelected(cell))
            setCurrentIndex(cell);
        else
            selectionModel()->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
        emit GridMenuRequested(event->globalPosition().toPoint());
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void SampleGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex cell = indexAt(event->position().toPoint());
    if (!cell.isValid() || cell.column() == SampleSheet::kNumber) {
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void SampleGrid::contextMenuEvent(QContextMenuEvent* event) {
    // The mouse opens the menu on the button press; this is the keyboard's menu key.
    if (event->reason() == QContextMenuEvent::Keyboard && FocusRow() > 0)
        emit GridMenuRequested(viewport()->mapToGlobal(visualRect(currentIndex()).center()));
    event->accept();
}

void SampleGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    if (!currentIndex().isValid() || currentIndex().column() == SampleSheet::kNumber)
        SetFocusCell(1, SampleSheet::kSampleId);
}

QModelIndex SampleGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = currentIndex();
    // Tab and Shift+Tab go over the editable columns only, row after row.
    if (current.isValid() && (cursorAction == MoveNext || cursorAction == MovePrevious)) {
        int row = current.row(), column = current.column();
        if (cursorAction == MoveNext) {
            if (column >= SampleSheet::kSampleId && column < SampleSheet::kZ) {
                ++column;
            } else if (row + 1 < SampleSheet::kRows) {
                ++row;
                column = SampleSheet::kSampleId;
            }
        } else if (column > SampleSheet::kZ) {
            column = SampleSheet::kZ;
        } else if (column > SampleSheet::kSampleId) {
            --column;
        } else if (row > 0) {
            --row;
            column = SampleSheet::kZ;
        }
        return mSheet.index(row, column);
    }
    const QModelIndex next = QTableView::moveCursor(cursorAction, modifiers);
    if (next.isValid() && next.column() == SampleSheet::kNumber)
        return mSheet.index(next.row(), SampleSheet::kSampleId);
    return next;
}
