#include "chart/drawchart.h"

#include "chart/chartgeometry.h"
#include "chart/textblock.h"

#include <algorithm>
#include <string>

namespace {

enum class Across { Left, Centre, Right };
enum class Down { Top, Middle, Bottom };

class ChartPainter {
public:
    ChartPainter(DrawTarget& target, const ChartModel& model) : mTarget(target), mModel(model) {}

    DevicePoint At(double x, double y) const { return ChartToDevice(mTarget, mModel, x, y); }

    void Line(double x1, double y1, double x2, double y2) { mTarget.Line(At(x1, y1), At(x2, y2)); }

    // text placed against the device point of (x, y) as the alignment says.
    void Label(double x, double y, const std::string& text, Across across, Down down) {
        const TextSize size = mTarget.MeasureText(text);
        DevicePoint p = At(x, y);
        if (across == Across::Right)
            p.x -= size.width;
        else if (across == Across::Centre)
            p.x -= size.width / 2;
        if (down == Down::Bottom)
            p.y -= size.height;
        else if (down == Down::Middle)
            p.y -= size.height / 2;
        mTarget.Text(p, text);
    }

    void GridAndValues() {
        const bool tri = mModel.mbTriaxial != 0;
        for (int i = 0; i <= 100; i += 10) {
            const int j = 100 - i;
            if (mModel.mbGridLines && i >= 10) {
                Line(i, 0, i, j);
                Line(0, i, j, i);
                if (tri)
                    Line(i, 0, 0, i);
            }
            if (mModel.mbAxisValues) {
                if (tri)
                    Label(-3, i, std::to_string(j), Across::Left, Down::Middle);
                Label(i, -3, std::to_string(i), Across::Centre, Down::Top);
                if (tri)
                    Label(103 - i, i, std::to_string(i), Across::Right, Down::Middle);
                else
                    Label(-3, i, std::to_string(i), Across::Right, Down::Middle);
            }
        }
    }

    void AxisTitles() {
        if (mModel.mbTriaxial) {
            Label(55.1963, -9, mModel.mXName, Across::Centre, Down::Top);
            Label(59, 50, mModel.mYName, Across::Right, Down::Middle);
            Label(-9, 50, mModel.mZName, Across::Left, Down::Middle);
        } else {
            Label(50, -9, mModel.mXName, Across::Centre, Down::Top);
            Label(-9, 50, mModel.mYName, Across::Right, Down::Middle);
        }
    }

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
        for (const point& p : mModel.mPoints)
            mTarget.Ellipse(At(p.x, p.y), radius.x, radius.y);
        const bool labelled = mModel.mbDataLabels && !mModel.mLabels.empty() &&
                              mModel.mLabels.size() == mModel.mPoints.size();
        if (!labelled)
            return;
        for (std::size_t k = 0; k < mModel.mPoints.size(); ++k) {
            const std::string& label = mModel.mLabels[k];
            const TextSize size = mTarget.MeasureText(label);
            const DevicePoint p = At(mModel.mPoints[k].x, mModel.mPoints[k].y);
            mTarget.Text({p.x - size.width / 2, p.y - static_cast<int>(1.25 * size.height)}, label);
        }
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
        const Colour saved = mTarget.TextColour();
        mTarget.SetTextColour(chartcolour::kDarkGrey);
        const soiltex& scheme = mModel.mScheme;
        std::string legend = scheme.GetName() + ":\r\n";
        for (int c = 0; c < scheme.GetClassCount(); ++c) {
            const TextureClass& texture = scheme.GetClass(c);
            const point centre = texture.region.Centroid();
            const std::string id = std::to_string(texture.id);
            Label(centre.x, centre.y, id, Across::Centre, Down::Middle);
            legend += (c > 0 ? "\r\n" : "") + id + ": " + texture.name;
        }
        mTarget.SetTextColour(chartcolour::kBlack);
        Legend(legend);
        mTarget.SetTextColour(saved);
    }

private:
    // The legend's block of lines ends at the right edge of the chart, 3 units in from it.
    void Legend(const std::string& text) {
        const ChartRect& chart = mModel.mChartRect;
        const ChartRect box{chart.left + 3, chart.top + 3, chart.right - 3, chart.bottom - 3};
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
            mTarget.Text({left, top}, lines[k]);
            top += sizes[k].height;
        }
    }

    DrawTarget& mTarget;
    const ChartModel& mModel;
};

} // namespace

void DrawChart(DrawTarget& target, const ChartModel& model, const Pen& blackPen,
               const Pen& redPen) {
    ChartPainter chart(target, model);
    if (model.mbGridLines || model.mbAxisValues)
        chart.GridAndValues();
    if (model.mbAxisTitle)
        chart.AxisTitles();
    if (model.mbSamples)
        chart.Samples(redPen);
    else
        chart.RangePolygon();
    chart.Boundaries(blackPen);
    if (model.mbLegend && model.mbTextureClasses)
        chart.ClassNumbersAndLegend();
}

void PaintChart(DrawTarget& target, ChartModel& model, const ChartRect& rect, int penWidth) {
    model.mChartRect = rect;
    target.FillRect(rect, chartcolour::kWhite);
    target.SetPen({chartcolour::kGrey, penWidth});
    target.SetBrush(chartcolour::kGrey);
    target.SetTextColour(chartcolour::kBlack);
    DrawChart(target, model, {chartcolour::kBlack, penWidth}, {chartcolour::kRed, penWidth});
}
