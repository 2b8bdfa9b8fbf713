#include "cli/rastercommand.h"

#include "cli/errorline.h"
#include "cli/exitstatus.h"
#include "cli/outputsink.h"
#include "cli/progressline.h"
#include "cli/rasterio.h"
#include "scheme/blockclassifier.h"
#include "scheme/classpalette.h"
#include "scheme/schemefile.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <map>
#include <mutex>
#include <ostream>
#include <stdexcept>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// A problem with what the user asked for: reported with the pointer to --help.
class UsageProblem : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Tiles of this size when the input's own blocks are strips or odd sizes.
constexpr int kDefaultBlock = 256;
// Cells of a band of rows read from inputs in strips.
constexpr std::size_t kBandCells = std::size_t(1) << 20;
// Blocks classified ahead of the one being written, per thread: bounds the memory.
constexpr std::size_t kBlocksAheadPerThread = 2;

struct Window {
    int x = 0, y = 0, width = 0, height = 0;
};

// What the run reads: the first scheme's axes, each with its band or none.
struct Inputs {
    std::array<std::optional<BandPath>, 3> axes;
    std::array<BandInfo, 3> info;
    std::vector<BandPath> bands; // the present axes, in axis order
    std::array<int, 3> reader{}; // index into bands, or -1
    bool integer = true;
};

std::string AxisNames(const soiltex& s) {
    std::string names;
    for (const std::string& axis : {s.GetXName(), s.GetYName(), s.GetZName()})
        names += (names.empty() ? "--" : ", --") + AxisOptionName(axis);
    return names;
}

Inputs ChooseInputs(const soiltex& first, const std::string& firstId,
                    const RasterOptions& options) {
    Inputs in;
    const std::array<std::string, 3> names{AxisOptionName(first.GetXName()),
                                           AxisOptionName(first.GetYName()),
                                           AxisOptionName(first.GetZName())};
    if (!options.bands.empty()) {
        if (!options.axisInputs.empty())
            throw UsageProblem("--bands takes every axis from one file; give it or --" +
                               options.axisInputs.front().first + ", not both");
        const BandInfo info = DescribeBand(ParseBandPath(options.bands));
        if (info.bands < 2)
            throw UsageProblem("--bands: " + options.bands + " has " + std::to_string(info.bands) +
                               " band; it needs one per axis (" + AxisList(first) + ")");
        const std::string path = ParseBandPath(options.bands).path;
        for (int i = 0; i < std::min(info.bands, 3); ++i)
            in.axes[std::size_t(i)] = BandPath{path, i + 1};
    } else {
        for (const auto& [name, file] : options.axisInputs) {
            const auto found = std::find(names.begin(), names.end(), name);
            if (found == names.end())
                throw UsageProblem("--" + name + " is not an axis of " + firstId + " (" +
                                   AxisNames(first) + ")");
            std::optional<BandPath>& axis = in.axes[std::size_t(found - names.begin())];
            if (axis)
                throw UsageProblem("--" + name + " is given twice");
            axis = ParseBandPath(file);
        }
    }
    int present = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        in.reader[i] = -1;
        if (!in.axes[i])
            continue;
        ++present;
        in.info[i] = DescribeBand(*in.axes[i]);
        in.integer = in.integer && in.info[i].integer;
        in.reader[i] = int(in.bands.size());
        in.bands.push_back(*in.axes[i]);
    }
    if (present < 2)
        throw UsageProblem("give at least two of " + AxisNames(first) + " (or --bands FILE)");
    // Every input on the grid of the first.
    std::size_t base = 3;
    for (std::size_t i = 0; i < 3; ++i) {
        if (!in.axes[i])
            continue;
        if (base == 3) {
            base = i;
            continue;
        }
        const std::string difference = GridDifference(in.info[base].grid, in.info[i].grid);
        if (!difference.empty())
            throw RasterError(in.axes[i]->path + " is not on the grid of " + in.axes[base]->path +
                              ": " + difference);
    }
    return in;
}

const BandInfo& FirstInfo(const Inputs& in) {
    for (std::size_t i = 0; i < 3; ++i) {
        if (in.axes[i])
            return in.info[i];
    }
    return in.info[0];
}

Window ChooseWindow(const GridInfo& grid, int blockHeight, const RasterOptions& options) {
    Window w{0, 0, grid.width, grid.height};
    if (options.window) {
        const std::array<int, 4>& v = *options.window;
        if (v[0] < 0 || v[1] < 0 || v[2] < 1 || v[3] < 1 || v[0] > grid.width - v[2] ||
            v[1] > grid.height - v[3])
            throw UsageProblem("--window " + std::to_string(v[0]) + "," + std::to_string(v[1]) +
                               "," + std::to_string(v[2]) + "," + std::to_string(v[3]) +
                               " is not within the inputs' " + std::to_string(grid.width) + " x " +
                               std::to_string(grid.height) + " cells");
        w = {v[0], v[1], v[2], v[3]};
    }
    if (options.tile) {
        const auto [first, end] =
            TileRows(w.height, blockHeight, options.tile->first, options.tile->second);
        if (first >= end)
            throw UsageProblem("--tile " + std::to_string(options.tile->first) + "/" +
                               std::to_string(options.tile->second) + ": the " +
                               std::to_string(w.height) + " rows make fewer pieces");
        w.y += first;
        w.height = end - first;
    }
    return w;
}

// The output's grid: the window's part of the inputs', in blocks of the inputs' own size when
// GeoTIFF tiles can have it. Inputs in strips (or odd tiles) are read in bands of whole rows,
// about kBandCells each, so that every strip is decompressed once; the output's tiles are as
// high as a band.
GridInfo OutputGrid(const GridInfo& input, const Window& w, int* readWidth) {
    GridInfo out = input;
    out.width = w.width;
    out.height = w.height;
    if (input.transform) {
        std::array<double, 6> t = *input.transform;
        t[0] += w.x * t[1] + w.y * t[2];
        t[3] += w.x * t[4] + w.y * t[5];
        out.transform = t;
    }
    const auto fits = [](int size) { return size >= 16 && size <= 4096 && size % 16 == 0; };
    if (fits(input.blockWidth) && fits(input.blockHeight)) {
        *readWidth = out.blockWidth;
        return out;
    }
    out.blockWidth = kDefaultBlock;
    const int rows = int(kBandCells / std::size_t(std::max(1, w.width))) / 16 * 16;
    out.blockHeight = std::clamp(rows, 16, kDefaultBlock);
    *readWidth = w.width;
    return out;
}

// One scheme's band: its classifier and which of the first scheme's axes feed its x, y, z.
struct SchemeBand {
    std::unique_ptr<BlockClassifier> prototype;
    std::array<std::size_t, 3> axis{}; // the first scheme's axis for each of its own
};

// The conversion of the data to the scheme's limits, refused as classify refuses it.
FractionConversion ConversionTo(const ChosenScheme& s, const DataFractions& data,
                                const ConversionOptions& options) {
    if (!TextureAxes(s.scheme))
        throw RasterError("the axes of " + s.id + " (" + AxisList(s.scheme) +
                          ") are not Clay, Silt and Sand: its fractions are unknown");
    const std::optional<ParticleLimits> limits = ReadSchemeFileMetadata(s.path).limits;
    if (!limits)
        throw RasterError("the scheme " + s.id + " does not state its particle-size limits, " +
                          "so the data cannot be converted to them");
    try {
        return FractionConversion(data.diameters, *limits, options);
    } catch (const ConversionError& e) {
        throw RasterError("cannot convert the data to the limits of " + s.id + " (" +
                          LimitsText(*limits) + " µm): " + e.what());
    }
}

std::vector<SchemeBand> MakeBands(const std::vector<ChosenScheme>& schemes, const Inputs& in,
                                  const RasterOptions& options, std::vector<ClassBand>* out) {
    std::vector<SchemeBand> bands;
    const soiltex& first = schemes.front().scheme;
    for (const ChosenScheme& s : schemes) {
        const std::optional<std::array<std::size_t, 3>> mapping = AxisMapping(first, s.scheme);
        if (!mapping)
            throw UsageProblem(AxisMismatch(s.id, s.scheme, schemes.front().id, first) +
                               ", which name the inputs");
        std::array<StoredAxis, 3> axes;
        for (std::size_t i = 0; i < 3; ++i) {
            const std::size_t m = (*mapping)[i];
            axes[i] = {in.axes[m].has_value(), options.scale, options.offset, in.info[m].noData};
        }
        SchemeBand band;
        band.axis = *mapping;
        std::optional<FractionConversion> conversion;
        if (options.data)
            conversion = ConversionTo(s, *options.data, options.conversion);
        try {
            band.prototype = std::make_unique<BlockClassifier>(
                s.scheme, axes, options.normaliseTolerance, std::move(conversion));
        } catch (const std::invalid_argument&) {
            throw UsageProblem(s.id + " has more than " +
                               std::to_string(BlockClassifier::kMaxNames) +
                               " class names, more than a map of bytes can hold");
        }
        if (options.labError)
            band.prototype->SetLabError(*options.labError);
        // Built once here, shared by every thread's copy.
        if (in.integer)
            band.prototype->BuildTable();
        out->push_back({s.id, band.prototype->Names(), {}});
        const std::vector<Rgb> colours = ClassColours(s.scheme);
        for (const std::string& name : band.prototype->Names()) {
            const auto& classes = s.scheme.Classes();
            const auto found =
                std::find_if(classes.begin(), classes.end(),
                             [&name](const TextureClass& c) { return c.name == name; });
            out->back().colours.push_back(colours[std::size_t(found - classes.begin())]);
        }
        bands.push_back(std::move(band));
    }
    return bands;
}

struct Block {
    int x, y, w, h; // within the window
};

struct Counts {
    std::size_t classified = 0, failed = 0, noData = 0;
};

struct Result {
    std::vector<std::vector<uint8_t>> codes; // per band
    // With a lab error, per band: share, distance, share, distance, ...
    std::vector<std::vector<float>> values;
    Counts counts;
};

// Reads, classifies and hands blocks over in order; the caller writes them.
class Pipeline {
public:
    Pipeline(const Inputs& in, const std::vector<SchemeBand>& bands, const Window& window,
             std::vector<Block> blocks, int threads)
        : mIn(in), mBands(bands), mWindow(window), mBlocks(std::move(blocks)),
          mAhead(kBlocksAheadPerThread * std::size_t(threads)) {
        for (int t = 0; t < threads; ++t)
            mWorkers.emplace_back([this] { Work(); });
    }
    ~Pipeline() {
        Stop();
        for (std::thread& t : mWorkers)
            t.join();
    }

    // Block i's result once it is ready. Throws RasterError when a worker failed.
    Result Take(std::size_t i) {
        std::unique_lock<std::mutex> lock(mMutex);
        mReady.wait(lock, [&] { return mResults.count(i) > 0 || !mError.empty(); });
        if (!mError.empty())
            throw RasterError(mError);
        Result r = std::move(mResults[i]);
        mResults.erase(i);
        mTaken = i + 1;
        mRoom.notify_all();
        return r;
    }

    void Stop() {
        std::lock_guard<std::mutex> lock(mMutex);
        mStopped = true;
        mRoom.notify_all();
    }

private:
    void Work() {
        try {
            BandReader reader(mIn.bands);
            std::vector<BlockClassifier> classifiers;
            for (const SchemeBand& b : mBands)
                classifiers.push_back(*b.prototype);
            std::vector<std::vector<int32_t>> whole(mIn.bands.size());
            std::vector<std::vector<double>> real(mIn.bands.size());
            for (;;) {
                const std::size_t i = mNext++;
                if (i >= mBlocks.size())
                    return;
                {
                    std::unique_lock<std::mutex> lock(mMutex);
                    mRoom.wait(lock, [&] { return mStopped || i < mTaken + mAhead; });
                    if (mStopped)
                        return;
                }
                const Block& b = mBlocks[i];
                const std::size_t n = std::size_t(b.w) * std::size_t(b.h);
                for (std::size_t k = 0; k < mIn.bands.size(); ++k) {
                    if (mIn.integer) {
                        whole[k].resize(n);
                        reader.Read(k, mWindow.x + b.x, mWindow.y + b.y, b.w, b.h, whole[k].data());
                    } else {
                        real[k].resize(n);
                        reader.Read(k, mWindow.x + b.x, mWindow.y + b.y, b.w, b.h, real[k].data());
                    }
                }
                Result result;
                for (std::size_t s = 0; s < mBands.size(); ++s) {
                    result.codes.emplace_back(n);
                    float *share = nullptr, *distance = nullptr;
                    if (classifiers[s].HasLabError()) {
                        share = result.values.emplace_back(n).data();
                        distance = result.values.emplace_back(n).data();
                    }
                    const auto from = [&](auto& buffers, std::size_t own) {
                        const int k = mIn.reader[mBands[s].axis[own]];
                        return k < 0 ? nullptr : buffers[std::size_t(k)].data();
                    };
                    if (mIn.integer)
                        classifiers[s].Classify(from(whole, 0), from(whole, 1), from(whole, 2), n,
                                                result.codes.back().data(), share, distance);
                    else
                        classifiers[s].Classify(from(real, 0), from(real, 1), from(real, 2), n,
                                                result.codes.back().data(), share, distance);
                }
                result.counts = Count(result.codes, n);
                std::lock_guard<std::mutex> lock(mMutex);
                mResults.emplace(i, std::move(result));
                mReady.notify_all();
            }
        } catch (const std::exception& e) {
            std::lock_guard<std::mutex> lock(mMutex);
            if (mError.empty())
                mError = e.what();
            mReady.notify_all();
        }
    }

    // A cell is no data when the first band's is; failed when any band failed.
    static Counts Count(const std::vector<std::vector<uint8_t>>& codes, std::size_t n) {
        Counts c;
        for (std::size_t i = 0; i < n; ++i) {
            bool failed = false;
            for (const std::vector<uint8_t>& band : codes)
                failed = failed || band[i] == BlockClassifier::kFail;
            if (codes.front()[i] == BlockClassifier::kNoData)
                ++c.noData;
            else if (failed)
                ++c.failed;
            else
                ++c.classified;
        }
        return c;
    }

    const Inputs& mIn;
    const std::vector<SchemeBand>& mBands;
    Window mWindow;
    std::vector<Block> mBlocks;
    std::size_t mAhead;
    std::atomic<std::size_t> mNext{0};
    std::mutex mMutex;
    std::condition_variable mReady, mRoom;
    std::map<std::size_t, Result> mResults;
    std::size_t mTaken = 0;
    bool mStopped = false;
    std::string mError;
    std::vector<std::thread> mWorkers;
};

std::vector<Block> Blocks(const Window& w, int width, int height) {
    std::vector<Block> blocks;
    for (int y = 0; y < w.height; y += height)
        for (int x = 0; x < w.width; x += width)
            blocks.push_back({x, y, std::min(width, w.width - x), std::min(height, w.height - y)});
    return blocks;
}

// The writable file FileOutput made in place of the target: GDAL writes it by name.
std::string TemporaryOf(const FileOutput& output, const std::string& path) {
    if (output.TemporaryPath().empty())
        throw RasterError("cannot write " + path + ": a GeoTIFF needs a regular file");
    return output.TemporaryPath();
}

// The attribute tables GDAL wrote beside `from` go beside `to`; a stale one there goes.
void MoveTables(const std::string& from, const std::string& to) {
    const std::string source = from + ".aux.xml", target = to + ".aux.xml";
    struct stat info {};
    if (::stat(source.c_str(), &info) == 0) {
        if (std::rename(source.c_str(), target.c_str()) != 0)
            throw RasterError("cannot write " + target);
    } else {
        ::unlink(target.c_str());
    }
}

// One GeoTIFF written under a temporary name and put in place by Commit. The target is checked
// before the work; with --cog the tiles are written first into a file of their own, and the
// target's temporary is made only for the copy.
class RasterTarget {
public:
    RasterTarget(const std::string& path, bool cog)
        : mPath(path), mCog(cog), mTarget(std::in_place, path) {
        if (cog) {
            TemporaryOf(*mTarget, path);
            mTarget.reset();
            mTiles.emplace(path);
        }
        mLeftovers.push_back(TemporaryOf(cog ? *mTiles : *mTarget, path));
    }
    // GDAL writes a temporary's tables beside it when it closes it, also after a failure; they
    // go before the FileOutputs remove the temporaries themselves.
    ~RasterTarget() {
        for (const std::string& p : mLeftovers)
            ::unlink((p + ".aux.xml").c_str());
    }
    RasterTarget(const RasterTarget&) = delete;
    RasterTarget& operator=(const RasterTarget&) = delete;

    // Where the tiles are written.
    const std::string& TilesPath() const { return mLeftovers.front(); }
    // The written tiles made ready to commit (with --cog: copied).
    void Finish(int threads, bool classes) {
        if (!mCog)
            return;
        mTarget.emplace(mPath);
        mLeftovers.push_back(TemporaryOf(*mTarget, mPath));
        CopyToCog(TilesPath(), mLeftovers.back(), threads, classes);
        mTiles.reset();
    }
    void Commit() {
        mTarget->Commit();
        MoveTables(mLeftovers.back(), mPath);
    }

private:
    std::string mPath;
    bool mCog;
    std::optional<FileOutput> mTarget;
    std::optional<FileOutput> mTiles;
    std::vector<std::string> mLeftovers; // the temporaries: the tiles' first
};

int Classify(const std::vector<ChosenScheme>& schemes, const RasterOptions& options,
             std::ostream& err) {
    if (!(options.scale != 0) || !std::isfinite(options.scale) || !std::isfinite(options.offset))
        throw UsageProblem("--scale must be a number other than 0, --offset a number");
    if (options.output.empty() || options.output == "-")
        throw UsageProblem("raster needs -o FILE: a GeoTIFF cannot go to standard output");
    const Inputs in = ChooseInputs(schemes.front().scheme, schemes.front().id, options);
    const GridInfo& inputGrid = FirstInfo(in).grid;
    int readWidth = 0;
    const GridInfo whole =
        OutputGrid(inputGrid, {0, 0, inputGrid.width, inputGrid.height}, &readWidth);
    const Window window = ChooseWindow(inputGrid, whole.blockHeight, options);
    const GridInfo grid = OutputGrid(inputGrid, window, &readWidth);
    std::vector<ClassBand> tables;
    const std::vector<SchemeBand> bands = MakeBands(schemes, in, options, &tables);
    const int threads = options.threads > 0
                            ? options.threads
                            : int(std::max(1u, std::thread::hardware_concurrency()));

    RasterTarget map(options.output, options.cog);
    std::optional<RasterTarget> certainty;
    std::vector<std::string> valueNames;
    if (options.labError) {
        certainty.emplace(CertaintyPath(options.output), options.cog);
        for (const ChosenScheme& s : schemes) {
            valueNames.push_back(s.id + " share");
            valueNames.push_back(s.id + " distance");
        }
    }

    Counts total;
    {
        ClassRasterWriter writer(map.TilesPath(), grid, tables, threads);
        std::optional<ClassRasterWriter> values;
        if (certainty)
            values.emplace(certainty->TilesPath(), grid, valueNames, BlockClassifier::kNoValue,
                           threads);
        std::vector<Block> blocks = Blocks(window, readWidth, grid.blockHeight);
        const std::size_t cells = std::size_t(window.width) * std::size_t(window.height);
        ProgressLine progress(options.progress, "cells");
        Pipeline pipeline(in, bands, window, blocks, threads);
        std::size_t done = 0;
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            Result r = pipeline.Take(i);
            const Block& b = blocks[i];
            for (std::size_t k = 0; k < r.codes.size(); ++k)
                writer.Write(k, b.x, b.y, b.w, b.h, r.codes[k].data());
            for (std::size_t k = 0; k < r.values.size(); ++k)
                values->Write(k, b.x, b.y, b.w, b.h, r.values[k].data());
            total.classified += r.counts.classified;
            total.failed += r.counts.failed;
            total.noData += r.counts.noData;
            done += std::size_t(b.w) * std::size_t(b.h);
            progress.Update(done, cells);
        }
        progress.Clear();
        writer.Close();
        if (values)
            values->Close();
    }
    map.Finish(threads, true);
    if (certainty)
        certainty->Finish(threads, false);
    map.Commit();
    if (certainty)
        certainty->Commit();
    if (!options.quiet)
        PrintError(err, Grouped(total.classified + total.failed + total.noData) + " cells: " +
                            Grouped(total.classified) + " classified, " + Grouped(total.failed) +
                            " failed, " + Grouped(total.noData) + " no data");
    return kExitOk;
}

} // namespace

int ClassifyRasters(const std::vector<ChosenScheme>& schemes, const RasterOptions& options,
                    std::ostream& err) {
    try {
        return Classify(schemes, options, err);
    } catch (const UsageProblem& e) {
        return PrintUsageError(err, e.what());
    } catch (const RasterError& e) {
        PrintError(err, e.what());
    } catch (const BatchIoError& e) {
        PrintError(err, e.what());
    }
    return kExitUnusable;
}
