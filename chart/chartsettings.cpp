#include "chart/chartsettings.h"

#include "widgets/settings.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>

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

// Kept apart from the flags above, which all read as 1 when missing.
constexpr const char* kPublication = "mbPublication";
constexpr const char* kFontSize = "FontSize";
constexpr int kSmallestFont = 4;
constexpr int kLargestFont = 72;

constexpr const char* kCheck = "(check)";
constexpr int kFarthest = 1 << 24;
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
    model.mbPublication = settings::ReadFlag(*store, kPublication, 0);
    const int size = settings::ReadInt(*store, kFontSize, 0);
    model.mFontSize = size >= kSmallestFont && size <= kLargestFont ? size : 0;
}

void WriteViewFlags(const ChartModel& model) {
    const auto store = settings::Open(settings::kChartDialogGroup);
    for (const NamedFlag& f : kFlags)
        store->setValue(f.name, model.*f.flag);
    store->setValue(kPublication, model.mbPublication);
    store->setValue(kFontSize, model.mFontSize);
}

QRect FitOnScreens(const QRect& wanted, const std::vector<QRect>& screens) {
    if (screens.empty())
        return wanted;
    const auto overlap = [&wanted](const QRect& screen) {
        const QRect common = screen.intersected(wanted);
        return common.isEmpty() ? 0LL : static_cast<long long>(common.width()) * common.height();
    };
    const QRect* screen = &screens.front();
    for (const QRect& s : screens)
        if (overlap(s) > overlap(*screen))
            screen = &s;
    const int width = std::clamp(wanted.width(), 1, screen->width());
    const int height = std::clamp(wanted.height(), 1, screen->height());
    return QRect(
        std::clamp(wanted.left(), screen->left(), screen->left() + screen->width() - width),
        std::clamp(wanted.top(), screen->top(), screen->top() + screen->height() - height), width,
        height);
}

void RestorePlacement(QWidget& window) {
    const auto store = settings::Open(settings::kChartDialogGroup);
    QRect placed = window.geometry();
    bool maximized = false;
    if (settings::ReadInt(*store, kCheck, 0) == kPlacementSaved) {
        // Far beyond any screen, and near enough that right - left cannot overflow.
        const auto read = [&store](const char* key, int fallback) {
            return std::clamp(settings::ReadInt(*store, key, fallback), -kFarthest, kFarthest);
        };
        const int left = read("Left", placed.left());
        const int right = read("Right", placed.left() + placed.width());
        const int top = read("Top", placed.top());
        const int bottom = read("Bottom", placed.top() + placed.height());
        if (right > left && bottom > top) {
            placed = QRect(left, top, right - left, bottom - top);
            // A window that was minimized opens normal: a modal window out of sight would look
            // like a program that hangs.
            maximized = settings::ReadInt(*store, "State", ShowState(window)) == kShowMaximized;
        }
    }
    // A placement saved on a screen that is gone, or larger than this one, would open the
    // window partly or wholly out of sight.
    std::vector<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back(screen->availableGeometry());
    placed = FitOnScreens(placed, screens);
    window.setMinimumSize(window.minimumSize().boundedTo(placed.size()));
    window.setGeometry(placed);
    if (maximized)
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
