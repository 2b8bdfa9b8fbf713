#include "chart/chartdialog.h"

#include "chart/chartcanvas.h"
#include "chart/chartdefinition.h"
#include "chart/chartexport.h"
#include "chart/chartprint.h"
#include "chart/chartreadout.h"
#include "chart/chartsettings.h"
#include "chart/pointgroups.h"
#include "scheme/schemefile.h"
#include "widgets/enterkey.h"
#include "widgets/userinteraction.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QTimer>
#include <QVBoxLayout>

namespace {

struct ViewToggle {
    const char* text;
    const char* tip;
    int ChartModel::*flag;
};

constexpr ViewToggle kToggles[] = {
    {"&Axis Title", "Toggle view of axis title", &ChartModel::mbAxisTitle},
    {"Axis &Values", "Toggle view of axis values", &ChartModel::mbAxisValues},
    {"&Data Labels", "Toggle view of data labels", &ChartModel::mbDataLabels},
    {"&Grid Lines", "Toggle view of grid lines", &ChartModel::mbGridLines},
    {"&Legend", "Toggle view of legend", &ChartModel::mbLegend},
    {"&Texture Classes", "Toggle view of texture classes", &ChartModel::mbTextureClasses},
    {"&Publication Style",
     "Toggle the publication style: filled classes named inside, ticks, arrows, grouped samples",
     &ChartModel::mbPublication},
};

// Point sizes offered for the chart's text; 0 is the style's own.
constexpr int kFontSizes[] = {0, 8, 9, 10, 11, 12, 14, 16};

// Sample ID prefixes group the samples' markers when there are a few of them, as when IDs
// name a plot or a site ("Plot A-01"); more than this many is no grouping.
constexpr std::size_t kMostPrefixGroups = 12;

constexpr const char* kSaveFilter =
    "Windows Enhanced Metafiles (*.emf);;SVG pictures (*.svg);;PNG pictures (*.png);;"
    "PDF documents (*.pdf);;All files (*)";

// The window's first size: 400 by 215 dialog units of the classic 8-point dialog font, whose
// units are 6 by 13 pixels at 96 pixels per inch.
QSize TemplateClientSize(int dpi) {
    return QSize(400 * 6 / 4, 215 * 13 / 8) * dpi / 96;
}

QAction* AddCommand(QMenu* menu, const QString& text, const char* tip) {
    QAction* action = menu->addAction(text);
    action->setToolTip(tip);
    return action;
}

} // namespace

ChartDialog::ChartDialog(UserInteraction& interaction, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      mInteraction(interaction), mCanvas(new ChartCanvas(*this, this)) {
    setWindowTitle("Chart");
    auto* menuBar = new QMenuBar(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(menuBar);
    layout->addWidget(mCanvas);

    mChartMenu = menuBar->addMenu("&Chart");
    connect(AddCommand(mChartMenu, "C&opy to Clipboard", "Copy chart to the clipboard"),
            &QAction::triggered, this, &ChartDialog::CopyToClipboard);
    connect(AddCommand(mChartMenu, "&Save to File...",
                       "Save chart as a Windows Enhanced Metafile (EMF)"),
            &QAction::triggered, this, &ChartDialog::SaveToFile);
    connect(AddCommand(mChartMenu, "&Print...", "Prints chart"), &QAction::triggered, this,
            &ChartDialog::Print);
    mChartMenu->addSeparator();
    connect(mChartMenu->addAction("&Close"), &QAction::triggered, this, &QDialog::accept);

    mViewMenu = menuBar->addMenu("&View");
    mViewItems = AddViewItems(mViewMenu, true);
    AddFontSizeMenu(mViewMenu);
    mContextMenu = new QMenu("RChart", this);
    mContextItems = AddViewItems(mContextMenu, false);
    for (QMenu* menu : {mChartMenu, mViewMenu, mContextMenu}) {
        menu->setToolTipsVisible(true);
        // A menu closed with Escape leaves the menu bar holding the keys, and the next Escape
        // would only leave it: the chart takes them back once no menu is open.
        connect(menu, &QMenu::aboutToHide, this, [this] {
            QTimer::singleShot(0, this, [this] {
                if (QApplication::activePopupWidget() == nullptr)
                    mCanvas->setFocus();
            });
        });
    }

    connect(mCanvas, &ChartCanvas::MouseMoved, this, &ChartDialog::ShowReadout);
    connect(mCanvas, &ChartCanvas::MouseLeft, this, &ChartDialog::ClearReadout);
    connect(mCanvas, &ChartCanvas::RightButtonPressed, this,
            [this](QPoint globalPos) { mContextMenu->exec(globalPos); });
}

ChartDialog::~ChartDialog() {
    if (!mInitialised)
        return;
    chartsettings::WriteViewFlags(*this);
    chartsettings::SavePlacement(*this);
}

void ChartDialog::setVisible(bool visible) {
    if (visible && !mInitialised) {
        mInitialised = true;
        Initialise();
    }
    QDialog::setVisible(visible);
}

void ChartDialog::Initialise() {
    // The first size is the smallest; the window then opens larger by two fifths each way,
    // centred where the first size would have been.
    const QSize client = TemplateClientSize(logicalDpiY());
    const QSize smallest(client.width(),
                         client.height() + layout()->menuBar()->sizeHint().height());
    setMinimumSize(smallest);
    resize(smallest * 7 / 5);

    setWindowTitle(QString::fromStdString(mScheme.GetName()) + " Chart");
    setWindowIcon(QIcon(":/icons/granum.svg"));
    mCanvas->setFocus();
    ReadChartDefinitionFile();
    if (mMetadata.abbreviations.empty() && !mMetadata.limits && !mSchemeFile.empty())
        mMetadata = ReadSchemeFileMetadata(ResolveDataFile(mSchemeFile));
    GroupBySampleIdPrefix();
    chartsettings::ReadViewFlags(*this);
    chartsettings::RestorePlacement(*this);
}

void ChartDialog::GroupBySampleIdPrefix() {
    if (!mGroups.empty() || mLabels.size() != mPoints.size() || !mbSamples)
        return;
    std::vector<std::string> prefixes;
    prefixes.reserve(mLabels.size());
    for (const std::string& label : mLabels)
        prefixes.push_back(SampleIdPrefix(label));
    GroupByValues(prefixes, &mGroups, &mGroupNames);
    if (mGroupNames.size() < 2 || mGroupNames.size() > kMostPrefixGroups) {
        mGroups.clear();
        mGroupNames.clear();
        return;
    }
    mGroupTitle = "Sample ID prefix";
}

void ChartDialog::AddFontSizeMenu(QMenu* view) {
    QMenu* sizes = view->addMenu("&Font Size");
    auto* group = new QActionGroup(sizes);
    for (const int size : kFontSizes) {
        QAction* action =
            sizes->addAction(size == 0 ? QString("Style's &Own") : QString::number(size));
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, size] { ShowFontSize(size); });
        connect(sizes, &QMenu::aboutToShow, action,
                [this, action, size] { action->setChecked(mFontSize == size); });
    }
}

void ChartDialog::ShowFontSize(int points) {
    mFontSize = points;
    mCanvas->update();
    if (mPointer)
        ShowReadout(*mPointer);
}

void ChartDialog::ReadChartDefinitionFile() {
    const std::string message = ChartDefinitionMessage(ReadChartDefinition(*this));
    if (!message.empty())
        mInteraction.ShowMessage(this, "Problem", QString::fromStdString(message),
                                 MessageIcon::Error);
}

ChartDialog::ViewItems ChartDialog::AddViewItems(QMenu* menu, bool mnemonics) {
    const auto text = [mnemonics](const char* withMnemonic) {
        return mnemonics ? QString(withMnemonic) : QString(withMnemonic).remove('&');
    };
    ViewItems items;
    items.biaxial = AddCommand(menu, text("as &Bi-axial"), "Bi-axial chart");
    items.triaxial = AddCommand(menu, text("as T&ri-axial"), "Tri-axial chart");
    // One layout or the other: shown as a pair of radio items.
    auto* layouts = new QActionGroup(menu);
    layouts->addAction(items.biaxial);
    layouts->addAction(items.triaxial);
    connect(items.biaxial, &QAction::triggered, this, [this] { ShowLayout(0); });
    connect(items.triaxial, &QAction::triggered, this, [this] { ShowLayout(1); });
    menu->addSeparator();
    for (const ViewToggle& toggle : kToggles) {
        QAction* action = AddCommand(menu, text(toggle.text), toggle.tip);
        connect(action, &QAction::triggered, this,
                [this, flag = toggle.flag] { ToggleFlag(flag); });
        items.toggles.emplace_back(action, toggle.flag);
    }
    for (QAction* action : menu->actions())
        action->setCheckable(!action->isSeparator());
    connect(menu, &QMenu::aboutToShow, this,
            [this, menu] { UpdateViewItems(menu == mViewMenu ? mViewItems : mContextItems); });
    return items;
}

void ChartDialog::UpdateViewItems(const ViewItems& items) const {
    items.biaxial->setChecked(mbTriaxial == 0);
    items.triaxial->setChecked(mbTriaxial != 0);
    for (const auto& [action, flag] : items.toggles) {
        action->setChecked(this->*flag != 0);
        // Labels belong to samples, and class numbers and legend to the drawn classes.
        if (flag == &ChartModel::mbDataLabels)
            action->setEnabled(mbSamples != 0);
        else if (flag == &ChartModel::mbLegend)
            action->setEnabled(mbTextureClasses != 0);
    }
}

void ChartDialog::ShowLayout(int triaxial) {
    mbTriaxial = triaxial;
    mCanvas->update();
    if (mPointer)
        ShowReadout(*mPointer);
}

void ChartDialog::ToggleFlag(int ChartModel::*flag) {
    this->*flag = this->*flag == 0 ? 1 : 0;
    mCanvas->update();
    // Titles and values shown or hidden move the triangle.
    if (mPointer)
        ShowReadout(*mPointer);
}

int ChartDialog::ScreenDpi() const {
    return mCanvas->logicalDpiX();
}

void ChartDialog::CopyToClipboard() {
    std::unique_ptr<QMimeData> picture = ChartMimeData(*this, mCanvas->size(), ScreenDpi());
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!picture || clipboard == nullptr) {
        mInteraction.ShowMessage(this, "Problem", "Error copying chart to clipboard",
                                 MessageIcon::Error);
        return;
    }
    clipboard->setMimeData(picture.release());
    mInteraction.ShowMessage(this, "Done", "Chart copied to clipboard", MessageIcon::Information);
}

void ChartDialog::SaveToFile() {
    const QString path = mInteraction.SaveFileName(this, "Save Chart", kSaveFilter, "emf", "");
    if (path.isEmpty())
        return;
    // A name without an extension is saved as the metafile the dialog defaults to; one with an
    // extension of another kind of picture is refused, never given bytes of the wrong kind.
    const std::optional<ChartFormat> format = ChartFormatOf(path);
    const QString suffix = QFileInfo(path).suffix();
    QString reason;
    bool saved = false;
    if (!format && !suffix.isEmpty())
        reason = "." + suffix +
                 " is not a kind of picture the chart is saved as (.emf, .svg, "
                 ".png or .pdf)";
    else
        saved = ExportChart(*this, format.value_or(ChartFormat::Emf), path, mCanvas->size(),
                            ScreenDpi(), &reason);
    if (!saved) {
        mInteraction.ShowMessage(this, "Problem",
                                 "Unable to save the chart to " + path + ": " + reason,
                                 MessageIcon::Error);
        return;
    }
    mInteraction.ShowMessage(this, "Done", "Chart saved", MessageIcon::Information);
}

void ChartDialog::Print() {
    QPrinter printer(QPrinter::HighResolution);
    if (mInteraction.SetUpPrinter(this, printer))
        PrintChart(*this, printer);
}

void ChartDialog::ClearReadout() {
    mPointer.reset();
    setWindowTitle(QString::fromStdString(mScheme.GetName()) + " Chart");
}

void ChartDialog::ShowReadout(QPoint pos) {
    mPointer = pos;
    const point composition = mCanvas->CompositionAt(pos);
    setWindowTitle(
        QString::fromStdString(ReadoutTitle(mScheme.GetName(), composition, mbTriaxial != 0)));
}

void ChartDialog::keyPressEvent(QKeyEvent* event) {
    // Enter closes the chart as Escape does; the window has no button to take it.
    if (IsEnterKey(event)) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
