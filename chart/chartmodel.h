#pragma once

#include "geometry/polygon.h"
#include "scheme/schememetadata.h"
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

// What a chart shows and how: the data a page hands over and the view switches. The
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
    // What the scheme file says of itself: the publication style's abbreviations and
    // particle-size limits.
    SchemeMetadata mMetadata;
    // The group of each point (an index into mGroupNames), for the publication style's marker
    // colours and shapes; empty: one group. mGroupTitle heads their legend.
    std::vector<int> mGroups;
    std::vector<std::string> mGroupNames;
    std::string mGroupTitle;
    int mFontSize = 0; // points; 0: the style's own (8 classic, 9 publication)
    int mbDensity = 0; // 1: density shading in the publication style whatever the sample count

    // View flags, each 0 or 1.
    int mbTriaxial = 1;
    int mbAxisTitle = 1;
    int mbAxisValues = 1;
    int mbDataLabels = 1;
    int mbGridLines = 1;
    int mbLegend = 1;
    int mbTextureClasses = 1;
    // 0: the classic chart; 1: the publication style (filled classes named inside, ticks,
    // arrows, grouped markers).
    int mbPublication = 0;

    // Where the last draw laid the chart out.
    ChartRect mChartRect;
};

// A view flag with a name for it: its settings key, or a word of the command-line tool.
struct NamedFlag {
    const char* name;
    int ChartModel::*flag;
};
