#pragma once

#include "cli/datafractions.h"
#include "cli/schemeargument.h"
#include "scheme/classshares.h"

#include <array>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct RasterOptions {
    // (option name without "--", FILE or FILE:BAND), as given: the axes of the first scheme.
    std::vector<std::pair<std::string, std::string>> axisInputs;
    std::string bands; // one file whose bands are the axes in the first scheme's order
    double scale = 1;
    double offset = 0;
    std::optional<double> normaliseTolerance;
    std::string output;
    bool cog = false;
    int threads = 0;                          // 0: every core
    std::optional<std::array<int, 4>> window; // x offset, y offset, width, height
    std::optional<std::pair<int, int>> tile;  // piece I of N (from 1), in rows
    bool quiet = false;
    bool progress = false;
    std::optional<LabError> labError;  // adds the certainty raster (CertaintyPath)
    std::optional<DataFractions> data; // the inputs' particle-size limits, when not the schemes'
    ConversionOptions conversion;
};

// Where the share and distance bands go beside the class map: "map.tif" gives
// "map.certainty.tif" (a name without an extension gets ".certainty.tif").
std::string CertaintyPath(const std::string& output);

// The option an axis takes its input from: its name in lower case, blanks as "-" ("sand").
std::string AxisOptionName(const std::string& axis);

// "X,Y,W,H" as four whole numbers; false otherwise.
bool ParseWindow(const std::string& text, std::array<int, 4>* window);
// "I/N" with 1 <= I <= N; false otherwise.
bool ParseTile(const std::string& text, std::pair<int, int>* tile);

// The rows [first, end) of piece I of N over a raster of `height` rows read in blocks of
// blockHeight: whole blocks, as even as they come, every row in exactly one piece.
std::pair<int, int> TileRows(int height, int blockHeight, int piece, int pieces);

// Classifies the input rasters into a GeoTIFF of class codes, one band per scheme (all
// loaded and valid). Messages go to err. Returns the exit status: 0, or 2 when an option, an
// input or the output cannot be used (nothing is then left under the output's name).
// Lives in the raster module, the only part of granum-cli that needs GDAL.
int ClassifyRasters(const std::vector<ChosenScheme>& schemes, const RasterOptions& options,
                    std::ostream& err);

// ClassifyRasters through the raster module, loaded only now: GDAL's hundred-odd libraries
// would otherwise be mapped at every start, a fifth of a second that every other command
// would pay. 2 after a message when the module cannot be loaded.
int RunRaster(const std::vector<ChosenScheme>& schemes, const RasterOptions& options,
              std::ostream& err);
