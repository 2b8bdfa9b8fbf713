#pragma once

#include "chart/drawtarget.h"

#include <QFont>
#include <QFontMetrics>
#include <QPointF>

class QPaintDevice;
class QPainter;

// The chart's font: "Arial" (the desktop's metric twin of it where Arial is missing) at the
// model's font size, or at its style's own (8 points classic, 9 publication).
QFont ChartFont(const ChartModel& model);

// Draws through a QPainter that is active on a window, an image, a printer page, an SVG or a
// PDF. Pixels per inch and text sizes are those of the painter's device. Lines are crisp, as on
// a screen, unless smooth (antialiased, for pictures saved as images); only the sample circles
// are always smoothed.
class PainterTarget : public DrawTarget {
public:
    PainterTarget(QPainter& painter, const QFont& font, bool smooth = false);

    void SetPen(const Pen& pen) override;
    void SetBrush(Colour colour) override;
    void SetTextColour(Colour colour) override;
    Colour TextColour() const override;

    void FillRect(const ChartRect& rect, Colour colour) override;
    void Line(DevicePoint from, DevicePoint to) override;
    void Polygon(const std::vector<DevicePoint>& vertices) override;
    void Ellipse(DevicePoint centre, int radiusX, int radiusY) override;
    void Text(DevicePoint topLeft, const std::string& text) override;
    void SetTextScale(double scale) override;
    TextSize MeasureText(const std::string& text) const override;

    int PixelsPerInchX() const override;
    int PixelsPerInchY() const override;

private:
    // Where a line of the current pen is drawn: smoothed lines of odd width on pixel centres, so
    // that they cover whole pixels.
    QPointF Centre(DevicePoint p) const { return QPointF(p.x + mOffset, p.y + mOffset); }

    QPainter& mPainter;
    QFont mFont;
    QFontMetrics mMetrics;
    bool mSmooth;
    double mOffset = 0;
    Colour mTextColour;
};

// The resolution of a paint device and the chart font's text sizes on it, without painting: to
// lay a chart out between paints (the mouse readout) or before drawing it.
class PaintDeviceMetrics : public DeviceResolution {
public:
    PaintDeviceMetrics(const QFont& font, const QPaintDevice& device);

    TextSize MeasureText(const std::string& text) const override;
    int PixelsPerInchX() const override { return mDpiX; }
    int PixelsPerInchY() const override { return mDpiY; }

private:
    QFontMetrics mMetrics;
    int mDpiX;
    int mDpiY;
};
