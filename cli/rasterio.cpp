#include "cli/rasterio.h"

#include "util/pathkind.h"

#include <cerrno>
#include <cmath>
#include <cpl_conv.h>
#include <cpl_error.h>
#include <cpl_string.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gdal_priv.h>
#include <gdal_rat.h>
#include <mutex>
#include <ogr_spatialref.h>
#include <sstream>
#include <sys/stat.h>

namespace {

void RegisterOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        GDALAllRegister();
        // Messages are ours: GDAL's text goes into them through CPLGetLastErrorMsg, never to
        // standard error on its own.
        CPLSetErrorHandler(CPLQuietErrorHandler);
        // Blocks of striped inputs are shared through the cache; bound it unless the user has.
        if (CPLGetConfigOption("GDAL_CACHEMAX", nullptr) == nullptr)
            GDALSetCacheMax64(std::int64_t(64) << 20);
    });
}

std::string LastError(const std::string& what) {
    const char* message = CPLGetLastErrorMsg();
    return message != nullptr && *message != '\0' ? what + ": " + message : what;
}

struct DatasetCloser {
    void operator()(GDALDataset* d) const { GDALClose(GDALDataset::ToHandle(d)); }
};
using Dataset = std::unique_ptr<GDALDataset, DatasetCloser>;

Dataset OpenRead(const std::string& path) {
    RegisterOnce();
    const std::string notRegular = pathkind::NotRegularReason(path);
    if (!notRegular.empty())
        throw RasterError("cannot read " + path + ": " + notRegular);
    // GDAL's own message for a missing file names the path again; ours says why once.
    struct stat info {};
    if (path.compare(0, 4, "/vsi") != 0 && ::stat(path.c_str(), &info) != 0)
        throw RasterError("cannot read " + path + ": " + std::strerror(errno));
    CPLErrorReset();
    Dataset d(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    if (!d) {
        const std::string message = LastError("cannot read " + path);
        throw RasterError(message.find(": ") != std::string::npos
                              ? message
                              : message + ": not a raster that GDAL reads");
    }
    return d;
}

GDALRasterBand* BandOf(GDALDataset& d, const BandPath& band) {
    if (band.band < 1 || band.band > d.GetRasterCount())
        throw RasterError(band.path + " has no band " + std::to_string(band.band) + " (it has " +
                          std::to_string(d.GetRasterCount()) + ")");
    return d.GetRasterBand(band.band);
}

std::string Number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.12g", v);
    return text;
}

// "EPSG:4326", or the CRS's name when it has no code.
std::string CrsName(const std::string& wkt) {
    if (wkt.empty())
        return "none";
    OGRSpatialReference srs;
    if (srs.importFromWkt(wkt.c_str()) != OGRERR_NONE)
        return "unreadable";
    const char* authority = srs.GetAuthorityName(nullptr);
    const char* code = srs.GetAuthorityCode(nullptr);
    if (authority != nullptr && code != nullptr)
        return std::string(authority) + ":" + code;
    const char* name = srs.GetName();
    return name != nullptr ? name : "unnamed";
}

bool SameCrs(const std::string& a, const std::string& b) {
    if (a == b)
        return true;
    if (a.empty() || b.empty())
        return false;
    OGRSpatialReference sa, sb;
    return sa.importFromWkt(a.c_str()) == OGRERR_NONE &&
           sb.importFromWkt(b.c_str()) == OGRERR_NONE && sa.IsSame(&sb);
}

std::string TransformText(const std::optional<std::array<double, 6>>& t) {
    if (!t)
        return "none";
    const std::array<double, 6>& g = *t;
    std::string text = "origin " + Number(g[0]) + ", " + Number(g[3]) + ", cell " + Number(g[1]) +
                       " x " + Number(g[5]);
    if (g[2] != 0 || g[4] != 0)
        text += ", rotation " + Number(g[2]) + ", " + Number(g[4]);
    return text;
}

// A thousandth of a cell: transforms written by different tools differ in the last digits.
bool SameTransform(const std::optional<std::array<double, 6>>& a,
                   const std::optional<std::array<double, 6>>& b) {
    if (!a || !b)
        return !a && !b;
    const double cell = std::max(std::fabs((*a)[1]), std::fabs((*a)[5]));
    for (std::size_t i = 0; i < 6; ++i) {
        const double tolerance = (i == 0 || i == 3) ? cell * 1e-3 : 1e-9 * std::max(1.0, cell);
        if (!(std::fabs((*a)[i] - (*b)[i]) <= tolerance))
            return false;
    }
    return true;
}

void ReadWindow(GDALRasterBand* band, const std::string& path, int x, int y, int w, int h,
                void* into, GDALDataType type) {
    CPLErrorReset();
    if (band->RasterIO(GF_Read, x, y, w, h, into, w, h, type, 0, 0, nullptr) != CE_None)
        throw RasterError(LastError("cannot read " + path));
}

constexpr const char* kNameColumn = "Class";

} // namespace

BandPath ParseBandPath(const std::string& text) {
    const std::size_t colon = text.rfind(':');
    if (colon != std::string::npos && colon > 0 && colon + 1 < text.size() &&
        text.find_first_not_of("0123456789", colon + 1) == std::string::npos &&
        text.size() - colon <= 6)
        return {text.substr(0, colon), std::atoi(text.c_str() + colon + 1)};
    return {text, 1};
}

BandInfo DescribeBand(const BandPath& path) {
    Dataset d = OpenRead(path.path);
    GDALRasterBand* band = BandOf(*d, path);
    BandInfo info;
    info.bands = d->GetRasterCount();
    info.grid.width = d->GetRasterXSize();
    info.grid.height = d->GetRasterYSize();
    std::array<double, 6> t{};
    if (d->GetGeoTransform(t.data()) == CE_None)
        info.grid.transform = t;
    if (const OGRSpatialReference* srs = d->GetSpatialRef()) {
        char* wkt = nullptr;
        srs->exportToWkt(&wkt);
        info.grid.crs = wkt != nullptr ? wkt : "";
        CPLFree(wkt);
    }
    band->GetBlockSize(&info.grid.blockWidth, &info.grid.blockHeight);
    const GDALDataType type = band->GetRasterDataType();
    info.integer = type == GDT_Byte || type == GDT_UInt16 || type == GDT_Int16 || type == GDT_Int32;
    int has = 0;
    const double noData = band->GetNoDataValue(&has);
    if (has)
        info.noData = noData;
    return info;
}

std::string GridDifference(const GridInfo& a, const GridInfo& b) {
    if (a.width != b.width || a.height != b.height)
        return "sizes " + std::to_string(a.width) + " x " + std::to_string(a.height) + " and " +
               std::to_string(b.width) + " x " + std::to_string(b.height) + " cells";
    if (!SameTransform(a.transform, b.transform))
        return "transforms " + TransformText(a.transform) + " and " + TransformText(b.transform);
    if (!SameCrs(a.crs, b.crs))
        return "coordinate systems " + CrsName(a.crs) + " and " + CrsName(b.crs);
    return std::string();
}

struct BandReader::Handles {
    std::vector<Dataset> datasets;
    std::vector<GDALRasterBand*> bands;
    std::vector<std::string> paths;
};

BandReader::BandReader(const std::vector<BandPath>& bands) : mHandles(new Handles) {
    for (const BandPath& b : bands) {
        mHandles->datasets.push_back(OpenRead(b.path));
        mHandles->bands.push_back(BandOf(*mHandles->datasets.back(), b));
        mHandles->paths.push_back(b.path);
    }
}

BandReader::~BandReader() = default;

void BandReader::Read(std::size_t k, int x, int y, int w, int h, int32_t* into) {
    ReadWindow(mHandles->bands[k], mHandles->paths[k], x, y, w, h, into, GDT_Int32);
}

void BandReader::Read(std::size_t k, int x, int y, int w, int h, double* into) {
    ReadWindow(mHandles->bands[k], mHandles->paths[k], x, y, w, h, into, GDT_Float64);
}

struct ClassRasterWriter::Handles {
    Dataset dataset;
};

namespace {

// A tiled, DEFLATE-compressed GeoTIFF of n bands of one type on the grid.
GDALDataset* CreateTiled(const std::string& path, const GridInfo& grid, int n, GDALDataType type,
                         int threads) {
    RegisterOnce();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GTiff");
    if (driver == nullptr)
        throw RasterError("GDAL has no GeoTIFF driver");
    CPLStringList options;
    options.SetNameValue("TILED", "YES");
    options.SetNameValue("BLOCKXSIZE", std::to_string(grid.blockWidth).c_str());
    options.SetNameValue("BLOCKYSIZE", std::to_string(grid.blockHeight).c_str());
    options.SetNameValue("COMPRESS", "DEFLATE");
    // Floats compress better after a floating-point predictor.
    if (type == GDT_Float32)
        options.SetNameValue("PREDICTOR", "3");
    options.SetNameValue("INTERLEAVE", "BAND");
    options.SetNameValue("BIGTIFF", "IF_SAFER");
    options.SetNameValue("NUM_THREADS", std::to_string(threads).c_str());
    CPLErrorReset();
    GDALDataset* d = driver->Create(path.c_str(), grid.width, grid.height, n, type, options.List());
    if (d == nullptr)
        throw RasterError(LastError("cannot write " + path));
    if (grid.transform) {
        std::array<double, 6> t = *grid.transform;
        d->SetGeoTransform(t.data());
    }
    if (!grid.crs.empty())
        d->SetProjection(grid.crs.c_str());
    return d;
}

} // namespace

ClassRasterWriter::ClassRasterWriter(const std::string& path, const GridInfo& grid,
                                     const std::vector<std::string>& descriptions, float noData,
                                     int threads)
    : mHandles(new Handles), mPath(path) {
    mHandles->dataset.reset(
        CreateTiled(path, grid, int(descriptions.size()), GDT_Float32, threads));
    for (std::size_t k = 0; k < descriptions.size(); ++k) {
        GDALRasterBand* band = mHandles->dataset->GetRasterBand(int(k) + 1);
        band->SetDescription(descriptions[k].c_str());
        band->SetNoDataValue(noData);
    }
}

ClassRasterWriter::ClassRasterWriter(const std::string& path, const GridInfo& grid,
                                     const std::vector<ClassBand>& bands, int threads)
    : mHandles(new Handles), mPath(path) {
    mHandles->dataset.reset(CreateTiled(path, grid, int(bands.size()), GDT_Byte, threads));
    GDALDataset* d = mHandles->dataset.get();
    for (std::size_t k = 0; k < bands.size(); ++k) {
        const ClassBand& c = bands[k];
        GDALRasterBand* band = d->GetRasterBand(int(k) + 1);
        band->SetDescription(c.description.c_str());
        band->SetNoDataValue(0);
        GDALColorTable colours;
        const GDALColorEntry none{0, 0, 0, 0};
        colours.SetColorEntry(0, &none);
        GDALDefaultRasterAttributeTable rat;
        rat.SetTableType(GRTT_THEMATIC);
        rat.CreateColumn("Value", GFT_Integer, GFU_MinMax);
        rat.CreateColumn(kNameColumn, GFT_String, GFU_Name);
        rat.CreateColumn("Red", GFT_Integer, GFU_Red);
        rat.CreateColumn("Green", GFT_Integer, GFU_Green);
        rat.CreateColumn("Blue", GFT_Integer, GFU_Blue);
        const auto addRow = [&](int code, const std::string& name, Rgb rgb) {
            const GDALColorEntry entry{rgb.r, rgb.g, rgb.b, 255};
            colours.SetColorEntry(code, &entry);
            const int row = rat.GetRowCount();
            rat.SetValue(row, 0, code);
            rat.SetValue(row, 1, name.c_str());
            rat.SetValue(row, 2, rgb.r);
            rat.SetValue(row, 3, rgb.g);
            rat.SetValue(row, 4, rgb.b);
        };
        for (std::size_t i = 0; i < c.names.size(); ++i)
            addRow(int(i) + 1, c.names[i], i < c.colours.size() ? c.colours[i] : Rgb{});
        // Entries up to the fail code, so that the table covers every value a band holds.
        const GDALColorEntry unused{0, 0, 0, 0};
        for (int code = int(c.names.size()) + 1; code < kFailCode; ++code)
            colours.SetColorEntry(code, &unused);
        addRow(kFailCode, "{ fail }", Rgb{0x44, 0x44, 0x44});
        // A TIFF holds one colour map, band 1's; every band's attribute table has the colours.
        if (k == 0) {
            band->SetColorInterpretation(GCI_PaletteIndex);
            band->SetColorTable(&colours);
        }
        band->SetDefaultRAT(&rat);
    }
}

ClassRasterWriter::~ClassRasterWriter() = default;

void ClassRasterWriter::Write(std::size_t k, int x, int y, int w, int h, const uint8_t* codes) {
    GDALRasterBand* band = mHandles->dataset->GetRasterBand(int(k) + 1);
    CPLErrorReset();
    if (band->RasterIO(GF_Write, x, y, w, h, const_cast<uint8_t*>(codes), w, h, GDT_Byte, 0, 0,
                       nullptr) != CE_None)
        throw RasterError(LastError("cannot write " + mPath));
}

void ClassRasterWriter::Write(std::size_t k, int x, int y, int w, int h, const float* values) {
    GDALRasterBand* band = mHandles->dataset->GetRasterBand(int(k) + 1);
    CPLErrorReset();
    if (band->RasterIO(GF_Write, x, y, w, h, const_cast<float*>(values), w, h, GDT_Float32, 0, 0,
                       nullptr) != CE_None)
        throw RasterError(LastError("cannot write " + mPath));
}

void ClassRasterWriter::Close() {
    CPLErrorReset();
    mHandles->dataset.reset();
    if (CPLGetLastErrorType() == CE_Failure)
        throw RasterError(LastError("cannot write " + mPath));
}

void CopyToCog(const std::string& from, const std::string& to, int threads, bool classes) {
    Dataset source = OpenRead(from);
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("COG");
    if (driver == nullptr)
        throw RasterError("GDAL has no Cloud Optimized GeoTIFF driver");
    CPLStringList options;
    options.SetNameValue("COMPRESS", "DEFLATE");
    options.SetNameValue("BIGTIFF", "IF_SAFER");
    options.SetNameValue("OVERVIEW_RESAMPLING", classes ? "MODE" : "AVERAGE");
    options.SetNameValue("NUM_THREADS", std::to_string(threads).c_str());
    CPLErrorReset();
    Dataset copy(
        driver->CreateCopy(to.c_str(), source.get(), FALSE, options.List(), nullptr, nullptr));
    if (!copy)
        throw RasterError(LastError("cannot write " + to));
    // The COG driver leaves the attribute tables behind; they go beside it as for a GeoTIFF.
    for (int k = 1; k <= source->GetRasterCount(); ++k) {
        GDALRasterBand* band = copy->GetRasterBand(k);
        if (const GDALRasterAttributeTable* rat = source->GetRasterBand(k)->GetDefaultRAT())
            band->SetDefaultRAT(rat);
        if (GDALColorTable* colours = source->GetRasterBand(k)->GetColorTable())
            band->SetColorTable(colours);
    }
    copy.reset();
    if (CPLGetLastErrorType() == CE_Failure)
        throw RasterError(LastError("cannot write " + to));
}

std::vector<ClassEntry> ReadClassTable(const std::string& path, int band) {
    Dataset d = OpenRead(path);
    std::vector<ClassEntry> entries;
    const GDALRasterAttributeTable* rat = BandOf(*d, {path, band})->GetDefaultRAT();
    if (rat == nullptr)
        return entries;
    const int value = rat->GetColOfUsage(GFU_MinMax), name = rat->GetColOfUsage(GFU_Name);
    const int r = rat->GetColOfUsage(GFU_Red), g = rat->GetColOfUsage(GFU_Green),
              b = rat->GetColOfUsage(GFU_Blue);
    if (value < 0 || name < 0 || r < 0 || g < 0 || b < 0)
        return entries;
    for (int row = 0; row < rat->GetRowCount(); ++row)
        entries.push_back(
            {rat->GetValueAsInt(row, value), rat->GetValueAsString(row, name),
             Rgb{uint8_t(rat->GetValueAsInt(row, r)), uint8_t(rat->GetValueAsInt(row, g)),
                 uint8_t(rat->GetValueAsInt(row, b))}});
    return entries;
}

std::vector<ClassEntry> ReadColourTable(const std::string& path, int band) {
    Dataset d = OpenRead(path);
    std::vector<ClassEntry> entries;
    const GDALColorTable* colours = BandOf(*d, {path, band})->GetColorTable();
    if (colours == nullptr)
        return entries;
    for (int code = 0; code < colours->GetColorEntryCount(); ++code) {
        const GDALColorEntry* e = colours->GetColorEntry(code);
        if (e->c4 != 0)
            entries.push_back({code, "", Rgb{uint8_t(e->c1), uint8_t(e->c2), uint8_t(e->c3)}});
    }
    return entries;
}
