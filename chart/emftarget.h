#pragma once

#include "chart/drawtarget.h"

#include <QByteArray>
#include <QFont>
#include <QFontMetrics>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

// Records the chart as an Enhanced Metafile through libEMF. Text is measured with the chart
// font as the screen of the given pixels per inch shows it, so the picture matches the window.
class EmfTarget : public DrawTarget {
public:
    EmfTarget(const QFont& font, int dpi);
    ~EmfTarget() override;
    EmfTarget(const EmfTarget&) = delete;
    EmfTarget& operator=(const EmfTarget&) = delete;

    // False when the metafile could not be started; nothing is recorded then.
    bool IsOpen() const { return mDc != 0; }
    // Ends the metafile and returns the whole file, its header telling a picture of width by
    // height device units at the target's pixels per inch; empty when it could not be written.
    QByteArray Finish(int width, int height);

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
    int PixelsPerInchX() const override { return mDpi; }
    int PixelsPerInchY() const override { return mDpi; }

private:
    // libEMF's handles are plain integers; kept as such here so that its Windows-style headers
    // (with their min and max macros) stay out of every file that includes this one.
    using Handle = unsigned int;
    QByteArray Close();
    Handle Select(Handle object);
    void SelectFont(int pixelSize);
    void Replace(Handle& held, Handle object);

    int mDpi;
    QFont mFont;
    std::string mFamily;
    QFontMetrics mMetrics;
    std::FILE* mFile = nullptr;
    Handle mDc = 0;
    Handle mPen = 0;
    Handle mBrush = 0;
    Handle mGdiFont = 0;
    Colour mTextColour;
};
