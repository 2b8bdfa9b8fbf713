#pragma once

#include "scheme/classpalette.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// GDAL behind one adapter: no GDAL type appears outside rasterio.cpp. Errors are RasterError,
// whose message is meant for the user as it is.
class RasterError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One band of a raster file: "FILE" is band 1, "FILE:N" band N.
struct BandPath {
    std::string path;
    int band = 1;
};
BandPath ParseBandPath(const std::string& text);

// What the inputs must share and the output takes over.
struct GridInfo {
    int width = 0;
    int height = 0;
    std::optional<std::array<double, 6>> transform; // GDAL's affine geotransform
    std::string crs;                                // WKT; empty when none
    int blockWidth = 0;
    int blockHeight = 0;
};

// What one input band is.
struct BandInfo {
    GridInfo grid;
    bool integer = false; // stored as an integer type that fits int32
    std::optional<double> noData;
    int bands = 0; // of its file
};

// Opens the band and describes it. Throws RasterError.
BandInfo DescribeBand(const BandPath& band);
// Empty when b is on a's grid; else how they differ ("sizes 100 x 80 and 100 x 90").
std::string GridDifference(const GridInfo& a, const GridInfo& b);

// One thread's handles on the input bands.
class BandReader {
public:
    explicit BandReader(const std::vector<BandPath>& bands);
    ~BandReader();
    BandReader(const BandReader&) = delete;
    BandReader& operator=(const BandReader&) = delete;
    // Reads the window of band k (x, y: its offset, w x h cells, rows after each other).
    // Throws RasterError.
    void Read(std::size_t k, int x, int y, int w, int h, int32_t* into);
    void Read(std::size_t k, int x, int y, int w, int h, double* into);

private:
    struct Handles;
    std::unique_ptr<Handles> mHandles;
};

// One band of class codes with its names and colours.
struct ClassBand {
    std::string description;
    std::vector<std::string> names; // code k + 1 is names[k]
    std::vector<Rgb> colours;       // one per name
};

// Class codes of the output: 0 is no data, kFailCode "{ fail }".
inline constexpr uint8_t kFailCode = 255;

// A tiled, DEFLATE-compressed GeoTIFF of byte bands (or of Float32 bands of values), written
// block by block. Compression runs on `threads` threads. Throws RasterError.
class ClassRasterWriter {
public:
    ClassRasterWriter(const std::string& path, const GridInfo& grid,
                      const std::vector<ClassBand>& bands, int threads);
    // Float32 bands of values, named by descriptions, with the given nodata value.
    ClassRasterWriter(const std::string& path, const GridInfo& grid,
                      const std::vector<std::string>& descriptions, float noData, int threads);
    ~ClassRasterWriter();
    ClassRasterWriter(const ClassRasterWriter&) = delete;
    ClassRasterWriter& operator=(const ClassRasterWriter&) = delete;
    // Band k (from 0), the window at x, y of w x h cells.
    void Write(std::size_t k, int x, int y, int w, int h, const uint8_t* codes);
    void Write(std::size_t k, int x, int y, int w, int h, const float* values);
    // Writes everything out and closes the file; its attribute tables go to PATH.aux.xml.
    void Close();

private:
    struct Handles;
    std::unique_ptr<Handles> mHandles;
    std::string mPath;
};

// Copies a written raster into a Cloud Optimized GeoTIFF (DEFLATE, overviews by the most
// frequent class, or by the mean of values) with its tables. Throws RasterError.
void CopyToCog(const std::string& from, const std::string& to, int threads, bool classes = true);

// The attribute table and colour table of a band, read back (for tests and checks): the name
// and the colour of each code that has a row.
struct ClassEntry {
    int code;
    std::string name;
    Rgb colour;
};
std::vector<ClassEntry> ReadClassTable(const std::string& path, int band);
std::vector<ClassEntry> ReadColourTable(const std::string& path, int band);
