#pragma once

#include "chart/chartmodel.h"

#include <QRect>
#include <vector>

class QWidget;

// What the chart window keeps between runs, in the "Chart Dialog" settings group: the view
// flags under their member names, the font size, and the window placement.
namespace chartsettings {

// Reads mbTriaxial, mbAxisTitle, mbAxisValues, mbDataLabels, mbGridLines, mbLegend and
// mbTextureClasses in that order, a missing value reading as 1; then mbPublication (missing: 0,
// the classic chart) and mFontSize ("FontSize"; missing or out of 4 to 72: 0, the style's own).
void ReadViewFlags(ChartModel& model);
void WriteViewFlags(const ChartModel& model);

// Puts the window at its stored normal rectangle and state (normal or maximized), but only
// when the last save of the placement completed ("(check)" is 32639) and the rectangle is not
// empty; otherwise leaves it. Either way the window then lies whole on a screen.
void RestorePlacement(QWidget& window);

// The rectangle moved and shrunk the least that puts it whole on one of the screens (their
// available areas): the one it overlaps most, or the first when it overlaps none. Returned as
// it is when there are no screens.
QRect FitOnScreens(const QRect& wanted, const std::vector<QRect>& screens);

// Writes "(check)" = -32640, the normal rectangle ("Left", "Right", "Top", "Bottom") and
// "State", then "(check)" = 32639; a failed write stops there, so the placement is not
// restored next time.
void SavePlacement(const QWidget& window);

} // namespace chartsettings
