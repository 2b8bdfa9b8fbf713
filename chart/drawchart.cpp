#include "chart/drawchart.h"

#include "chart/chartgeometry.h"
#include "chart/labelplacer.h"
#include "chart/publicationchart.h"
#include "chart/textblock.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

// Up to this many samples every marker is drawn in the samples' order; beyond it, markers that
// land on the same device point are drawn once, so that a picture of a million samples holds
// no more circles than its triangle has points.
constexpr std::size_t kMarkersDrawnEach = 4096;

// A value in logical units of a 96-dpi screen, at the target's resolution.
int Scaled(const DeviceResolution& target, int screenUnits) {
    return std::max(1, (screenUnits * target.PixelsPerInchX() + 48) / 96);
}

// box moved the least that puts it inside rect (its left and top edges first when it is larger).
TextBox PushedInside(TextBox box, const ChartRect& rect) {
    const int dx = std::max(rect.left - box.left, std::min(0, rect.right - box.right));
    const int dy = std::max(rect.top - box.top, std::min(0, rect.bottom - box.bottom));
    return {box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
}

struct PlacedText {
    TextBox box;
    std::string text;
};

class ChartPainter {
public:
    ChartPainter(DrawTarget& target, const ChartModel& model)
        : mTarget(target), mModel(model), mLayout(LayOutChart(target, model)),
          mPlacer(model.mChartRect, 2 * target.MeasureText("0").height) {}

    bool Fits() const { return mLayout.fits; }

    DevicePoint At(double x, double y) const { return MapToDevice(mLayout, x, y); }

    void Line(double x1, double y1, double x2, double y2) { mTarget.Line(At(x1, y1), At(x2, y2)); }

    // The texts that labels keep clear of: axis values and titles (kept inside the picture),
    // class numbers and the legend.
    void PlaceFixedTexts() {
        for (const AxisText& t : AxisTexts(mModel)) {
            const TextBox box =
                PushedInside(PlaceText(At(t.x, t.y), mTarget.MeasureText(t.text), t.across, t.down),
                             mModel.mChartRect);
            mAxisTexts.push_back({box, t.text});
            mPlacer.Take(box);
        }
        if (mModel.mbLegend && mModel.mbTextureClasses)
            PlaceClassNumbersAndLegend();
    }

    void GridLines() {
        const bool tri = mModel.mbTriaxial != 0;
        for (int i = 10; i <= 100; i += 10) {
            const int j = 100 - i;
            Line(i, 0, i, j);
            Line(0, i, j, i);
            if (tri)
                Line(i, 0, 0, i);
        }
    }

    void DrawAxisTexts() { Draw(mAxisTexts); }

    void RangePolygon() {
        if (mModel.mPoints.empty())
            return;
        std::vector<DevicePoint> vertices;
        vertices.reserve(mModel.mPoints.size());
        for (const point& p : mModel.mPoints)
            vertices.push_back(At(p.x, p.y));
        mTarget.Polygon(vertices);
    }

    void Samples(const Pen& redPen) {
        mTarget.SetPen(redPen);
        const DevicePoint radius =
            mTarget.DeviceToLogical({static_cast<int>(mTarget.PixelsPerInchX() * 2.5 / 72),
                                     static_cast<int>(mTarget.PixelsPerInchY() * 2.5 / 72)});
        Markers(radius);
        DrawSampleLabels(mTarget, mModel, mLayout, radius.x, mPlacer);
    }

    void Boundaries(const Pen& blackPen) {
        mTarget.SetPen(blackPen);
        if (!mModel.mbTextureClasses) {
            Line(0, 0, 0, 100);
            Line(0, 100, 100, 0);
            Line(100, 0, 0, 0);
            return;
        }
        const soiltex& scheme = mModel.mScheme;
        for (int c = 0; c < scheme.GetClassCount(); ++c) {
            const TextureClass texture = scheme.GetClass(c);
            const unsigned n = static_cast<unsigned>(texture.region.Size());
            for (unsigned k = 0; k < n; ++k) {
                const point a = texture.region.Vertex(k);
                const point b = texture.region.Vertex((k + 1) % n);
                Line(a.x, a.y, b.x, b.y);
            }
        }
    }

    void ClassNumbersAndLegend() {
        if (!mModel.mbLegend || !mModel.mbTextureClasses)
            return;
        const Colour saved = mTarget.TextColour();
        mTarget.SetTextColour(chartcolour::kDarkGrey);
        Draw(mClassNumbers);
        mTarget.SetTextColour(chartcolour::kBlack);
        Draw(mLegend);
        mTarget.SetTextColour(saved);
    }

private:
    void Draw(const std::vector<PlacedText>& texts) {
        for (const PlacedText& t : texts)
            mTarget.Text({t.box.left, t.box.top}, t.text);
    }

    void Markers(DevicePoint radius) {
        const std::vector<point>& points = mModel.mPoints;
        if (points.size() <= kMarkersDrawnEach) {
            for (const point& p : points)
                mTarget.Ellipse(At(p.x, p.y), radius.x, radius.y);
            return;
        }
        std::vector<std::uint64_t> keys;
        keys.reserve(points.size());
        for (const point& p : points) {
            const DevicePoint d = At(p.x, p.y);
            keys.push_back(std::uint64_t(std::uint32_t(d.x)) << 32 | std::uint32_t(d.y));
        }
        std::sort(keys.begin(), keys.end());
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
        for (const std::uint64_t key : keys)
            mTarget.Ellipse({std::int32_t(key >> 32), std::int32_t(key & 0xffffffffu)}, radius.x,
                            radius.y);
    }

    // Each class's number at its region's centroid, and the legend: the scheme's name, then one
    // line a class name (a class made of several regions lists all its numbers on its line),
    // ending at the right edge of the chart, a little in from it.
    void PlaceClassNumbersAndLegend() {
        const soiltex& scheme = mModel.mScheme;
        std::vector<std::pair<std::string, std::string>> entries; // numbers, name
        for (int c = 0; c < scheme.GetClassCount(); ++c) {
            const TextureClass& texture = scheme.GetClass(c);
            const point centre = texture.region.Centroid();
            const std::string id = std::to_string(texture.id);
            const TextBox box = PlaceText(At(centre.x, centre.y), mTarget.MeasureText(id),
                                          Across::Centre, Down::Middle);
            mClassNumbers.push_back({box, id});
            mPlacer.Take(box);
            const auto same = std::find_if(entries.begin(), entries.end(),
                                           [&](const auto& e) { return e.second == texture.name; });
            if (same == entries.end())
                entries.emplace_back(id, texture.name);
            else
                same->first += ", " + id;
        }
        std::string text = scheme.GetName() + ":";
        for (const auto& [ids, name] : entries)
            text += "\r\n" + ids + ": " + name;

        const ChartRect& chart = mModel.mChartRect;
        const int inset = Scaled(mTarget, 3);
        const ChartRect box{chart.left + inset, chart.top + inset, chart.right - inset,
                            chart.bottom - inset};
        const std::vector<std::string> lines = WrapText(mTarget, text, box.Width());
        std::vector<TextSize> sizes;
        int width = 0;
        for (const std::string& line : lines) {
            sizes.push_back(mTarget.MeasureText(line));
            width = std::max(width, sizes.back().width);
        }
        const int left = box.left + box.Width() - width;
        int top = box.top;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            const TextBox line{left, top, left + sizes[k].width, top + sizes[k].height};
            mLegend.push_back({line, lines[k]});
            mPlacer.Take(line);
            top += sizes[k].height;
        }
    }

    DrawTarget& mTarget;
    const ChartModel& mModel;
    const ChartLayout mLayout;
    LabelPlacer mPlacer;
    std::vector<PlacedText> mAxisTexts;
    std::vector<PlacedText> mClassNumbers;
    std::vector<PlacedText> mLegend;
};

} // namespace

bool DrawChart(DrawTarget& target, const ChartModel& model, const Pen& blackPen,
               const Pen& redPen) {
    if (model.mbPublication)
        return DrawPublicationChart(target, model, blackPen.width);
    ChartPainter chart(target, model);
    if (!chart.Fits())
        return false;
    chart.PlaceFixedTexts();
    if (model.mbGridLines)
        chart.GridLines();
    chart.DrawAxisTexts();
    if (model.mbSamples)
        chart.Samples(redPen);
    else
        chart.RangePolygon();
    chart.Boundaries(blackPen);
    chart.ClassNumbersAndLegend();
    return true;
}

bool PaintChart(DrawTarget& target, ChartModel& model, const ChartRect& rect, int penWidth) {
    model.mChartRect = rect;
    target.FillRect(rect, chartcolour::kWhite);
    if (penWidth <= 0)
        penWidth = Scaled(target, 1);
    target.SetPen({chartcolour::kGrey, penWidth});
    target.SetBrush(chartcolour::kGrey);
    target.SetTextColour(chartcolour::kBlack);
    return DrawChart(target, model, {chartcolour::kBlack, penWidth}, {chartcolour::kRed, penWidth});
}
