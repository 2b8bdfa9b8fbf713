#pragma once

#include "chart/drawtarget.h"

#include <QFont>
#include <QFontMetrics>

class QPainter;

// The chart's font: 8-point "Arial" (the desktop's metric twin of it where Arial is missing).
QFont ChartFont();

// Draws through a QPainter that is active on a window, an image, a printer page, an SVG or a
// PDF. Pixels per inch and text sizes are those of the painter's device.
class PainterTarget : public DrawTarget {
public:
    PainterTarget(QPainter& painter, const QFont& font);

    void SetPen(const Pen& pen) override;
    void SetBrush(Colour colour) override;
    void SetTextColour(Colour colour) override;
    Colour TextColour() const override;

    void FillRect(const ChartRect& rect, Colour colour) override;
    void Line(DevicePoint from, DevicePoint to) override;
    void Polygon(const std::vector<DevicePoint>& vertices) override;
    void Ellipse(DevicePoint centre, int radiusX, int radiusY) override;
    void Text(DevicePoint topLeft, const std::string& text) override;
    TextSize MeasureText(const std::string& text) const override;

    int PixelsPerInchX() const override;
    int PixelsPerInchY() const override;

private:
    QPainter& mPainter;
    QFontMetrics mMetrics;
    Colour mTextColour;
};
