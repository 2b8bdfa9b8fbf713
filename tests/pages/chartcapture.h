#pragma once

#include "chart/chartdialog.h"
#include "tests/support/scriptedinteraction.h"

#include <functional>
#include <gtest/gtest.h>

// Answers every chart window the page runs by handing it to inspect, and counts them in *shown.
inline void InspectCharts(ScriptedInteraction& user, int* shown,
                          std::function<void(const ChartDialog&)> inspect) {
    user.onDialog = [shown, inspect](QDialog& dialog) {
        ++*shown;
        const auto* chart = dynamic_cast<const ChartDialog*>(&dialog);
        EXPECT_NE(chart, nullptr) << "not a chart: " << dialog.windowTitle().toStdString();
        if (chart)
            inspect(*chart);
        return int(QDialog::Rejected);
    };
}
