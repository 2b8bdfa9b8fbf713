// The raster module's one entry, found by name when granum-cli loads it (cli/rasterloader.cpp).
#include "cli/rastercommand.h"

extern "C" int granum_classify_rasters(const std::vector<ChosenScheme>* schemes,
                                       const RasterOptions* options, std::ostream* err) {
    return ClassifyRasters(*schemes, *options, *err);
}
