#include "cli/commandline.h"
#include "cli/rastercommand.h"
#include "cli/rasterio.h"
#include "cli/rowclassifier.h"
#include "scheme/blockclassifier.h"
#include "scheme/classpalette.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace {

namespace fs = std::filesystem;

struct Grid {
    int width = 37, height = 29; // not a multiple of the blocks: partial edge blocks
    std::array<double, 6> transform{500000, 250, 0, 4000000, 0, -250};
    int epsg = 32632;
};

// Writes a tiled GeoTIFF of one band with GDAL's API.
void WriteRaster(const std::string& path, GDALDataType type, const std::vector<double>& values,
                 std::optional<double> noData, const Grid& grid = {}, bool tiled = true) {
    GDALAllRegister();
    char** options = nullptr;
    options = CSLSetNameValue(options, "TILED", tiled ? "YES" : "NO");
    options = CSLSetNameValue(options, "BLOCKXSIZE", "16");
    options = CSLSetNameValue(options, "BLOCKYSIZE", "16");
    options = CSLSetNameValue(options, "COMPRESS", "DEFLATE");
    GDALDataset* d = GetGDALDriverManager()->GetDriverByName("GTiff")->Create(
        path.c_str(), grid.width, grid.height, 1, type, options);
    CSLDestroy(options);
    ASSERT_NE(d, nullptr);
    std::array<double, 6> t = grid.transform;
    d->SetGeoTransform(t.data());
    OGRSpatialReference srs;
    srs.importFromEPSG(grid.epsg);
    d->SetSpatialRef(&srs);
    GDALRasterBand* band = d->GetRasterBand(1);
    if (noData)
        band->SetNoDataValue(*noData);
    std::vector<double> copy = values;
    ASSERT_EQ(band->RasterIO(GF_Write, 0, 0, grid.width, grid.height, copy.data(), grid.width,
                             grid.height, GDT_Float64, 0, 0, nullptr),
              CE_None);
    GDALClose(d);
}

std::vector<uint8_t> ReadCodes(const std::string& path, int band = 1) {
    GDALDataset* d = GDALDataset::Open(path.c_str(), GDAL_OF_RASTER);
    EXPECT_NE(d, nullptr);
    if (d == nullptr)
        return {};
    const int w = d->GetRasterXSize(), h = d->GetRasterYSize();
    std::vector<uint8_t> codes(std::size_t(w) * std::size_t(h));
    EXPECT_EQ(d->GetRasterBand(band)->RasterIO(GF_Read, 0, 0, w, h, codes.data(), w, h, GDT_Byte, 0,
                                               0, nullptr),
              CE_None);
    GDALClose(d);
    return codes;
}

std::vector<float> ReadValues(const std::string& path, int band, std::string* description) {
    GDALDataset* d = GDALDataset::Open(path.c_str(), GDAL_OF_RASTER);
    EXPECT_NE(d, nullptr);
    if (d == nullptr)
        return {};
    const int w = d->GetRasterXSize(), h = d->GetRasterYSize();
    std::vector<float> values(std::size_t(w) * std::size_t(h));
    EXPECT_EQ(d->GetRasterBand(band)->RasterIO(GF_Read, 0, 0, w, h, values.data(), w, h,
                                               GDT_Float32, 0, 0, nullptr),
              CE_None);
    *description = d->GetRasterBand(band)->GetDescription();
    GDALClose(d);
    return values;
}

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t from = 0;
    for (std::size_t comma; (comma = line.find(',', from)) != std::string::npos; from = comma + 1)
        fields.push_back(line.substr(from, comma - from));
    fields.push_back(line.substr(from));
    return fields;
}

std::string Text(double v) {
    if (std::isnan(v))
        return std::string();
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

// Stored sand, clay and silt of every cell over the whole triangle, as g/kg or as percent with
// decimals, the silt rounded the way published layers are: sums a unit off now and then.
struct Stored {
    std::vector<double> sand, clay, silt;
};
Stored RandomSoil(std::size_t n, unsigned seed, bool whole) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(0, 1);
    Stored s;
    for (std::size_t i = 0; i < n; ++i) {
        const double sand = std::floor(u(rng) * 1001), clay = std::floor(u(rng) * (1001 - sand));
        const double off = (i % 7 == 0 ? 1 : 0) - (i % 11 == 0 ? 1 : 0);
        if (whole) {
            s.sand.push_back(sand);
            s.clay.push_back(clay);
            s.silt.push_back(1000 - sand - clay + off);
        } else {
            const double a = sand / 10 + u(rng) / 20, b = clay / 10 + u(rng) / 20;
            s.sand.push_back(a);
            s.clay.push_back(b);
            s.silt.push_back(100 - a - b + off / 10);
        }
    }
    return s;
}

class RasterRun : public testing::Test {
protected:
    void SetUp() override {
        mFolder = fs::temp_directory_path() /
                  ("granum-raster-" + std::to_string(::getpid()) + "-" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(mFolder);
        fs::create_directories(mFolder);
        // de-ka5's axes are clay, silt, sand: its band takes the inputs by name.
        std::ostringstream err;
        ASSERT_TRUE(LoadSchemeArguments({"usda", "de-ka5"}, &mAll, err)) << err.str();
    }
    void TearDown() override { fs::remove_all(mFolder); }

    std::string Path(const std::string& name) const { return (mFolder / name).string(); }

    int Run(RasterOptions options, std::size_t schemes = 1) {
        options.threads = 2;
        std::ostringstream err;
        const std::vector<ChosenScheme> chosen(mAll.begin(), mAll.begin() + long(schemes));
        const int status = ClassifyRasters(chosen, options, err);
        mErr = err.str();
        return status;
    }

    // Every cell's code names the first class the row classifier gives for the cell's three
    // percentages as text (missing values empty), "{ fail }" as 255, no texture as 0.
    void ExpectRowClasses(const std::vector<uint8_t>& codes, const std::vector<std::string>& names,
                          const std::vector<std::array<double, 3>>& percent,
                          std::optional<double> normalise, std::size_t schemeIndex = 0) {
        CellClassifier cells(mAll[schemeIndex].scheme);
        RowClassifier rows(cells, normalise);
        ASSERT_EQ(codes.size(), percent.size());
        for (std::size_t i = 0; i < codes.size(); ++i) {
            std::string texture;
            const RowOutcome outcome = rows.Classify(Text(percent[i][0]), Text(percent[i][1]),
                                                     Text(percent[i][2]), &texture);
            std::string expected = texture.substr(0, texture.find(" / "));
            if (outcome == RowOutcome::TooFewValues)
                expected = "no data";
            const uint8_t c = codes[i];
            const std::string got = c == 0           ? "no data"
                                    : c == kFailCode ? "{ fail }"
                                                     : names[c - 1u];
            ASSERT_EQ(got, expected) << "cell " << i << ": " << Text(percent[i][0]) << ", "
                                     << Text(percent[i][1]) << ", " << Text(percent[i][2]);
        }
    }

    // Random sand and clay in g/kg as int16 files, nodata -1, and the options that read them.
    RasterOptions GramsPerKgPair(unsigned seed, Stored* s) {
        const Grid grid;
        *s = RandomSoil(std::size_t(grid.width) * std::size_t(grid.height), seed, true);
        WriteRaster(Path("sand.tif"), GDT_Int16, s->sand, -1);
        WriteRaster(Path("clay.tif"), GDT_Int16, s->clay, -1);
        RasterOptions o;
        o.axisInputs = {{"sand", Path("sand.tif")}, {"clay", Path("clay.tif")}};
        o.scale = 0.1;
        return o;
    }

    fs::path mFolder;
    std::vector<ChosenScheme> mAll;
    std::string mErr;
};

std::vector<std::string> NamesOf(const soiltex& scheme) {
    std::array<StoredAxis, 3> axes{};
    return BlockClassifier(scheme, axes, std::nullopt).Names();
}

TEST_F(RasterRun, EveryCellAsTheRowClassifierGivesIt) {
    const struct {
        const char* name;
        GDALDataType type;
        double scale;
        bool three;
        std::optional<double> normalise;
    } cases[] = {
        {"int16 g/kg pair", GDT_Int16, 0.1, false, std::nullopt},
        {"int16 g/kg three", GDT_Int16, 0.1, true, std::nullopt},
        {"int16 g/kg three normalised", GDT_Int16, 0.1, true, 1.0},
        {"float percent pair", GDT_Float32, 1, false, std::nullopt},
        {"float percent three normalised", GDT_Float64, 1, true, 5.0},
    };
    const Grid grid;
    const std::size_t n = std::size_t(grid.width) * std::size_t(grid.height);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool whole = c.type == GDT_Int16;
        Stored s = RandomSoil(n, 42, whole);
        const double noData = whole ? -1 : -9999;
        s.sand[3] = s.clay[5] = s.silt[7] = noData;
        s.sand[9] = whole ? 1200 : 120; // out of range: missing
        WriteRaster(Path("sand.tif"), c.type, s.sand, noData);
        WriteRaster(Path("clay.tif"), c.type, s.clay, noData);
        WriteRaster(Path("silt.tif"), c.type, s.silt, noData);
        RasterOptions o;
        o.axisInputs = {{"sand", Path("sand.tif")}, {"clay", Path("clay.tif")}};
        if (c.three)
            o.axisInputs.push_back({"silt", Path("silt.tif")});
        o.scale = c.scale;
        o.normaliseTolerance = c.normalise;
        o.output = Path("out.tif");
        ASSERT_EQ(Run(o), 0) << mErr;
        std::vector<std::array<double, 3>> percent;
        for (std::size_t i = 0; i < n; ++i) {
            std::array<double, 3> p{};
            const std::array<double, 3> v{s.sand[i], s.clay[i], s.silt[i]};
            for (std::size_t k = 0; k < 3; ++k) {
                const float stored = float(v[k]); // as the file holds it
                p[k] = (v[k] == noData || (k == 2 && !c.three))
                           ? NAN
                           : (c.type == GDT_Float32 ? double(stored) : v[k]) * c.scale;
            }
            percent.push_back(p);
        }
        ExpectRowClasses(ReadCodes(o.output), NamesOf(mAll[0].scheme), percent, c.normalise);
    }
}

// The tables travel with the file: QGIS shows a class's name and colour from them.
TEST_F(RasterRun, SeveralSchemesGiveABandEachWithItsTables) {
    const Grid grid;
    const std::size_t n = std::size_t(grid.width) * std::size_t(grid.height);
    Stored s;
    RasterOptions o = GramsPerKgPair(7, &s);
    std::swap(o.axisInputs[0], o.axisInputs[1]); // any order, and a band named
    o.axisInputs[0].second += ":1";
    o.output = Path("two.tif");
    ASSERT_EQ(Run(o, 2), 0) << mErr;
    for (int band = 1; band <= 2; ++band) {
        const soiltex& scheme = mAll[std::size_t(band - 1)].scheme;
        const std::vector<std::string> names = NamesOf(scheme);
        const std::vector<ClassEntry> rat = ReadClassTable(o.output, band);
        ASSERT_EQ(rat.size(), names.size() + 1);
        const std::vector<Rgb> colours = ClassColours(scheme);
        for (std::size_t k = 0; k < names.size(); ++k) {
            EXPECT_EQ(rat[k].code, int(k) + 1);
            EXPECT_EQ(rat[k].name, names[k]);
            std::size_t first = 0;
            while (scheme.Classes()[first].name != names[k])
                ++first;
            EXPECT_EQ(rat[k].colour, colours[first]) << names[k];
        }
        EXPECT_EQ(rat.back().code, int(kFailCode));
        // A TIFF has one colour map: band 1's.
        const std::vector<ClassEntry> table = ReadColourTable(o.output, band);
        EXPECT_EQ(table.empty(), band > 1);
        for (const ClassEntry& e : band == 1 ? rat : std::vector<ClassEntry>()) {
            const auto found = std::find_if(table.begin(), table.end(),
                                            [&e](const ClassEntry& t) { return t.code == e.code; });
            ASSERT_NE(found, table.end());
            EXPECT_EQ(found->colour, e.colour);
        }
        std::vector<std::array<double, 3>> percent;
        for (std::size_t i = 0; i < n; ++i) {
            if (band == 1)
                percent.push_back({s.sand[i] * 0.1, s.clay[i] * 0.1, NAN});
            else
                percent.push_back({s.clay[i] * 0.1, NAN, s.sand[i] * 0.1});
        }
        ExpectRowClasses(ReadCodes(o.output, band), names, percent, std::nullopt,
                         std::size_t(band - 1));
    }
}

// A window, and pieces that join into the whole: the codes are those of the full run.
TEST_F(RasterRun, WindowsAndTilesCutTheFullMap) {
    const Grid grid;
    Stored s;
    RasterOptions o = GramsPerKgPair(3, &s);
    o.output = Path("full.tif");
    ASSERT_EQ(Run(o), 0) << mErr;
    const std::vector<uint8_t> full = ReadCodes(o.output);

    o.window = std::array<int, 4>{5, 3, 20, 17};
    o.output = Path("window.tif");
    ASSERT_EQ(Run(o), 0) << mErr;
    const std::vector<uint8_t> window = ReadCodes(o.output);
    ASSERT_EQ(window.size(), 20u * 17u);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(window[std::size_t(y * 20 + x)],
                      full[std::size_t((y + 3) * grid.width + x + 5)]);
    const BandInfo info = DescribeBand({o.output, 1});
    EXPECT_DOUBLE_EQ((*info.grid.transform)[0], 500000 + 5 * 250);
    EXPECT_DOUBLE_EQ((*info.grid.transform)[3], 4000000 - 3 * 250);

    o.window.reset();
    std::vector<uint8_t> joined;
    for (int piece = 1; piece <= 2; ++piece) {
        o.tile = std::make_pair(piece, 2);
        o.output = Path("piece" + std::to_string(piece) + ".tif");
        ASSERT_EQ(Run(o), 0) << mErr;
        const std::vector<uint8_t> codes = ReadCodes(o.output);
        joined.insert(joined.end(), codes.begin(), codes.end());
    }
    EXPECT_EQ(joined, full);

    // Inputs in strips are read in bands of rows: the same map.
    WriteRaster(Path("sand.tif"), GDT_Int16, s.sand, -1, grid, false);
    WriteRaster(Path("clay.tif"), GDT_Int16, s.clay, -1, grid, false);
    o.tile.reset();
    o.output = Path("strips.tif");
    ASSERT_EQ(Run(o), 0) << mErr;
    EXPECT_EQ(ReadCodes(o.output), full);
}

TEST(RasterTiles, PiecesCoverEveryRowOnceInWholeBlocks) {
    for (int height : {1, 15, 16, 17, 100, 8000})
        for (int block : {1, 16, 256})
            for (int pieces : {1, 2, 3, 7}) {
                int next = 0;
                for (int i = 1; i <= pieces; ++i) {
                    const auto [first, end] = TileRows(height, block, i, pieces);
                    EXPECT_EQ(first, next);
                    EXPECT_TRUE(first == end || first % block == 0);
                    next = end;
                }
                EXPECT_EQ(next, height) << height << " " << block << " " << pieces;
            }
}

// Inputs on different grids are refused, saying how they differ, and nothing is written.
TEST_F(RasterRun, MismatchedGridsAreRefused) {
    const Grid base;
    const std::size_t n = std::size_t(base.width) * std::size_t(base.height);
    const std::vector<double> values(n, 300);
    WriteRaster(Path("sand.tif"), GDT_Int16, values, std::nullopt, base);
    Grid size = base, shifted = base, crs = base;
    size.height += 1;
    shifted.transform[0] += 125;
    crs.epsg = 32633;
    const struct {
        const char* name;
        Grid grid;
        const char* says;
    } cases[] = {{"size", size, "sizes 37 x 29 and 37 x 30 cells"},
                 {"transform", shifted, "transforms origin 500000"},
                 {"crs", crs, "coordinate systems EPSG:32632 and EPSG:32633"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteRaster(
            Path("clay.tif"), GDT_Int16,
            std::vector<double>(std::size_t(c.grid.width) * std::size_t(c.grid.height), 200),
            std::nullopt, c.grid);
        RasterOptions o;
        o.axisInputs = {{"sand", Path("sand.tif")}, {"clay", Path("clay.tif")}};
        o.output = Path("out.tif");
        EXPECT_EQ(Run(o), 2);
        EXPECT_NE(mErr.find("clay.tif is not on the grid of"), std::string::npos) << mErr;
        EXPECT_NE(mErr.find(c.says), std::string::npos) << mErr;
        EXPECT_FALSE(fs::exists(o.output));
    }
}

TEST_F(RasterRun, UnusableOptionsAreRefusedBeforeAnythingIsWritten) {
    const Grid grid;
    const std::vector<double> values(std::size_t(grid.width) * std::size_t(grid.height), 300);
    WriteRaster(Path("sand.tif"), GDT_Int16, values, std::nullopt);
    const struct {
        std::vector<std::pair<std::string, std::string>> inputs;
        std::optional<std::array<int, 4>> window;
        const char* says;
    } cases[] = {
        {{{"sand", "sand.tif"}}, std::nullopt, "give at least two of --sand, --clay, --silt"},
        {{{"sand", "sand.tif"}, {"gravel", "sand.tif"}},
         std::nullopt,
         "--gravel is not an axis of usda"},
        {{{"sand", "sand.tif"}, {"clay", "sand.tif:2"}}, std::nullopt, "has no band 2"},
        {{{"sand", "sand.tif"}, {"clay", "none.tif"}}, std::nullopt, "cannot read"},
        {{{"sand", "sand.tif"}, {"clay", "sand.tif"}},
         std::array<int, 4>{30, 0, 10, 10},
         "is not within the inputs' 37 x 29 cells"},
    };
    for (const auto& c : cases) {
        RasterOptions o;
        for (const auto& [axis, file] : c.inputs)
            o.axisInputs.push_back({axis, Path(file)});
        o.window = c.window;
        o.output = Path("out.tif");
        EXPECT_EQ(Run(o), 2) << c.says;
        EXPECT_NE(mErr.find(c.says), std::string::npos) << mErr;
        EXPECT_FALSE(fs::exists(o.output)) << c.says;
    }
}

// The certainty bands and the conversion give, cell by cell, what classify writes for a file of
// the cells' percentages with the same options.
TEST_F(RasterRun, CertaintyAndConversionAsClassifyGivesThem) {
    const struct {
        const char* name;
        GDALDataType type;
        bool three;
        std::vector<std::string> args; // of classify and raster alike
    } cases[] = {
        {"int16 three, uniform error", GDT_Int16, true, {"--error", "2"}},
        {"int16 pair, converted, uniform error",
         GDT_Int16,
         false,
         {"--error", "3", "--data-limits", "2,63,2000"}},
        {"float three, converted, normal error",
         GDT_Float32,
         true,
         {"--error-sd", "1.5", "--data-limits", "2,50,2000", "--normalise=2"}},
    };
    const Grid grid;
    const std::size_t n = std::size_t(grid.width) * std::size_t(grid.height);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool whole = c.type == GDT_Int16;
        const double scale = whole ? 0.1 : 1, noData = -1;
        Stored s = RandomSoil(n, 5, whole);
        s.sand[3] = s.clay[5] = s.clay[6] = s.silt[6] = noData;
        s.sand[0] = whole ? 333 : 33.3, s.clay[0] = whole ? 333 : 33.3; // on boundaries
        WriteRaster(Path("sand.tif"), c.type, s.sand, noData);
        WriteRaster(Path("clay.tif"), c.type, s.clay, noData);
        WriteRaster(Path("silt.tif"), c.type, s.silt, noData);
        std::ofstream csv(Path("cells.csv"));
        csv << "id,sand,clay,silt\n";
        for (std::size_t i = 0; i < n; ++i) {
            const auto text = [&](const std::vector<double>& v) {
                return v[i] == noData ? std::string() : Text(double(float(v[i])) * scale);
            };
            csv << i << ',' << text(s.sand) << ',' << text(s.clay) << ','
                << (c.three ? text(s.silt) : "") << '\n';
        }
        csv.close();
        std::vector<std::string> words{
            "granum-cli", "classify",           "-s", "usda", "-s", "de-ka5", Path("cells.csv"),
            "-o",         Path("cells-out.csv")};
        std::vector<std::string> rasterWords{
            "granum-cli",   "raster",         "-s",     "usda",           "-s", "de-ka5",
            "--sand",       Path("sand.tif"), "--clay", Path("clay.tif"), "-q", "-o",
            Path("map.tif")};
        if (c.three)
            rasterWords.insert(rasterWords.end(), {"--silt", Path("silt.tif")});
        if (whole)
            rasterWords.insert(rasterWords.end(), {"--scale", "0.1"});
        for (const std::string& a : c.args) {
            words.push_back(a);
            rasterWords.push_back(a);
        }
        for (std::vector<std::string>* command : {&words, &rasterWords}) {
            std::vector<char*> argv;
            for (std::string& w : *command)
                argv.push_back(w.data());
            std::ostringstream out, err;
            ASSERT_LE(RunCommandLine(int(argv.size()), argv.data(), out, err), 1) << err.str();
        }
        std::ifstream rows(Path("cells-out.csv"));
        std::string line;
        std::getline(rows, line);
        const std::vector<std::string> header = SplitFields(line);
        const auto column = [&](const std::string& name) {
            return std::size_t(std::find(header.begin(), header.end(), name) - header.begin());
        };
        for (std::size_t k = 0; k < 2; ++k) {
            const std::string id = mAll[k].id;
            const std::vector<uint8_t> codes = ReadCodes(Path("map.tif"), int(k) + 1);
            std::string shareName, distanceName;
            const std::vector<float> share =
                ReadValues(Path("map.certainty.tif"), int(2 * k) + 1, &shareName);
            const std::vector<float> distance =
                ReadValues(Path("map.certainty.tif"), int(2 * k) + 2, &distanceName);
            EXPECT_EQ(shareName, id + " share");
            EXPECT_EQ(distanceName, id + " distance");
            const std::vector<std::string> names = NamesOf(mAll[k].scheme);
            std::ifstream again(Path("cells-out.csv"));
            std::getline(again, line);
            std::size_t i = 0;
            for (; i < n && std::getline(again, line); ++i) {
                const std::vector<std::string> f = SplitFields(line);
                ASSERT_GT(f.size(), column("nearest_" + id)) << line;
                const std::string texture = f[column("texture_" + id)];
                const std::string expected = texture.substr(0, texture.find(" / "));
                const std::string got = codes[i] == 0           ? ""
                                        : codes[i] == kFailCode ? "{ fail }"
                                                                : names[codes[i] - 1u];
                ASSERT_EQ(got, expected) << id << " cell " << i << ": " << line;
                // Float32 holds more than the 6 and 3 decimals written.
                const auto expectNear = [&](float value, const std::string& text, double within) {
                    if (text.empty())
                        EXPECT_EQ(value, BlockClassifier::kNoValue) << id << " cell " << i;
                    else
                        EXPECT_NEAR(value, std::stod(text), within) << id << " cell " << i;
                };
                expectNear(share[i], f[column("share_" + id)], 6e-7);
                expectNear(distance[i], f[column("distance_" + id)], 6e-4);
            }
            EXPECT_EQ(i, n);
        }
    }
}

TEST(RasterCertaintyPath, BesideTheMapBeforeItsExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"map.tif", "map.certainty.tif"},
        {"out/soil.v2.tiff", "out/soil.v2.certainty.tiff"},
        {"a.b/map", "a.b/map.certainty.tif"},
        {".hidden", ".hidden.certainty.tif"},
    };
    for (const auto& [map, certainty] : cases)
        EXPECT_EQ(CertaintyPath(map), certainty);
}

} // namespace
