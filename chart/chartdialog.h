#pragma once

#include "chart/chartmodel.h"

#include <QDialog>

class UserInteraction;

// The "Chart" window: the texture triangle of one page's data, with the Chart and View menus.
// A page creates it, sets the ChartModel inputs (mScheme, mSchemeFile, the axis names, mPoints,
// mLabels, mbSamples), runs it through UserInteraction::RunDialog and destroys it; the view
// flags and the window placement persist in the "Chart Dialog" settings.
class ChartDialog : public QDialog, public ChartModel {
    Q_OBJECT
public:
    explicit ChartDialog(UserInteraction& interaction, QWidget* parent = nullptr);

private:
    UserInteraction& mInteraction;
};
