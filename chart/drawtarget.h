#pragma once

#include "chart/chartmodel.h"

#include <cstdint>
#include <string>
#include <vector>

struct DevicePoint {
    int x = 0;
    int y = 0;
    bool operator==(const DevicePoint& o) const { return x == o.x && y == o.y; }
    bool operator!=(const DevicePoint& o) const { return !(*this == o); }
};

struct TextSize {
    int width = 0;
    int height = 0;
};

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Colour& o) const {
        return red == o.red && green == o.green && blue == o.blue;
    }
    bool operator!=(const Colour& o) const { return !(*this == o); }
};

struct Pen {
    Colour colour;
    int width = 1; // logical units
};

namespace chartcolour {
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kBlack{0, 0, 0};
constexpr Colour kGrey{192, 192, 192};
constexpr Colour kDarkGrey{128, 128, 128};
constexpr Colour kRed{255, 0, 0};
} // namespace chartcolour

// What the chart's layout needs of a device besides its rectangle: its resolution and the
// size of its texts (the room kept for the axis titles and values).
class DeviceResolution {
public:
    virtual ~DeviceResolution() = default;

    // One line of text in the chart font, in logical units.
    virtual TextSize MeasureText(const std::string& text) const = 0;

    // Pixels per inch of the device that text is measured on.
    virtual int PixelsPerInchX() const = 0;
    virtual int PixelsPerInchY() const = 0;
    // Converts a size in device pixels to logical units (the same for most targets).
    virtual DevicePoint DeviceToLogical(DevicePoint size) const { return size; }
};

// Where a chart is drawn: a window, an image, a printer page, an EMF file, or a recording in
// tests. Coordinates are logical units of the target; texts are UTF-8. The target owns its font.
class DrawTarget : public DeviceResolution {
public:
    virtual void SetPen(const Pen& pen) = 0;
    virtual void SetBrush(Colour colour) = 0;
    virtual void SetTextColour(Colour colour) = 0;
    virtual Colour TextColour() const = 0;

    virtual void FillRect(const ChartRect& rect, Colour colour) = 0;
    virtual void Line(DevicePoint from, DevicePoint to) = 0;
    // Filled with the brush and outlined with the pen.
    virtual void Polygon(const std::vector<DevicePoint>& vertices) = 0;
    // Outlined with the pen, not filled.
    virtual void Ellipse(DevicePoint centre, int radiusX, int radiusY) = 0;
    // One line of text with its top left corner at the given point, in the text colour.
    virtual void Text(DevicePoint topLeft, const std::string& text) = 0;
    // Texts drawn and measured from now on at scale times the target's own font size (1 sets
    // it back); for labels shrunk to fit.
    virtual void SetTextScale(double scale) = 0;
};
