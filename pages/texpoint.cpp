#include "pages/texpoint.h"

#include "pages/chartsamples.h"
#include "pages/laberrordialog.h"
#include "pages/rowcertainty.h"
#include "pages/samplefile.h"
#include "pages/samplegrid.h"
#include "pages/sheetprinter.h"
#include "scheme/pointclassifier.h"
#include "widgets/iconbutton.h"
#include "widgets/userinteraction.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kFileFilter = "Text files (Comma delimited) (*.csv);;All files (*)";
constexpr const char* kFileSuffix = "csv";
constexpr const char* kIoError = "I/O Error";

} // namespace

CTexPoint::CTexPoint(UserInteraction& interaction, QWidget* parent)
    : QWidget(parent), mInteraction(interaction), mScheme(interaction), mGrid(new SampleGrid(this)),
      mSchemeLabel(new QLabel(this)),
      mDetailsButton(new IconButton(":/icons/scheme-details.svg", "Scheme Details", this)),
      mChartButton(new IconButton(":/icons/chart-plot.svg", "Chart Plot", this)) {
    connect(mDetailsButton, &QToolButton::clicked, this, &CTexPoint::ShowSchemeDetails);
    connect(mChartButton, &QToolButton::clicked, this, &CTexPoint::PlotChart);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Current soil scheme:", this));
    top->addWidget(mSchemeLabel, 1);
    top->addWidget(mDetailsButton);
    top->addWidget(mChartButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(mGrid, 1);

    mGrid->SetLookup([this](int first, int last) { LookupRows(first, last); });
    connect(mGrid, &SampleGrid::GridMenuRequested, this, &CTexPoint::ShowGridMenu);
    connect(mGrid, &SampleGrid::StatusMessage, this, &CTexPoint::StatusMessage);
    // Every change of what the file holds is an unsaved change, with or without a scheme.
    connect(&Sheet(), &SampleSheet::ContentChanged, this, [this] { SetModified(true); });
    ShowScheme();
}

CTexPoint::~CTexPoint() {
    // The sheet may still ask for notes while it goes.
    Sheet().SetTextureNotes(nullptr);
}

SampleSheet& CTexPoint::Sheet() {
    return mGrid->Sheet();
}

QString CTexPoint::WindowTitle() const {
    return (mFilePath.isEmpty() ? QString("New") : mFilePath) + mDataLimits.TitleNote() +
           " - Granum";
}

void CTexPoint::Initialise() {
    mScheme.LoadAtStartup(this);
    ShowScheme();
    PrepareDataLimits();
    ResetCertainty();
}

void CTexPoint::SetCertainty(bool show, LabError error) {
    mShowCertainty = show;
    mLabError = error;
    ResetCertainty();
}

void CTexPoint::ResetCertainty() {
    mCertainty.reset();
    if (mShowCertainty && mScheme.Scheme().GetClassCount() > 0) {
        try {
            mCertainty = std::make_unique<RowCertainty>(mScheme.Scheme(), mLabError);
        } catch (const std::exception&) {
            // An unusable error size shows no notes; the settings and the dialog keep it out.
        }
    }
    if (!mCertainty) {
        Sheet().SetTextureNotes(nullptr);
        return;
    }
    // The note is of the composition the lookup classified: converted to the scheme's limits.
    Sheet().SetTextureNotes([this](int row) {
        std::optional<Composition> c = Sheet().RowComposition(row);
        if (!c)
            return CertaintyNote();
        mDataLimits.Convert(&c->x, &c->y, &c->z);
        return mCertainty->Note(row, *c);
    });
}

bool CTexPoint::ChooseLabError() {
    LabErrorDialog dialog(mLabError, this);
    if (mInteraction.RunDialog(dialog) != QDialog::Accepted)
        return false;
    SetCertainty(mShowCertainty, dialog.Error());
    return true;
}

void CTexPoint::Activate() {
    emit TitleChanged(WindowTitle());
    mGrid->setFocus();
}

void CTexPoint::ShowScheme() {
    mSchemeLabel->setText(mScheme.SchemeName());
    Sheet().SetAxisNames(mScheme.XName(), mScheme.YName(), mScheme.ZName());
}

void CTexPoint::SetModified(bool modified) {
    if (modified == mModified)
        return;
    mModified = modified;
    emit ModifiedChanged(modified);
}

// One validity check of the scheme for all the rows (PointLookup would check at every row).
void CTexPoint::LookupRows(int first, int last) {
    // Lookups over no rows (an empty sheet) change nothing that Save would write.
    if (mScheme.Scheme().GetClassCount() == 0 || last < first)
        return;
    SetModified(true);
    PointClassifier classifier(mScheme.Scheme());
    std::string text;
    for (int row = first; row <= last; ++row) {
        text.clear();
        // A refused value is named rather than the row classified from the other two.
        if (const int refused = Sheet().RefusedColumn(row); refused != 0) {
            Sheet().SetText(row, SampleSheet::kTexture,
                            "{ " + Sheet().headerData(refused, Qt::Horizontal).toString() +
                                " refused }");
            continue;
        }
        if (std::optional<Composition> c = Sheet().RowComposition(row)) {
            mDataLimits.Convert(&c->x, &c->y, &c->z);
            classifier.Classify(c->x, c->y, c->z);
            classifier.AppendTextureText(&text);
        }
        Sheet().SetText(row, SampleSheet::kTexture, QString::fromStdString(text));
    }
    // A class kept while its share changed leaves the Texture text as it was.
    if (mCertainty)
        Sheet().RefreshTextures(first, last);
}

void CTexPoint::LookupRow(int row) {
    LookupRows(row, row);
}

void CTexPoint::LookupAllRows() {
    LookupRows(1, Sheet().LastDataRow());
}

void CTexPoint::PlotChart() {
    if (mScheme.Scheme().GetClassCount() == 0)
        return;
    mGrid->EndEdit();
    ChartData samples = CollectChartSamples(Sheet());
    mDataLimits.Convert(&samples);
    RunPageChart(mInteraction, this, mScheme, std::move(samples),
                 mShowCertainty ? std::optional<LabError>(mLabError) : std::nullopt);
    mGrid->setFocus();
}

void CTexPoint::SetFilePath(const QString& path) {
    mFilePath = path;
    emit TitleChanged(WindowTitle());
}

bool CTexPoint::FileDone(const SampleFileResult& result, const QString& cannotOpen,
                         const char* failed) {
    if (result.Ok())
        return true;
    QString text = result.status == SampleFileStatus::CannotOpen ? cannotOpen : QString(failed);
    if (!result.reason.isEmpty())
        text += ": " + result.reason;
    mInteraction.ShowMessage(this, kIoError, text, MessageIcon::Error);
    return false;
}

bool CTexPoint::ReadSamples(const QString& path, SampleFileContents* contents) {
    if (!FileDone(ReadSampleFile(path, mScheme.Scheme(), SampleSheet::kRows, contents),
                  "Cannot open " + path, "Unable to load from file"))
        return false;
    if (contents->Lossy())
        WarnLossyFile(path, *contents);
    mGrid->EndEdit();
    Sheet().Fill(contents->rows);
    mGrid->UndoStack().clear();
    SetModified(false);
    return true;
}

void CTexPoint::WarnLossyFile(const QString& path, const SampleFileContents& contents) {
    QStringList holds;
    if (contents.header)
        holds << "a header line";
    if (contents.moreColumns || contents.header)
        holds << "more columns than Sample ID, the three values and Texture";
    if (contents.moreRows)
        holds << QString("more than %1 rows").arg(SampleSheet::kRows);
    mInteraction.ShowMessage(this, "Granum",
                             path + " holds " + holds.join(" and ") +
                                 ". Save would write only the sheet's five columns and at most " +
                                 QString::number(SampleSheet::kRows) +
                                 " rows: use Save As to keep the file as it is.",
                             MessageIcon::Warning);
}

bool CTexPoint::WriteSamples(const QString& path) {
    mGrid->EndEdit();
    if (!FileDone(WriteSampleFile(path, Sheet().DataRows()), "Cannot create " + path,
                  "Unable to save to file"))
        return false;
    SetModified(false);
    return true;
}

QString CTexPoint::AskSavePath() {
    const QString path =
        mInteraction.SaveFileName(this, "Save As", kFileFilter, kFileSuffix, mFilePath);
    return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
}

SaveModifiedResult CTexPoint::SaveModified() {
    mGrid->EndEdit();
    if (!mModified)
        return SaveModifiedResult::Saved;
    emit ShowRequested();
    switch (mInteraction.AskYesNoCancel(this, "Question", "Save changes first?")) {
    case Answer::Cancel:
        return SaveModifiedResult::Cancelled;
    case Answer::No:
        return SaveModifiedResult::NotSaved;
    case Answer::Yes:
        break;
    }
    const QString path = mFilePath.isEmpty() ? AskSavePath() : mFilePath;
    if (path.isEmpty() || !WriteSamples(path))
        return SaveModifiedResult::Cancelled;
    mFilePath = path;
    return SaveModifiedResult::Saved;
}

void CTexPoint::NewFile() {
    if (SaveModified() == SaveModifiedResult::Cancelled)
        return;
    Sheet().Clear();
    mGrid->UndoStack().clear();
    SetModified(false);
    SetFilePath(QString());
    mGrid->setFocus();
}

void CTexPoint::OpenFile() {
    if (SaveModified() == SaveModifiedResult::Cancelled)
        return;
    const QString path = mInteraction.OpenFileName(this, "Open", kFileFilter, kFileSuffix);
    if (!path.isEmpty())
        OpenPath(path);
}

bool CTexPoint::OpenPath(const QString& path) {
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    SampleFileContents contents;
    if (!ReadSamples(fullPath, &contents))
        return false;
    LookupAllRows();
    // Only a texture that the lookup changed is an edit: Save would write it differently. A
    // header file without textures gets them only on the screen; its columns are the user's.
    bool changed = false;
    for (int row = 1; row <= int(contents.textures.size()); ++row)
        changed = changed || Sheet().Text(row, SampleSheet::kTexture) !=
                                 contents.textures[std::size_t(row - 1)];
    SetModified(changed);
    SetFilePath(fullPath);
    if (const int refused = RefusedCount(); refused > 0)
        emit StatusMessage(QString("%1 values are not numbers from 0 to 100: kept as read and "
                                   "marked in red")
                               .arg(refused));
    // The new sheet starts at its top, not where the view of the old one was.
    mGrid->clearSelection();
    mGrid->GoToRow(1);
    return true;
}

void CTexPoint::SaveFile() {
    if (mFilePath.isEmpty()) {
        SaveFileAs();
        return;
    }
    if (WriteSamples(mFilePath)) {
        SetFilePath(mFilePath);
        emit StatusMessage(SavedText());
    }
}

int CTexPoint::RefusedCount() const {
    int refused = 0;
    for (int row = 1; row <= mGrid->Sheet().LastDataRow(); ++row) {
        for (int column = SampleSheet::kX; column <= SampleSheet::kZ; ++column)
            refused += mGrid->Sheet().IsRefused(row, column) ? 1 : 0;
    }
    return refused;
}

QString CTexPoint::SavedText() const {
    const int refused = RefusedCount();
    return refused == 0
               ? QString("File saved")
               : QString("File saved with %1 refused values as typed (marked in red)").arg(refused);
}

void CTexPoint::SaveFileAs() {
    const QString path = AskSavePath();
    if (path.isEmpty() || !WriteSamples(path))
        return;
    SetFilePath(path);
    emit StatusMessage(SavedText());
}

void CTexPoint::Cut() {
    mGrid->Cut();
}

void CTexPoint::Copy() {
    mGrid->Copy();
}

void CTexPoint::Paste() {
    mGrid->Paste();
}

void CTexPoint::DeleteCell() {
    mGrid->DeleteCells();
}

void CTexPoint::InsertSampleRow() {
    const int row = mGrid->FocusRow(), column = mGrid->FocusColumn();
    mGrid->RunRowCommand("Insert Row", [this, row] { return Sheet().InsertRow(row); });
    mGrid->SetFocusCell(row, column);
}

void CTexPoint::DeleteSampleRow() {
    const int row = mGrid->FocusRow(), column = mGrid->FocusColumn();
    mGrid->RunRowCommand("Delete Row", [this, row] { return Sheet().DeleteRow(row); });
    mGrid->SetFocusCell(row, column);
}

void CTexPoint::CompactRows() {
    mGrid->RunRowCommand("Compact Rows", [this] { return Sheet().CompactRows(); });
}

void CTexPoint::Undo() {
    mGrid->EndEdit();
    mGrid->UndoStack().undo();
}

void CTexPoint::Redo() {
    mGrid->EndEdit();
    mGrid->UndoStack().redo();
}

void CTexPoint::GoToLastRow() {
    mGrid->GoToRow(std::max(1, Sheet().LastDataRow()));
}

void CTexPoint::PrintSamples() {
    mGrid->EndEdit();
    QPrinter printer(QPrinter::HighResolution);
    if (!mInteraction.SetUpPrinter(this, printer))
        return;
    QVector<int> widths;
    for (int column = 0; column < SampleSheet::kColumns; ++column)
        widths << mGrid->columnWidth(column);
    // The window's title without its unsaved-changes marker.
    const QString title = window()->windowTitle().isEmpty()
                              ? WindowTitle()
                              : QString(window()->windowTitle()).remove("[*]");
    PrintSheet(printer, Sheet(), Sheet().LastDataRow(), widths,
               mGrid->verticalHeader()->defaultSectionSize(), mGrid->font(), title);
}

PointMenuState CTexPoint::MenuState() const {
    return EditMenuState(*mGrid);
}

void CTexPoint::ShowGridMenu(const QPoint& globalPos) {
    const PointMenuState state = MenuState();
    QMenu menu("Grid", this);
    menu.addAction("Cut", this, &CTexPoint::Cut)->setEnabled(state.cut);
    menu.addAction("Copy", this, &CTexPoint::Copy)->setEnabled(state.copy);
    menu.addAction("Paste", this, &CTexPoint::Paste)->setEnabled(state.paste);
    menu.addAction("Delete", this, &CTexPoint::DeleteCell)->setEnabled(state.clear);
    menu.addSeparator();
    menu.addAction("Insert Row", this, &CTexPoint::InsertSampleRow)->setEnabled(state.insertRow);
    menu.addAction("Delete Row", this, &CTexPoint::DeleteSampleRow)->setEnabled(state.deleteRow);
    menu.exec(globalPos);
}

void CTexPoint::LoadSchemeFromDialog() {
    mGrid->EndEdit();
    mScheme.LoadFromDialog(this, [this] { RefreshScheme(); });
    ShowScheme();
}

void CTexPoint::LoadScheme(const QString& path) {
    mGrid->EndEdit();
    mScheme.LoadFrom(this, path, [this] { RefreshScheme(); });
    ShowScheme();
}

void CTexPoint::RefreshScheme() {
    ShowScheme();
    PrepareDataLimits();
    ResetCertainty();
    LookupAllRows();
}

void CTexPoint::SetDataLimits(const std::optional<ParticleLimits>& limits) {
    mGrid->EndEdit();
    mDataLimits.SetLimits(limits);
    PrepareDataLimits();
    LookupAllRows();
}

void CTexPoint::PrepareDataLimits() {
    const QString problem = mDataLimits.Prepare(mScheme);
    if (!problem.isEmpty())
        mInteraction.ShowMessage(this, "Data Particle-Size Limits", problem, MessageIcon::Warning);
    emit TitleChanged(WindowTitle());
}

void CTexPoint::ShowSchemeDetails() {
    mScheme.ShowDetails(this);
    mGrid->setFocus();
}
