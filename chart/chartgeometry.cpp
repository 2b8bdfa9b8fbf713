#include "chart/chartgeometry.h"

#include "chart/publicationlayout.h"
#include "util/futil.h"

#include <cmath>

namespace {

// The angles as the chart has always computed them, with pi to eight digits.
constexpr double kPi = 3.1415927;
const double kSin60 = std::sin(kPi / 3);
const double kTan60 = std::tan(kPi / 3);
const double kTan30 = std::tan(kPi / 6);

// The smallest triangle is this many text lines high: one line for each step of ten percent.
constexpr int kSmallestInLines = 10;

// The space left around the triangle: 60 points across and 100 points down.
DevicePoint Margins(const DeviceResolution& target) {
    return target.DeviceToLogical(
        {target.PixelsPerInchX() * 60 / 72, target.PixelsPerInchY() * 100 / 72});
}

// The triangle the classic margins leave room for.
ChartLayout ClassicLayout(const DeviceResolution& target, const ChartModel& model) {
    const ChartRect& rect = model.mChartRect;
    const DevicePoint margin = Margins(target);
    ChartLayout layout{rect, model.mbTriaxial != 0, rect.Width() - margin.x, 0, false};
    if (!layout.triaxial) {
        if (layout.side > rect.Height() - margin.y)
            layout.side = rect.Height() - margin.y;
        layout.height = layout.side;
        return layout;
    }
    layout.height = static_cast<int>(layout.side * kSin60);
    if (layout.height > rect.Height() - margin.y) {
        layout.height = rect.Height() - margin.y;
        layout.side = static_cast<int>(layout.height / kSin60);
    }
    return layout;
}

ChartLayout WithSide(ChartLayout layout, int side) {
    layout.side = side;
    layout.height = layout.triaxial ? static_cast<int>(side * kSin60) : side;
    return layout;
}

// Rounded to a tenth first, so that 252.96 and 253.04 both land where the grid line does.
int ToDevice(double v) {
    futil::round(v, 1);
    return static_cast<int>(v);
}

struct SizedText {
    const AxisText* text;
    TextSize size;
};

bool AllInside(const ChartLayout& layout, const std::vector<SizedText>& texts) {
    for (const SizedText& t : texts) {
        const DevicePoint anchor = MapToDevice(layout, t.text->x, t.text->y);
        if (!PlaceText(anchor, t.size, t.text->across, t.text->down).Inside(layout.rect))
            return false;
    }
    return true;
}

} // namespace

TextBox PlaceText(DevicePoint anchor, TextSize size, Across across, Down down) {
    int left = anchor.x;
    if (across == Across::Right)
        left -= size.width;
    else if (across == Across::Centre)
        left -= size.width / 2;
    int top = anchor.y;
    if (down == Down::Bottom)
        top -= size.height;
    else if (down == Down::Middle)
        top -= size.height / 2;
    return {left, top, left + size.width, top + size.height};
}

std::vector<AxisText> AxisTexts(const ChartModel& model) {
    std::vector<AxisText> texts;
    const bool tri = model.mbTriaxial != 0;
    if (model.mbAxisValues) {
        for (int i = 0; i <= 100; i += 10) {
            const int j = 100 - i;
            if (tri)
                texts.push_back({-3, double(i), std::to_string(j), Across::Left, Down::Middle});
            texts.push_back({double(i), -3, std::to_string(i), Across::Centre, Down::Top});
            if (tri)
                texts.push_back(
                    {double(103 - i), double(i), std::to_string(i), Across::Right, Down::Middle});
            else
                texts.push_back({-3, double(i), std::to_string(i), Across::Right, Down::Middle});
        }
    }
    if (model.mbAxisTitle) {
        if (tri) {
            texts.push_back({55.1963, -9, model.mXName, Across::Centre, Down::Top});
            texts.push_back({59, 50, model.mYName, Across::Right, Down::Middle});
            texts.push_back({-9, 50, model.mZName, Across::Left, Down::Middle});
        } else {
            texts.push_back({50, -9, model.mXName, Across::Centre, Down::Top});
            texts.push_back({-9, 50, model.mYName, Across::Right, Down::Middle});
        }
    }
    return texts;
}

ChartLayout LayOutChart(const DeviceResolution& target, const ChartModel& model) {
    if (model.mbPublication)
        return LayOutPublication(target, model).layout;
    ChartLayout layout = ClassicLayout(target, model);
    const int smallestHeight = kSmallestInLines * target.MeasureText("0").height;
    const int smallestSide =
        layout.triaxial ? static_cast<int>(std::ceil(smallestHeight / kSin60)) : smallestHeight;
    if (layout.height < smallestHeight || layout.side < smallestSide)
        return layout;
    layout.fits = true;

    const std::vector<AxisText> texts = AxisTexts(model);
    std::vector<SizedText> sized;
    sized.reserve(texts.size());
    for (const AxisText& t : texts)
        sized.push_back({&t, target.MeasureText(t.text)});
    if (AllInside(layout, sized))
        return layout;
    // The texts lie a fixed share of the side away from the triangle, so a smaller triangle
    // brings them all nearer the middle: the largest side that keeps them in. When even the
    // smallest does not (a title longer than the picture), the drawing pushes them in.
    int fitting = smallestSide;
    int tooLarge = layout.side;
    while (tooLarge - fitting > 1) {
        const int side = fitting + (tooLarge - fitting) / 2;
        (AllInside(WithSide(layout, side), sized) ? fitting : tooLarge) = side;
    }
    return WithSide(layout, fitting);
}

DevicePoint MapToDevice(const ChartLayout& layout, double x, double y) {
    const ChartRect& rect = layout.rect;
    double vx;
    double vy;
    if (layout.triaxial) {
        const double h = (100 - y) * kSin60;
        const double p = (100 - x) - (50 * kTan60 - h) * kTan30;
        vy = layout.height * h / (kSin60 * 100) + (rect.Height() - layout.height) / 2;
        vx = (rect.Width() - layout.side) / 2 + layout.side * p * 0.01;
    } else {
        vx = (rect.Width() - layout.side) / 2 + layout.side * x * 0.01;
        vy = (rect.Height() - layout.side) / 2 + layout.side * (100 - y) * 0.01;
    }
    return {rect.left + ToDevice(vx), rect.top + ToDevice(vy)};
}

point MapToChart(const ChartLayout& layout, DevicePoint device) {
    const ChartRect& rect = layout.rect;
    const double px = device.x - rect.left;
    const double py = device.y - rect.top;
    // A window too small to hold a triangle has no composition anywhere in it.
    if (!layout.fits || layout.side <= 0 || layout.height <= 0)
        return {-1, -1};
    const int sideOffset = (rect.Width() - layout.side) / 2;
    if (layout.triaxial) {
        const double d = (py - (rect.Height() - layout.height) / 2) * kSin60 * 100 / layout.height;
        const double y = 100 - d / kSin60;
        const double x = 100 - ((50 * kTan60 - d) * kTan30 + (px - sideOffset) * 100 / layout.side);
        return {x, y};
    }
    return {(px - sideOffset) * 100 / layout.side,
            100 - (py - (rect.Height() - layout.side) / 2) * 100 / layout.side};
}

DevicePoint ChartToDevice(const DeviceResolution& target, const ChartModel& model, double x,
                          double y) {
    return MapToDevice(LayOutChart(target, model), x, y);
}

point DeviceToChart(const DeviceResolution& target, const ChartModel& model, DevicePoint device) {
    return MapToChart(LayOutChart(target, model), device);
}
