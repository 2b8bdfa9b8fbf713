#include "chart/chartsettings.h"

#include "widgets/settings.h"

#include <QRect>
#include <QWidget>

namespace chartsettings {

namespace {

// In the order they are read and written.
constexpr NamedFlag kFlags[] = {
    {"mbTriaxial", &ChartModel::mbTriaxial},
    {"mbAxisTitle", &ChartModel::mbAxisTitle},
    {"mbAxisValues", &ChartModel::mbAxisValues},
    {"mbDataLabels", &ChartModel::mbDataLabels},
    {"mbGridLines", &ChartModel::mbGridLines},
    {"mbLegend", &ChartModel::mbLegend},
    {"mbTextureClasses", &ChartModel::mbTextureClasses},
};

constexpr const char* kCheck = "(check)";
constexpr int kPlacementSaved = 32639;
constexpr int kPlacementSaving = -32640;

// Show states as the platform's placement record numbers them.
constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;

int ShowState(const QWidget& window) {
    if (window.isMaximized())
        return kShowMaximized;
    return window.isMinimized() ? kShowMinimized : kShowNormal;
}

// Writes what is set so far; false when the settings could not be stored.
bool Flush(QSettings& store) {
    store.sync();
    return store.status() == QSettings::NoError;
}

} // namespace

void ReadViewFlags(ChartModel& model) {
    const auto store = settings::Open(settings::kChartDialogGroup);
    for (const NamedFlag& f : kFlags)
        model.*f.flag = settings::ReadFlag(*store, f.name, 1);
}

void WriteViewFlags(const ChartModel& model) {
    const auto store = settings::Open(settings::kChartDialogGroup);
    for (const NamedFlag& f : kFlags)
        store->setValue(f.name, model.*f.flag);
}

void RestorePlacement(QWidget& window) {
    const auto store = settings::Open(settings::kChartDialogGroup);
    if (settings::ReadInt(*store, kCheck, 0) != kPlacementSaved)
        return;
    const QRect current = window.normalGeometry();
    const int left = settings::ReadInt(*store, "Left", current.left());
    const int right = settings::ReadInt(*store, "Right", current.left() + current.width());
    const int top = settings::ReadInt(*store, "Top", current.top());
    const int bottom = settings::ReadInt(*store, "Bottom", current.top() + current.height());
    const int state = settings::ReadInt(*store, "State", ShowState(window));
    window.setGeometry(QRect(left, top, right - left, bottom - top));
    // A window that was minimized opens normal: a modal window out of sight would look like a
    // program that hangs.
    if (state == kShowMaximized)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void SavePlacement(const QWidget& window) {
    const auto store = settings::Open(settings::kChartDialogGroup);
    store->setValue(kCheck, kPlacementSaving);
    if (!Flush(*store))
        return;
    // The rectangle as the platform's placement record gives it: right and bottom exclusive.
    const QRect normal =
        window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    store->setValue("Left", normal.left());
    store->setValue("Right", normal.left() + normal.width());
    store->setValue("Top", normal.top());
    store->setValue("Bottom", normal.top() + normal.height());
    store->setValue("State", ShowState(window));
    if (!Flush(*store))
        return;
    store->setValue(kCheck, kPlacementSaved);
    store->sync();
}

} // namespace chartsettings
