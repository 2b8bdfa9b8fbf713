#pragma once

#include "chart/chartmodel.h"

#include <string>

enum class ChartDefinitionStatus {
    NotFound,   // no scheme path, or no file to open: the page's scheme is drawn, nothing said
    Loaded,     // its scheme replaced model.mScheme
    Invalid,    // read, but not a valid scheme: model.mScheme is as the page gave it
    Unreadable, // failed while being read: model.mScheme is as the page gave it
    NotRegular, // a folder, FIFO or device: not opened, model.mScheme is as the page gave it
};

// The chart definition file of a scheme path: the path up to its first "." (all of it when it
// has none) followed by ".cha".
std::string ChartDefinitionPath(const std::string& schemeFile);

// Reads the chart definition file beside model.mSchemeFile into model.mScheme, found the way
// scheme files are found. Every failure puts the page's scheme back.
ChartDefinitionStatus ReadChartDefinition(ChartModel& model);

// "Classification scheme in the chart definition file is invalid" / "Unable to load the chart
// definition file" / that it is not a regular file, for the three failures; empty otherwise.
std::string ChartDefinitionMessage(ChartDefinitionStatus status);
