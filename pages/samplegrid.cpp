#include "pages/samplegrid.h"

#include "util/numbertext.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

namespace {

constexpr int kNumberWidth = 40;
constexpr int kCellWidth = 80;

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

} // namespace

SampleGrid::SampleGrid(QWidget* parent) : QTableView(parent) {
    setModel(&mSheet);
    setFont(SheetFont());
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setColumnWidth(SampleSheet::kNumber, kNumberWidth);
    for (int column = SampleSheet::kSampleId; column <= SampleSheet::kZ; ++column)
        setColumnWidth(column, kCellWidth);
    connect(&mSheet, &SampleSheet::CellEdited, this, &SampleGrid::CellChanged);
}

SampleGrid::~SampleGrid() {
    // The sheet is a member and goes before the view's own teardown.
    setModel(nullptr);
}

QFont SampleGrid::SheetFont() {
    QFont font("Arial");
    font.setPixelSize(11);
    font.setWeight(QFont::Normal);
    return font;
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

void SampleGrid::ReplaceFocusText(const QString& text) {
    const int row = FocusRow(), column = FocusColumn();
    mSheet.SetText(row, column, text);
    emit CellChanged(row, column);
}

void SampleGrid::Copy() {
    if (FocusRow() > 0)
        QApplication::clipboard()->setText(FocusText());
}

void SampleGrid::Cut() {
    if (!FocusIsEditable())
        return;
    Copy();
    ReplaceFocusText(QString());
}

bool SampleGrid::CanPaste() const {
    QString text;
    if (!FocusIsEditable() || !ClipboardText(&text))
        return false;
    return FocusColumn() == SampleSheet::kSampleId || IsWholeNumber(text);
}

void SampleGrid::Paste() {
    if (CanPaste()) {
        QString text;
        ClipboardText(&text);
        ReplaceFocusText(text);
    }
}

void SampleGrid::ClearFocusCell() {
    if (FocusIsEditable())
        mSheet.setData(currentIndex(), QString());
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
        ClearFocusCell();
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
        setCurrentIndex(cell);
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
    const QModelIndex next = QTableView::moveCursor(cursorAction, modifiers);
    if (next.isValid() && next.column() == SampleSheet::kNumber)
        return mSheet.index(next.row(), SampleSheet::kSampleId);
    return next;
}
