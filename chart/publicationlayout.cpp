#include "chart/publicationlayout.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

constexpr double kSin60 = 0.86602540378443865;

struct Vec {
    double x, y;
};
Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y};
}
Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y};
}
Vec operator*(Vec a, double k) {
    return {a.x * k, a.y * k};
}
double Dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y;
}
Vec ToVec(DevicePoint p) {
    return {double(p.x), double(p.y)};
}
DevicePoint ToDevice(Vec v) {
    return {static_cast<int>(std::lround(v.x)), static_cast<int>(std::lround(v.y))};
}

// Half the extent of a w by h box along the unit direction u.
double Support(Vec u, TextSize size) {
    return std::abs(u.x) * size.width / 2 + std::abs(u.y) * size.height / 2;
}

TextBox BoxAround(Vec centre, TextSize size) {
    const int left = static_cast<int>(std::lround(centre.x - size.width / 2.0));
    const int top = static_cast<int>(std::lround(centre.y - size.height / 2.0));
    return {left, top, left + size.width, top + size.height};
}

// One side of the triangle that carries an axis: composition points of its values 0 and 100,
// the direction of its ticks (along the lines of equal value, outwards) and its outward normal,
// in device space (y down).
struct Side {
    point zero;
    point hundred;
    Vec tick;
    Vec outward;
    const std::string* name;
};

std::vector<Side> Sides(const ChartModel& model) {
    if (!model.mbTriaxial)
        return {{{0, 0}, {100, 0}, {0, 1}, {0, 1}, &model.mXName},
                {{0, 0}, {0, 100}, {-1, 0}, {-1, 0}, &model.mYName}};
    // x runs along the base from right to left, y up the left side, z down the right side.
    return {{{0, 0}, {100, 0}, {0.5, kSin60}, {0, 1}, &model.mXName},
            {{100, 0}, {0, 100}, {-1, 0}, {-kSin60, -0.5}, &model.mYName},
            {{0, 100}, {0, 0}, {0.5, -kSin60}, {kSin60, -0.5}, &model.mZName}};
}

// Text sizes measured once: the layout is tried at many sizes.
struct Measured {
    int line = 0;
    std::vector<TextSize> values; // of "0", "10", ... "100"
    std::vector<std::string> titles;
    std::vector<TextSize> titleSizes;
    int legendWidth = 0;
};

void Decorate(const ChartModel& model, const Measured& m, PublicationFrame* frame) {
    const ChartLayout& layout = frame->layout;
    const double line = m.line;
    const double tickLength = 0.4 * line;
    const double gap = 0.3 * line;
    const double headLength = 0.7 * line;
    const double headHalf = 0.3 * line;
    const std::vector<Side> sides = Sides(model);
    for (std::size_t s = 0; s < sides.size(); ++s) {
        const Side& side = sides[s];
        const Vec a = ToVec(MapToDevice(layout, side.zero.x, side.zero.y));
        const Vec b = ToVec(MapToDevice(layout, side.hundred.x, side.hundred.y));
        double reach = 0; // how far the ticks and values stand out from the side
        if (model.mbAxisValues) {
            for (int v = 0; v <= 100; v += 10) {
                const Vec at = a + (b - a) * (v / 100.0);
                const Vec end = at + side.tick * tickLength;
                frame->ticks.push_back({ToDevice(at), ToDevice(end)});
                const TextSize size = m.values[std::size_t(v / 10)];
                const TextBox box =
                    BoxAround(end + side.tick * (gap + Support(side.tick, size)), size);
                frame->values.push_back({box, std::to_string(v)});
                for (const Vec corner : {Vec{double(box.left), double(box.top)},
                                         Vec{double(box.right), double(box.top)},
                                         Vec{double(box.left), double(box.bottom)},
                                         Vec{double(box.right), double(box.bottom)}})
                    reach = std::max(reach, Dot(corner - a, side.outward));
            }
        }
        if (!model.mbAxisTitle)
            continue;
        const Vec middle = (a + b) * 0.5;
        const double along = std::hypot(b.x - a.x, b.y - a.y);
        if (along <= 0)
            continue;
        const Vec direction = (b - a) * (1 / along);
        const Vec shaft = middle + side.outward * (reach + gap + headHalf);
        const Vec tail = shaft - direction * (0.15 * along);
        const Vec head = shaft + direction * (0.15 * along);
        frame->arrows.push_back({ToDevice(tail), ToDevice(head)});
        const Vec base = head - direction * headLength;
        frame->arrowHeads.push_back({ToDevice(head), ToDevice(base + side.outward * headHalf),
                                     ToDevice(base - side.outward * headHalf)});
        const TextSize size = m.titleSizes[s];
        frame->titles.push_back(
            {BoxAround(shaft + side.outward * (headHalf + gap + Support(side.outward, size)), size),
             m.titles[s]});
    }
}

// The rectangle holding the triangle and all its decorations.
TextBox Extent(const PublicationFrame& frame, const ChartModel& model) {
    const ChartLayout& layout = frame.layout;
    std::vector<DevicePoint> corners = {MapToDevice(layout, 0, 0), MapToDevice(layout, 100, 0),
                                        MapToDevice(layout, 0, 100)};
    if (!model.mbTriaxial)
        corners.push_back(MapToDevice(layout, 100, 100));
    TextBox extent{corners[0].x, corners[0].y, corners[0].x, corners[0].y};
    const auto add = [&extent](const TextBox& b) {
        extent.left = std::min(extent.left, b.left);
        extent.top = std::min(extent.top, b.top);
        extent.right = std::max(extent.right, b.right);
        extent.bottom = std::max(extent.bottom, b.bottom);
    };
    for (const DevicePoint& p : corners)
        add({p.x, p.y, p.x + 1, p.y + 1});
    for (const auto* labels : {&frame.values, &frame.titles})
        for (const PlacedLabel& l : *labels)
            add(l.box);
    for (const auto& head : frame.arrowHeads)
        for (const DevicePoint& p : head)
            add({p.x, p.y, p.x + 1, p.y + 1});
    return extent;
}

PublicationFrame Frame(const ChartModel& model, const Measured& m, ChartRect rect, int side) {
    PublicationFrame frame;
    frame.layout.rect = rect;
    frame.layout.triaxial = model.mbTriaxial != 0;
    frame.layout.side = side;
    frame.layout.height = frame.layout.triaxial ? static_cast<int>(side * kSin60) : side;
    Decorate(model, m, &frame);
    return frame;
}

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

// The largest triangle that leaves room for a legend of the given size (to its right when it
// has a width, below it otherwise), centred with it in area; none when it would be smaller than
// ten text lines high.
std::optional<PublicationFrame> Fit(const ChartModel& model, const Measured& m,
                                    const ChartRect& area, TextSize legend) {
    const int roomX = legend.width > 0 ? legend.width + m.line : 0;
    const int roomY = legend.height > 0 ? legend.height + m.line : 0;
    const int width = area.Width() - roomX;
    const int height = area.Height() - roomY;
    const int smallestHeight = 10 * m.line;
    const int smallestSide =
        model.mbTriaxial ? static_cast<int>(std::ceil(smallestHeight / kSin60)) : smallestHeight;
    const auto fitsAt = [&](int side) {
        const TextBox e = Extent(Frame(model, m, area, side), model);
        return e.right - e.left <= width && e.bottom - e.top <= height;
    };
    if (width < smallestSide || height < smallestHeight || !fitsAt(smallestSide))
        return std::nullopt;
    int fitting = smallestSide;
    int tooLarge = std::max(width, height) + 1;
    while (tooLarge - fitting > 1) {
        const int side = fitting + (tooLarge - fitting) / 2;
        (fitsAt(side) ? fitting : tooLarge) = side;
    }
    const TextBox e = Extent(Frame(model, m, area, fitting), model);
    const int dx = area.left + (area.Width() - (e.right - e.left) - roomX) / 2 - e.left;
    const int dy = area.top + (area.Height() - (e.bottom - e.top) - roomY) / 2 - e.top;
    PublicationFrame frame = Frame(
        model, m, {area.left + dx, area.top + dy, area.right + dx, area.bottom + dy}, fitting);
    frame.layout.fits = true;
    if (roomX > 0)
        frame.legend = {e.right + dx + m.line, e.top + dy, e.right + dx + roomX, area.bottom};
    else if (roomY > 0)
        frame.legend = {e.left + dx, e.bottom + dy + m.line,
                        e.left + dx + std::max(m.legendWidth, e.right - e.left), area.bottom};
    return frame;
}

} // namespace

bool DrawsDensity(const ChartModel& model) {
    return model.mbSamples && (model.mbDensity || model.mPoints.size() > kDensityFrom);
}

std::string AxisTitleWithSizes(const std::string& name, const SchemeMetadata& metadata) {
    const std::string fraction = Lower(name);
    std::string sizes;
    if (metadata.limits) {
        const ParticleLimits& l = *metadata.limits;
        if (fraction.rfind("clay", 0) == 0)
            sizes = "<" + Number(l.clay);
        else if (fraction.rfind("silt", 0) == 0)
            sizes = Number(l.clay) + "\u2013" + Number(l.silt);
        else if (fraction.rfind("sand", 0) == 0)
            sizes = Number(l.silt) + "\u2013" + Number(l.sand);
    }
    return sizes.empty() ? name + " %" : name + " (" + sizes + " \u00b5m) %";
}

std::vector<std::string> GroupLegendLines(const ChartModel& model, std::size_t maxLines) {
    if (!model.mbLegend || !model.mbSamples || model.mGroupNames.empty() || DrawsDensity(model) ||
        maxLines < 2)
        return {};
    std::vector<std::string> lines = {model.mGroupTitle};
    const std::size_t groups = model.mGroupNames.size();
    const std::size_t shown = groups + 1 <= maxLines ? groups : maxLines - 2;
    lines.insert(lines.end(), model.mGroupNames.begin(), model.mGroupNames.begin() + shown);
    if (shown < groups)
        lines.push_back("and " + std::to_string(groups - shown) + " more");
    return lines;
}

PublicationFrame LayOutPublication(const DeviceResolution& target, const ChartModel& model) {
    Measured m;
    m.line = target.MeasureText("0").height;
    for (int v = 0; v <= 100; v += 10)
        m.values.push_back(target.MeasureText(std::to_string(v)));
    for (const Side& side : Sides(model)) {
        m.titles.push_back(AxisTitleWithSizes(*side.name, model.mMetadata));
        m.titleSizes.push_back(target.MeasureText(m.titles.back()));
    }
    const ChartRect& chart = model.mChartRect;
    const int pad = m.line / 2;
    ChartRect area{chart.left + pad, chart.top + pad, chart.right - pad, chart.bottom - pad};
    const std::size_t maxLines = m.line > 0 ? std::size_t(std::max(0, area.Height() / m.line)) : 0;
    const std::vector<std::string> legend = GroupLegendLines(model, maxLines);
    if (!legend.empty() || DrawsDensity(model)) {
        // The density key is a swatch and a count range a line; its heading is the widest.
        std::vector<std::string> texts = legend;
        texts.push_back("and 0000 more");
        if (legend.empty())
            texts = {"Samples per cell", "0000000\u20130000000"};
        for (const std::string& t : texts)
            m.legendWidth = std::max(m.legendWidth, target.MeasureText(t).width);
        m.legendWidth += 2 * m.line; // the marker or swatch before each name
    }
    if (m.legendWidth == 0)
        return Fit(model, m, area, {0, 0}).value_or(Frame(model, m, area, 0));
    // The legend beside the triangle, or below it in a tall picture: whichever leaves the
    // larger triangle.
    const int legendLines = legend.empty() ? kDensityLevels + 1 : int(legend.size());
    const std::optional<PublicationFrame> right = Fit(model, m, area, {m.legendWidth, 0});
    const std::optional<PublicationFrame> below = Fit(model, m, area, {0, legendLines * m.line});
    if (right && (!below || right->layout.side >= below->layout.side))
        return *right;
    if (below)
        return *below;
    // A picture too small for the legend still shows the triangle.
    return Fit(model, m, area, {0, 0}).value_or(Frame(model, m, area, 0));
}
