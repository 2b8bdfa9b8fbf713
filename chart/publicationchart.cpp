#include "chart/publicationchart.h"

#include "chart/densitycells.h"
#include "chart/errorregions.h"
#include "chart/labelplacer.h"
#include "chart/pointgroups.h"
#include "chart/publicationlayout.h"
#include "geometry/polelabel.h"
#include "scheme/classpalette.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr Colour kOutline{0x44, 0x44, 0x44};
constexpr Colour kGrid{0xA0, 0xA0, 0xA0};
constexpr Colour kClassText{0x22, 0x22, 0x22};
constexpr Colour kRange{0xCC, 0x33, 0x11};
// Tol's sequential YlOrBr without its darkest shades, so that class names stay readable on it.
constexpr Colour kDensityRamp[kDensityLevels] = {{0xFF, 0xF7, 0xBC}, {0xFE, 0xE3, 0x91},
                                                 {0xFE, 0xC4, 0x4F}, {0xFB, 0x9A, 0x29},
                                                 {0xEC, 0x70, 0x14}, {0xCC, 0x4C, 0x02}};
constexpr int kLevels = kDensityLevels;
// Text shrunk no further than this to fit a class: smaller is unreadable in print.
constexpr double kTextScales[] = {1.0, 0.85, 0.72};

Colour ToColour(const Rgb& c) {
    return {c.r, c.g, c.b};
}

// A class label's text: one or two lines at a scale.
struct ClassText {
    std::vector<std::string> lines;
    double scale;
};

// The name with its two halves on two lines, broken at the blank nearest its middle.
std::vector<std::string> TwoLines(const std::string& name) {
    std::size_t best = std::string::npos;
    for (std::size_t k = name.find(' '); k != std::string::npos; k = name.find(' ', k + 1))
        if (best == std::string::npos ||
            std::abs(int(k) * 2 - int(name.size())) < std::abs(int(best) * 2 - int(name.size())))
            best = k;
    if (best == std::string::npos)
        return {};
    return {name.substr(0, best), name.substr(best + 1)};
}

class PublicationPainter {
public:
    PublicationPainter(DrawTarget& target, const ChartModel& model, int penWidth)
        : mTarget(target), mModel(model), mFrame(LayOutPublication(target, model)),
          mPen(std::max(1, penWidth)), mLine(target.MeasureText("0").height),
          mPlacer(model.mChartRect, 2 * mLine) {}

    bool Fits() const { return mFrame.layout.fits; }

    void Draw() {
        const bool density = DrawsDensity(mModel);
        if (mModel.mbSamples && !density)
            TakeMarkers();
        if (mModel.mbTextureClasses)
            ClassFills();
        if (density)
            Density();
        if (mModel.mbGridLines)
            GridLines();
        Outlines();
        if (mModel.mbTextureClasses)
            ClassNames();
        Axes();
        if (!mModel.mbSamples)
            RangeOutline();
        else if (!density)
            Samples();
        Legend();
        mTarget.SetTextScale(1);
        mTarget.SetTextColour(chartcolour::kBlack);
        mTarget.SetPen({chartcolour::kBlack, mPen});
    }

private:
    DevicePoint At(double x, double y) const { return MapToDevice(mFrame.layout, x, y); }

    std::vector<DevicePoint> Region(const polygon& region) const {
        std::vector<DevicePoint> ring;
        for (const point& p : region.Vertices())
            ring.push_back(At(p.x, p.y));
        return ring;
    }

    void ClassFills() {
        const std::vector<Rgb> colours = ClassColours(mModel.mScheme);
        const std::vector<TextureClass>& classes = mModel.mScheme.Classes();
        for (std::size_t c = 0; c < classes.size(); ++c) {
            const Colour fill = ToColour(colours[c]);
            mTarget.SetPen({fill, 1});
            mTarget.SetBrush(fill);
            mTarget.Polygon(Region(classes[c].region));
        }
    }

    void GridLines() {
        mTarget.SetPen({kGrid, mPen});
        for (int i = 10; i < 100; i += 10) {
            const int j = 100 - i;
            mTarget.Line(At(i, 0), At(i, j));
            mTarget.Line(At(0, i), At(j, i));
            if (mModel.mbTriaxial)
                mTarget.Line(At(i, 0), At(0, i));
        }
    }

    void Outlines() {
        if (mModel.mbTextureClasses) {
            mTarget.SetPen({kOutline, mPen});
            for (const TextureClass& c : mModel.mScheme.Classes()) {
                const std::vector<DevicePoint> ring = Region(c.region);
                for (std::size_t k = 0; k < ring.size(); ++k)
                    mTarget.Line(ring[k], ring[(k + 1) % ring.size()]);
            }
        }
        // The frame a little heavier than the class lines, as printed charts have it.
        mTarget.SetPen({chartcolour::kBlack, 2 * mPen});
        const DevicePoint frame[] = {At(0, 0), At(100, 0), At(0, 100)};
        for (int k = 0; k < 3; ++k)
            mTarget.Line(frame[k], frame[(k + 1) % 3]);
    }

    // Each region's name (or its abbreviation, or either smaller) at its most central point,
    // in the first form that fits inside it; none when nothing fits.
    void ClassNames() {
        mTarget.SetTextColour(kClassText);
        const int padding = std::max(1, mLine / 6);
        struct Named {
            const TextureClass* c;
            std::vector<point> ring;
            RingPole pole;
        };
        std::vector<Named> regions;
        for (const TextureClass& c : mModel.mScheme.Classes()) {
            std::vector<point> ring;
            for (const DevicePoint& p : Region(c.region))
                ring.push_back({double(p.x), double(p.y)});
            const RingPole pole = FindPole(ring, 1);
            regions.push_back({&c, std::move(ring), pole});
        }
        for (const Named& r : regions) {
            // A class of several polygons (USDA's Silt loam) is named once, in its roomiest.
            const bool roomier = std::any_of(regions.begin(), regions.end(), [&r](const Named& o) {
                return o.c->name == r.c->name && (o.pole.distance > r.pole.distance ||
                                                  (o.pole.distance == r.pole.distance && &o < &r));
            });
            if (roomier || r.pole.distance < mLine / 4.0)
                continue;
            const TextureClass& c = *r.c;
            const std::vector<point>& ring = r.ring;
            const RingPole& pole = r.pole;
            std::vector<ClassText> forms;
            const std::vector<std::string> two = TwoLines(c.name);
            for (const double scale : {kTextScales[0], kTextScales[1]}) {
                forms.push_back({{c.name}, scale});
                if (!two.empty())
                    forms.push_back({two, scale});
            }
            const auto abbreviation = mModel.mMetadata.abbreviations.find(c.id);
            for (const double scale : kTextScales) {
                if (abbreviation != mModel.mMetadata.abbreviations.end())
                    forms.push_back({{abbreviation->second}, scale});
                else if (scale == kTextScales[2])
                    forms.push_back({two.empty() ? std::vector<std::string>{c.name} : two, scale});
            }
            // Clear of the markers where it can be, over them where it cannot.
            const bool placed = std::any_of(forms.begin(), forms.end(), [&](const ClassText& f) {
                return DrawClassText(f, ring, pole.centre, padding, true);
            });
            if (!placed)
                for (const ClassText& form : forms)
                    if (DrawClassText(form, ring, pole.centre, padding, false))
                        break;
        }
        mTarget.SetTextScale(1);
    }

    // Draws the form at the first place near centre inside the ring (and, when clear is set, on
    // no marker), trying the centre first.
    bool DrawClassText(const ClassText& form, const std::vector<point>& ring, point centre,
                       int padding, bool clear) {
        mTarget.SetTextScale(form.scale);
        std::vector<TextSize> sizes;
        int width = 0, height = 0;
        for (const std::string& line : form.lines) {
            sizes.push_back(mTarget.MeasureText(line));
            width = std::max(width, sizes.back().width);
            height += sizes.back().height;
        }
        const int across = width / 3 + mLine / 2;
        const int down = height / 2 + mLine / 2;
        const DevicePoint shifts[] = {{0, 0}, {0, -down}, {0, down}, {-across, 0}, {across, 0}};
        int left = 0, top = 0;
        const bool found = std::any_of(std::begin(shifts), std::end(shifts), [&](DevicePoint d) {
            left = static_cast<int>(std::lround(centre.x - width / 2.0)) + d.x;
            top = static_cast<int>(std::lround(centre.y - height / 2.0)) + d.y;
            const TextBox box{left, top, left + width, top + height};
            return RingContainsBox(ring, left - padding, top - padding, left + width + padding,
                                   top + height + padding) &&
                   (!clear || mPlacer.IsFree(box));
        });
        if (!found)
            return false;
        mPlacer.Take({left, top, left + width, top + height});
        for (std::size_t k = 0; k < form.lines.size(); ++k) {
            mTarget.Text({left + (width - sizes[k].width) / 2, top}, form.lines[k]);
            top += sizes[k].height;
        }
        return true;
    }

    void Axes() {
        mTarget.SetPen({chartcolour::kBlack, mPen});
        mTarget.SetTextColour(chartcolour::kBlack);
        for (const Segment& tick : mFrame.ticks)
            mTarget.Line(tick.from, tick.to);
        for (const Segment& arrow : mFrame.arrows)
            mTarget.Line(arrow.from, arrow.to);
        mTarget.SetBrush(chartcolour::kBlack);
        for (const std::vector<DevicePoint>& head : mFrame.arrowHeads)
            mTarget.Polygon(head);
        for (const auto* labels : {&mFrame.values, &mFrame.titles})
            for (const PlacedLabel& label : *labels) {
                mTarget.Text({label.box.left, label.box.top}, label.text);
                mPlacer.Take(label.box);
            }
    }

    void RangeOutline() {
        const std::vector<point>& points = mModel.mPoints;
        mTarget.SetPen({kRange, 3 * mPen});
        for (std::size_t k = 0; k < points.size(); ++k) {
            const point& a = points[k];
            const point& b = points[(k + 1) % points.size()];
            mTarget.Line(At(a.x, a.y), At(b.x, b.y));
        }
    }

    int MarkerRadius() const {
        return std::max(2, mTarget.DeviceToLogical({mTarget.PixelsPerInchX() * 3 / 72, 0}).x);
    }

    // The markers' middles, so that class names and other samples' labels keep off them; a
    // label may touch the rim of its own marker, as it does in the classic chart.
    void TakeMarkers() {
        const int half = MarkerRadius() / 2;
        for (const point& p : mModel.mPoints) {
            const DevicePoint d = At(p.x, p.y);
            mPlacer.Take({d.x - half, d.y - half, d.x + half + 1, d.y + half + 1});
        }
    }

    // The samples' error regions, then markers of their group's colour and shape over them,
    // then their labels.
    void Samples() {
        OutlineErrorRegions(mTarget, ErrorRegions(mModel), std::max(1, mPen / 2),
                            [this](double x, double y) { return At(x, y); });
        const int radius = MarkerRadius();
        const std::vector<point>& points = mModel.mPoints;
        const bool grouped = mModel.mGroups.size() == points.size();
        for (std::size_t k = 0; k < points.size(); ++k) {
            const MarkerStyle style = GroupMarker(grouped ? mModel.mGroups[k] : 0);
            mTarget.SetPen({chartcolour::kBlack, std::max(1, mPen / 2)});
            mTarget.SetBrush(style.colour);
            const DevicePoint p = At(points[k].x, points[k].y);
            mTarget.Polygon(MarkerOutline(style.shape, p, radius));
        }
        DrawSampleLabels(mTarget, mModel, mFrame.layout, radius, mPlacer);
    }

    // Cells of a sixtieth of the side, shaded by their density on a logarithmic scale.
    void Density() {
        const std::vector<DensityCell> cells =
            DensityCells(mFrame.layout, mModel.mPoints, std::max(2.0, mFrame.layout.side / 60.0));
        double highest = 0;
        for (const DensityCell& cell : cells)
            highest = std::max(highest, cell.density);
        mMaxCount = static_cast<int>(std::ceil(highest));
        for (const DensityCell& cell : cells) {
            const Colour fill = kDensityRamp[Level(cell.density)];
            mTarget.SetPen({fill, 1});
            mTarget.SetBrush(fill);
            mTarget.Polygon(cell.outline);
        }
    }

    int Level(double density) const {
        if (mMaxCount <= 1)
            return 0;
        const double share = std::log(density) / std::log(double(mMaxCount) + 1);
        return std::clamp(static_cast<int>(share * kLevels), 0, kLevels - 1);
    }

    // The smallest count of a level, by the same scale.
    int LevelFrom(int level) const {
        if (level == 0)
            return 1;
        return static_cast<int>(
            std::ceil(std::pow(double(mMaxCount) + 1, double(level) / kLevels) - 1e-9));
    }

    void Legend() {
        const TextBox& area = mFrame.legend;
        if (area.right <= area.left)
            return;
        mTarget.SetTextColour(chartcolour::kBlack);
        const int rows = std::max(0, (area.bottom - area.top) / mLine);
        int top = area.top;
        const auto text = [&](int indent, const std::string& line) {
            mTarget.Text({area.left + indent, top}, line);
            mPlacer.Take({area.left, top, area.right, top + mLine});
            top += mLine;
        };
        if (DrawsDensity(mModel)) {
            if (rows < kLevels + 1 || mMaxCount == 0)
                return;
            text(0, "Samples per cell");
            for (int level = 0; level < kLevels; ++level) {
                const int from = LevelFrom(level);
                const int to = level + 1 < kLevels ? LevelFrom(level + 1) - 1 : mMaxCount;
                if (to < from)
                    continue;
                mTarget.SetPen({kOutline, 1});
                mTarget.SetBrush(kDensityRamp[level]);
                const int inset = mLine / 6;
                mTarget.Polygon({{area.left + inset, top + inset},
                                 {area.left + mLine + mLine / 2, top + inset},
                                 {area.left + mLine + mLine / 2, top + mLine - inset},
                                 {area.left + inset, top + mLine - inset}});
                text(2 * mLine, from == to ? std::to_string(from)
                                           : std::to_string(from) + "\u2013" + std::to_string(to));
            }
            return;
        }
        const std::vector<std::string> lines = GroupLegendLines(mModel, std::size_t(rows));
        const int radius = std::min(MarkerRadius(), mLine / 2);
        for (std::size_t k = 0; k < lines.size(); ++k) {
            const bool group =
                k > 0 && k <= mModel.mGroupNames.size() && lines[k] == mModel.mGroupNames[k - 1];
            if (group) {
                const MarkerStyle style = GroupMarker(int(k - 1));
                mTarget.SetPen({chartcolour::kBlack, std::max(1, mPen / 2)});
                mTarget.SetBrush(style.colour);
                mTarget.Polygon(
                    MarkerOutline(style.shape, {area.left + mLine, top + mLine / 2}, radius));
            }
            text(group ? 2 * mLine : 0, lines[k]);
        }
    }

    DrawTarget& mTarget;
    const ChartModel& mModel;
    const PublicationFrame mFrame;
    const int mPen;
    const int mLine;
    LabelPlacer mPlacer;
    int mMaxCount = 0;
};

} // namespace

bool DrawPublicationChart(DrawTarget& target, const ChartModel& model, int penWidth) {
    PublicationPainter chart(target, model, penWidth);
    if (!chart.Fits())
        return false;
    chart.Draw();
    return true;
}
