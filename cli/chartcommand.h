#pragma once

#include "cli/rangecommand.h"
#include "scheme/soiltex.h"

#include <array>
#include <iosfwd>
#include <optional>
#include <string>

struct ChartOptions {
    std::string samples; // a sample file, "-" for standard input, or empty for none
    std::optional<std::array<AxisRange, 3>> ranges; // a range chart instead of samples
    std::string layout = "tri";                     // "tri" or "bi"
    std::string hide;             // any of titles,values,labels,grid,legend,classes
    std::string size = "600x400"; // the window's client size on a 96-dpi screen, WxH pixels
    // Pixels per inch of the picture: the window at size, drawn at this resolution.
    int dpi = 96;
    std::string output;            // the picture; its extension gives the format
    std::string style = "classic"; // "classic" or "publication"
    // Publication style only: the column (header name or number from 1) whose values group the
    // samples' markers, and density shading whatever the number of samples.
    std::string colorBy;
    bool density = false;
    int fontSize = 0; // points; 0: the style's own
};

// Draws the chart the chart window would show, for the samples of a file (read and completed as
// classify reads them; rows with a plottable composition become points labelled with their
// Sample ID or "no. N") or for a range (the range polygon), and writes it to options.output.
// schemeFile is the scheme's path, beside which the chart definition file is looked for.
// Returns 0; 1 when the ranges are out of order or enclose no part of the triangle; 2 for
// unusable options, input or output (one line on err each time).
int RunChart(const soiltex& scheme, const std::string& schemeFile, const ChartOptions& options,
             std::ostream& err);
