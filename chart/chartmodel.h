#pragma once

#include "geometry/polygon.h"
#include "scheme/soiltex.h"

#include <string>
#include <vector>

// A rectangle in logical units of a drawing target; right and bottom are exclusive.
struct ChartRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// What a chart shows and how: the data a page hands over and the seven view switches. The
// dialog builds on it, and the command-line tool draws it without any window.
class ChartModel {
public:
    // The inputs a page sets before the chart is shown.
    soiltex mScheme;
    std::string mSchemeFile; // the page's scheme path, only used to find the chart definition
    std::string mXName = "x";
    std::string mYName = "y";
    std::string mZName = "z";
    std::vector<point> mPoints;       // (x, y) in percent; z is 100 - x - y
    std::vector<std::string> mLabels; // one a point, or none
    int mbSamples = 1;                // 1: sample markers; 0: the vertices of one polygon

    // View flags, each 0 or 1.
    int mbTriaxial = 1;
    int mbAxisTitle = 1;
    int mbAxisValues = 1;
    int mbDataLabels = 1;
    int mbGridLines = 1;
    int mbLegend = 1;
    int mbTextureClasses = 1;

    // Where the last draw laid the chart out.
    ChartRect mChartRect;
};

// A view flag with a name for it: its settings key, or a word of the command-line tool.
struct NamedFlag {
    const char* name;
    int ChartModel::*flag;
};
