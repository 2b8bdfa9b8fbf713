#pragma once

#include "chart/chartmodel.h"

class QWidget;

// What the chart window keeps between runs, in the "Chart Dialog" settings group: the seven
// view flags under their member names, and the window placement.
namespace chartsettings {

// Reads mbTriaxial, mbAxisTitle, mbAxisValues, mbDataLabels, mbGridLines, mbLegend and
// mbTextureClasses in that order; a missing value reads as 1.
void ReadViewFlags(ChartModel& model);
void WriteViewFlags(const ChartModel& model);

// Puts the window at its stored normal rectangle and state (normal or maximized), but only
// when the last save of the placement completed ("(check)" is 32639); otherwise leaves it.
void RestorePlacement(QWidget& window);

// Writes "(check)" = -32640, the normal rectangle ("Left", "Right", "Top", "Bottom") and
// "State", then "(check)" = 32639; a failed write stops there, so the placement is not
// restored next time.
void SavePlacement(const QWidget& window);

} // namespace chartsettings
