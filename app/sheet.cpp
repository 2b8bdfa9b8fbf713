#include "app/sheet.h"

#include "app/aboutdialog.h"
#include "app/helpviewer.h"
#include "pages/bundledschemes.h"
#include "pages/samplegrid.h"
#include "pages/texpoint.h"
#include "pages/texrange.h"
#include "widgets/settings.h"
#include "widgets/userinteraction.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QIcon>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QUndoStack>

namespace {

constexpr const char* kDefaultScheme = "schemes/usda.dat";
constexpr const char* kAlwaysOnTopKey = "Always on top";
constexpr const char* kPointSchemeKey = "Point scheme";
constexpr const char* kRangeSchemeKey = "Range scheme";
constexpr const char* kGeometryKey = "Window geometry";
constexpr const char* kColumnWidthsKey = "Sheet column widths";
constexpr const char* kPointDataLimitsKey = "Point data limits";
constexpr int kPointTab = 0;
// Small enough, with the window's frame and a desktop panel, for an 800x600 screen.
constexpr int kDefaultWidth = 640, kDefaultHeight = 500;

// The title with the place where the desktop shows the unsaved-changes marker.
QString MarkedTitle(const QString& title) {
    const QString tail = " - Granum";
    return title.endsWith(tail) ? title.left(title.size() - tail.size()) + "[*]" + tail
                                : title + "[*]";
}

// A menu item with its status-bar description. Shortcuts after a tab in the text are only
// shown: the page's own widgets handle those keys.
template <typename Receiver, typename Slot>
QAction* AddItem(QMenu* menu, const QString& text, const QString& tip, Receiver* receiver,
                 Slot slot) {
    QAction* action = menu->addAction(text, receiver, slot);
    action->setStatusTip(tip);
    return action;
}

// The "Bundled Schemes" submenu of a page's menu.
void AddBundledSchemes(QMenu* menu, const PageScheme& scheme,
                       const std::function<void(const QString&)>& load) {
    QMenu* bundled = menu->addMenu("&Bundled Schemes");
    bundled->menuAction()->setStatusTip("Loads a soil classification scheme shipped with Granum");
    FillBundledSchemeMenu(*bundled, scheme, load);
}

} // namespace

// The item shows its shortcut, but the key belongs to the window: a greyed menu would switch
// off the shortcuts of its items, and these act on the Point page from either page.
template <typename Slot>
QAction* CSheet::AddPointCommand(QMenu* menu, const QString& text, const QString& tip, Slot slot,
                                 const QKeySequence& shortcut) {
    QAction* item =
        AddItem(menu, text + "\t" + shortcut.toString(QKeySequence::NativeText), tip, mPoint, slot);
    auto* key = new QAction(this);
    key->setShortcut(shortcut);
    key->setShortcutContext(Qt::WindowShortcut);
    connect(key, &QAction::triggered, mPoint, slot);
    addAction(key);
    return item;
}

CSheet::CSheet(UserInteraction& interaction, QWidget* parent)
    : QMainWindow(parent), mInteraction(interaction), mTabs(new QTabWidget(this)),
      mPoint(new CTexPoint(interaction, mTabs)), mRange(new CTexRange(interaction, mTabs)) {
    setWindowTitle(MarkedTitle("New - Granum"));
    setWindowIcon(QIcon(":/icons/granum.svg"));
    mTabs->addTab(mPoint, "Point Lookup");
    mTabs->addTab(mRange, "Range Lookup");
    mTabs->setDocumentMode(false);
    setCentralWidget(mTabs);
    statusBar();

    LoadSettings();
    mPoint->Initialise();
    BuildMenus();

    connect(mPoint, &CTexPoint::TitleChanged, this, [this](const QString& title) {
        if (mTabs->currentIndex() == kPointTab)
            setWindowTitle(MarkedTitle(title));
    });
    connect(mPoint, &CTexPoint::ModifiedChanged, this, &QWidget::setWindowModified);
    connect(mPoint, &CTexPoint::StatusMessage, this, &CSheet::ShowStatus);
    connect(mPoint, &CTexPoint::ShowRequested, this, [this] { mTabs->setCurrentIndex(kPointTab); });
    connect(mTabs, &QTabWidget::currentChanged, this, &CSheet::OnPageChanged);
    OnPageChanged(mTabs->currentIndex());

    resize(kDefaultWidth, kDefaultHeight);
    RestoreLayout();
}

void CSheet::ShowStatus(const QString& text) {
    if (text.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(text);
}

void CSheet::RestoreLayout() {
    const auto store = settings::Open(settings::kSettingsGroup);
    restoreGeometry(store->value(kGeometryKey).toByteArray());
    const QStringList widths = store->value(kColumnWidthsKey).toString().split(',');
    SampleGrid& grid = mPoint->Grid();
    // The Texture column takes the rest of the room; a damaged entry keeps the default width.
    for (int column = 0; column < SampleSheet::kTexture && column < widths.size(); ++column) {
        bool ok = false;
        const int width = widths[column].trimmed().toInt(&ok);
        if (ok && width >= 8 && width <= 2000)
            grid.setColumnWidth(column, width);
    }
}

CSheet::~CSheet() = default;

void CSheet::LoadSettings() {
    const auto store = settings::Open(settings::kSettingsGroup);
    mAlwaysOnTop = settings::ReadFlag(*store, kAlwaysOnTopKey, 0) != 0;
    mPoint->Scheme().SetSchemePath(store->value(kPointSchemeKey, kDefaultScheme).toString());
    mRange->Scheme().SetSchemePath(store->value(kRangeSchemeKey, kDefaultScheme).toString());
    mPoint->SetDataLimits(DataLimits::FromSetting(store->value(kPointDataLimitsKey).toString()));
    setWindowFlag(Qt::WindowStaysOnTopHint, mAlwaysOnTop);
}

void CSheet::SaveSettings() const {
    const auto store = settings::Open(settings::kSettingsGroup);
    store->setValue(kAlwaysOnTopKey, mAlwaysOnTop ? 1 : 0);
    store->setValue(kPointSchemeKey, mPoint->Scheme().SchemePath());
    store->setValue(kRangeSchemeKey, mRange->Scheme().SchemePath());
    store->setValue(kGeometryKey, saveGeometry());
    QStringList widths;
    for (int column = 0; column < SampleSheet::kTexture; ++column)
        widths << QString::number(mPoint->Grid().columnWidth(column));
    store->setValue(kColumnWidthsKey, widths.join(','));
    store->setValue(kPointDataLimitsKey, DataLimits::ToSetting(mPoint->DataSizes().Limits()));
}

void CSheet::BuildMenus() {
    QMenu* application = menuBar()->addMenu("&Application");
    mAlwaysOnTopAction =
        AddItem(application, "&Always On Top", "Always On Top", this, &CSheet::ToggleAlwaysOnTop);
    mAlwaysOnTopAction->setCheckable(true);
    mAlwaysOnTopAction->setChecked(mAlwaysOnTop);
    application->addSeparator();
    AddItem(application, "E&xit", "Exits program", this, &CSheet::Exit);

    mPointMenu = BuildPointMenu();
    mRangeMenu = BuildRangeMenu();

    QMenu* help = menuBar()->addMenu("&Help");
    AddItem(help, "&Contents", "Help", this, [this] {
        // Said also when it opened, as a desktop without a browser may take the file silently.
        const QString opened = OpenHelpContents(mInteraction, this);
        if (!opened.isEmpty())
            ShowStatus("Help: " + opened);
    });
    AddItem(help, "&About...", "About program", this, [this] {
        AboutDialog about(this);
        mInteraction.RunDialog(about);
    });
}

QMenu* CSheet::BuildPointMenu() {
    QMenu* menu = menuBar()->addMenu("&Point");
    CTexPoint* p = mPoint;
    AddPointCommand(menu, "&New", "New file", &CTexPoint::NewFile, QKeySequence("Ctrl+N"));
    AddPointCommand(menu, "&Open...", "Opens file", &CTexPoint::OpenFile, QKeySequence("Ctrl+O"));
    menu->addSeparator();
    AddPointCommand(menu, "&Save", "Saves file", &CTexPoint::SaveFile, QKeySequence("Ctrl+S"));
    AddItem(menu, "Save &As...", "Saves file as different name", p, &CTexPoint::SaveFileAs);
    menu->addSeparator();
    AddPointCommand(menu, "Prin&t...", "Prints grid", &CTexPoint::PrintSamples,
                    QKeySequence("Ctrl+P"));
    AddItem(menu, "C&hart Plot...", "Chart plot", p, &CTexPoint::PlotChart);
    menu->addSeparator();
    // No letters of "Undo" and "Redo" are free in this menu: they go by their keys alone. The
    // items name their step ("Undo Paste"), as spreadsheets do.
    QUndoStack& undo = p->Grid().UndoStack();
    const auto addStep = [&](const QString& verb, const QString& tip, void (CTexPoint::*slot)(),
                             const QString& keys, void (QUndoStack::*can)(bool),
                             void (QUndoStack::*named)(const QString&)) {
        QAction* item = AddItem(menu, verb + "\t" + keys, tip, p, slot);
        item->setShortcut(QKeySequence(keys));
        item->setEnabled(false);
        connect(&undo, can, item, &QAction::setEnabled);
        connect(&undo, named, item, [item, verb, keys](const QString& step) {
            item->setText(QString("%1 %2").arg(verb, step).trimmed() + "\t" + keys);
        });
        return item;
    };
    mUndo = addStep("Undo", "Undoes the last change to the sheet", &CTexPoint::Undo, "Ctrl+Z",
                    &QUndoStack::canUndoChanged, &QUndoStack::undoTextChanged);
    mRedo = addStep("Redo", "Redoes the change undone last", &CTexPoint::Redo, "Ctrl+Shift+Z",
                    &QUndoStack::canRedoChanged, &QUndoStack::redoTextChanged);
    mCut = AddItem(menu, "C&ut\tCtrl+X", "Cuts current cell contents to clipboard", p,
                   &CTexPoint::Cut);
    mCopy = AddItem(menu, "&Copy\tCtrl+C", "Copies current cell contents to clipboard", p,
                    &CTexPoint::Copy);
    mPaste = AddItem(menu, "&Paste\tCtrl+V", "Pastes clipboard contents to current cell", p,
                     &CTexPoint::Paste);
    mDelete =
        AddItem(menu, "&Delete\tDel", "Deletes current cell contents", p, &CTexPoint::DeleteCell);
    menu->addSeparator();
    mInsertRow = AddItem(menu, "&Insert Row", "Inserts a new row at current location", p,
                         &CTexPoint::InsertSampleRow);
    mDeleteRow = AddItem(menu, "Delete Ro&w", "Deletes row at the current location", p,
                         &CTexPoint::DeleteSampleRow);
    AddItem(menu, "Compact &Rows", "Deletes all empty rows", p, &CTexPoint::CompactRows);
    AddItem(menu, "&Go to Last Row", "Moves to the last row of data", p, &CTexPoint::GoToLastRow);
    menu->addSeparator();
    AddItem(menu, "&Load Scheme...", "Loads a soil classification scheme file", p,
            &CTexPoint::LoadSchemeFromDialog);
    AddBundledSchemes(menu, p->Scheme(), [p](const QString& path) { p->LoadScheme(path); });
    AddItem(menu, "Sch&eme Details", "Details about current soil classification scheme", p,
            &CTexPoint::ShowSchemeDetails);
    QMenu* sizes = menu->addMenu("Data Particle-Size Li&mits");
    auto* group = new QActionGroup(sizes);
    for (const auto& [label, limits] : DataLimits::Choices()) {
        QAction* action = group->addAction(label);
        action->setCheckable(true);
        sizes->addAction(action);
        const QString setting = DataLimits::ToSetting(limits);
        connect(action, &QAction::triggered, p, [p, l = limits] { p->SetDataLimits(l); });
        connect(sizes, &QMenu::aboutToShow, action, [p, action, setting] {
            action->setChecked(DataLimits::ToSetting(p->DataSizes().Limits()) == setting);
        });
    }
    connect(menu, &QMenu::aboutToShow, this, &CSheet::UpdatePointMenu);
    return menu;
}

QMenu* CSheet::BuildRangeMenu() {
    QMenu* menu = menuBar()->addMenu("&Range");
    CTexRange* r = mRange;
    AddItem(menu, "Look&Up\tEnter", "Lookup soil texture range", r, &CTexRange::LookupRange);
    AddItem(menu, "C&hart Plot...", "Chart plot", r, &CTexRange::PlotChart);
    menu->addSeparator();
    AddItem(menu, "Reset &X Range", "Resets x range to 0 - 100", r, &CTexRange::ResetXRange);
    AddItem(menu, "Reset &Y Range", "Resets y range to 0 - 100", r, &CTexRange::ResetYRange);
    AddItem(menu, "Reset &Z Range", "Resets z range to 0 - 100", r, &CTexRange::ResetZRange);
    AddItem(menu, "Reset &All Ranges", "Resets all ranges to 0 - 100", r,
            &CTexRange::ResetAllRanges);
    menu->addSeparator();
    AddItem(menu, "&Load Scheme...", "Loads a soil classification scheme file", r,
            &CTexRange::LoadSchemeFromDialog);
    AddBundledSchemes(menu, r->Scheme(), [r](const QString& path) { r->LoadScheme(path); });
    AddItem(menu, "Sch&eme Details", "Details about current soil classification scheme", r,
            &CTexRange::ShowSchemeDetails);
    return menu;
}

void CSheet::UpdatePointMenu() {
    const PointMenuState state = mPoint->MenuState();
    mCut->setEnabled(state.cut);
    mCopy->setEnabled(state.copy);
    mPaste->setEnabled(state.paste);
    mDelete->setEnabled(state.clear);
    mInsertRow->setEnabled(state.insertRow);
    mDeleteRow->setEnabled(state.deleteRow);
}

void CSheet::OnPageChanged(int index) {
    const bool point = index == kPointTab;
    mPointMenu->menuAction()->setEnabled(point);
    mRangeMenu->menuAction()->setEnabled(!point);
    if (point) {
        mPoint->Activate();
    } else {
        setWindowTitle("Granum[*]");
        mRange->Activate();
    }
}

void CSheet::ToggleAlwaysOnTop() {
    mAlwaysOnTop = !mAlwaysOnTop;
    mAlwaysOnTopAction->setChecked(mAlwaysOnTop);
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, mAlwaysOnTop);
    // Changing the window's flags hides it.
    if (visible)
        show();
}

void CSheet::Exit() {
    close();
}

void CSheet::closeEvent(QCloseEvent* event) {
    if (mPoint->SaveModified() == SaveModifiedResult::Cancelled) {
        event->ignore();
        return;
    }
    SaveSettings();
    event->accept();
}
