#pragma once

#include "pages/datalimits.h"
#include "pages/pagescheme.h"
#include "pages/pointmenustate.h"
#include "scheme/classshares.h"

#include <QString>
#include <QWidget>
#include <memory>

class QLabel;
struct SampleFileContents;
struct SampleFileResult;
class QToolButton;
class RowCertainty;
class SampleGrid;
class SampleSheet;
class UserInteraction;

// What SaveModified tells the command that asked.
enum class SaveModifiedResult {
    Saved,     // go on: the sheet was saved, or had nothing to save
    NotSaved,  // go on without saving
    Cancelled, // stop the command
};

// The "Point Lookup" page: a sheet of up to 1000 samples, each row classified with the page's
// scheme as it is edited, with its file, editing, scheme and chart commands. Messages and file
// dialogs go through the user interaction.
class CTexPoint : public QWidget {
    Q_OBJECT
public:
    explicit CTexPoint(UserInteraction& interaction, QWidget* parent = nullptr);
    ~CTexPoint() override;

    PageScheme& Scheme() { return mScheme; }
    SampleGrid& Grid() { return *mGrid; }
    SampleSheet& Sheet();
    // The sample file's full path; empty for a new sheet.
    const QString& FilePath() const { return mFilePath; }
    bool IsModified() const { return mModified; }
    // "New - Granum", or the file's path followed by " - Granum".
    QString WindowTitle() const;

    // The start-up load of the scheme at Scheme().SchemePath() (messages on failure).
    void Initialise();
    // The page became the current one: announces its title and gives the grid the focus.
    void Activate();

    // Classifies row into its Texture cell (empty when two or more of x, y, z are missing,
    // "{ fail }" when no class holds it); nothing while no scheme is loaded.
    void LookupRow(int row);
    // LookupRow for rows 1 to the last data row.
    void LookupAllRows();
    void PlotChart();

    void NewFile();
    void OpenFile();
    // Opens path as Open... does after its dialog (the program's file argument). False when the
    // file could not be read; the sheet and its path are then as they were.
    bool OpenPath(const QString& path);
    void SaveFile();
    void SaveFileAs();
    // Asks "Save changes first?" when the sheet has unsaved changes (showing this page first).
    SaveModifiedResult SaveModified();

    void Cut();
    void Copy();
    void Paste();
    void DeleteCell();
    void InsertSampleRow();
    void DeleteSampleRow();
    // Compact Rows, then LookupAllRows.
    void CompactRows();
    void GoToLastRow();
    // Undo and Redo of edits, pastes, cuts, deletes and the row commands.
    void Undo();
    void Redo();
    void PrintSamples();
    PointMenuState MenuState() const;

    // Show Certainty: each classified row's class share and nearest other class under the lab
    // error beside its Texture, every class's share in the cell's tooltip; the chart outlines
    // each sample's error region. The sheet's texts and files are unchanged.
    void SetCertainty(bool show, LabError error);
    bool ShowsCertainty() const { return mShowCertainty; }
    LabError CertaintyError() const { return mLabError; }
    // The Lab Error dialog; a new error is shown at once. False when cancelled.
    bool ChooseLabError();

    void LoadSchemeFromDialog();
    // Loads the scheme at path (a bundled one's "schemes/<id>.dat") as LoadSchemeFromDialog loads
    // the file picked.
    void LoadScheme(const QString& path);
    void ShowSchemeDetails();
    // "Data particle-size limits": nullopt for the scheme's own. Rows are looked up (and charted)
    // converted to the scheme's limits; the sheet keeps the values as typed.
    void SetDataLimits(const std::optional<ParticleLimits>& limits);
    const DataLimits& DataSizes() const { return mDataLimits; }

signals:
    // The main window's title while this page is current.
    void TitleChanged(const QString& title);
    // The page wants to be the current page (before the save prompt).
    void ShowRequested();
    // The sheet now has, or no longer has, unsaved changes.
    void ModifiedChanged(bool modified);
    // A note for the status bar ("File saved", refused values); "" clears it.
    void StatusMessage(const QString& text);

private:
    void SetModified(bool modified);
    void ShowGridMenu(const QPoint& globalPos);
    void ShowScheme();
    // Shows the new scheme and classifies the rows with it.
    void RefreshScheme();
    void LookupRows(int first, int last);
    bool ReadSamples(const QString& path, SampleFileContents* contents);
    // Tells the user what Save would not write back of the file just read.
    void WarnLossyFile(const QString& path, const SampleFileContents& contents);
    bool WriteSamples(const QString& path);
    // "File saved", and how many refused values went into the file as typed.
    QString SavedText() const;
    // The x, y and z cells of the data rows that hold no accepted number.
    int RefusedCount() const;
    // DataLimits::Prepare for the scheme, telling the user when the rows cannot be converted.
    void PrepareDataLimits();
    // The save dialog's path; empty when cancelled.
    QString AskSavePath();
    void SetFilePath(const QString& path);
    // True when the file command succeeded; otherwise shows cannotOpen or failed, with the
    // reason when there is one, under "I/O Error".
    bool FileDone(const SampleFileResult& result, const QString& cannotOpen, const char* failed);

    UserInteraction& mInteraction;
    PageScheme mScheme;
    SampleGrid* mGrid;
    QLabel* mSchemeLabel;
    QToolButton* mDetailsButton;
    QToolButton* mChartButton;
    // The notes for the scheme and error now, or none while the option is off.
    void ResetCertainty();

    QString mFilePath;
    bool mModified = false;
    bool mShowCertainty = false;
    LabError mLabError{ErrorModel::Uniform, 2};
    std::unique_ptr<RowCertainty> mCertainty;
    DataLimits mDataLimits;
};
