#pragma once

#include "chart/chartmodel.h"

#include <QDialog>
#include <QPoint>
#include <optional>
#include <utility>
#include <vector>

class ChartCanvas;
class QAction;
class QMenu;
class UserInteraction;

// The "Chart" window: the texture triangle of one page's data, with the Chart and View menus.
// A page creates it, sets the ChartModel inputs (mScheme, mSchemeFile, the axis names, mPoints,
// mLabels, mbSamples; optionally mMetadata and the groups), runs it through
// UserInteraction::RunDialog and destroys it. Showing it the first time reads the chart definition
// file, the view flags and the window placement; destroying a window that was shown writes the
// flags and the placement back.
class ChartDialog : public QDialog, public ChartModel {
    Q_OBJECT
public:
    explicit ChartDialog(UserInteraction& interaction, QWidget* parent = nullptr);
    ~ChartDialog() override;

    void setVisible(bool visible) override;

    ChartCanvas& Canvas() { return *mCanvas; }
    QMenu& ChartMenu() { return *mChartMenu; }
    QMenu& ViewMenu() { return *mViewMenu; }
    // The right button's menu of the View commands.
    QMenu& ContextMenu() { return *mContextMenu; }

    // The View commands; each repaints the chart.
    void ShowLayout(int triaxial);
    void ToggleFlag(int ChartModel::*flag);
    // Text of the given point size; 0: the style's own.
    void ShowFontSize(int points);

    // The Chart commands.
    void CopyToClipboard();
    void SaveToFile();
    void Print();

    // The title for the mouse at pos in the chart area: the composition there, if any. The
    // title follows the layout while the mouse stays, and loses the composition when it leaves.
    void ShowReadout(QPoint pos);
    void ClearReadout();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // One View menu's items, checked and greyed as the flags say when the menu opens.
    struct ViewItems {
        QAction* biaxial;
        QAction* triaxial;
        std::vector<std::pair<QAction*, int ChartModel::*>> toggles;
    };

    void Initialise();
    ViewItems AddViewItems(QMenu* menu, bool mnemonics);
    void UpdateViewItems(const ViewItems& items) const;
    void ReadChartDefinitionFile();
    // Groups the samples by their Sample ID's prefix for the publication style, unless the
    // page grouped them or the prefixes make one group or too many.
    void GroupBySampleIdPrefix();
    void AddFontSizeMenu(QMenu* view);
    int ScreenDpi() const;

    UserInteraction& mInteraction;
    ChartCanvas* mCanvas;
    QMenu* mChartMenu;
    QMenu* mViewMenu;
    QMenu* mContextMenu;
    ViewItems mViewItems;
    ViewItems mContextItems;
    bool mInitialised = false;
    std::optional<QPoint> mPointer; // where the mouse is over the chart, if it is
};
