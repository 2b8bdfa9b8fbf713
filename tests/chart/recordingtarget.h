#pragma once

#include "chart/drawtarget.h"

#include <string>
#include <vector>

// Remembers what a chart drew, in order, with texts 6 units wide a character and 10 high.
class RecordingTarget : public DrawTarget {
public:
    struct Call {
        std::string kind; // "line", "polygon", "ellipse", "text", "fill"
        std::vector<DevicePoint> points;
        std::string text;
        Colour colour; // the pen's for shapes, the text colour for texts
    };

    std::vector<Call> calls;

    void SetPen(const Pen& pen) override { mPen = pen; }
    void SetBrush(Colour) override {}
    void SetTextColour(Colour colour) override { mText = colour; }
    Colour TextColour() const override { return mText; }
    void FillRect(const ChartRect& r, Colour colour) override {
        calls.push_back({"fill", {{r.left, r.top}, {r.right, r.bottom}}, {}, colour});
    }
    void Line(DevicePoint a, DevicePoint b) override {
        calls.push_back({"line", {a, b}, {}, mPen.colour});
    }
    void Polygon(const std::vector<DevicePoint>& v) override {
        calls.push_back({"polygon", v, {}, mPen.colour});
    }
    void Ellipse(DevicePoint c, int rx, int ry) override {
        calls.push_back({"ellipse", {c, {rx, ry}}, {}, mPen.colour});
    }
    void Text(DevicePoint p, const std::string& text) override {
        calls.push_back({"text", {p}, text, mText});
    }
    TextSize MeasureText(const std::string& text) const override {
        return {static_cast<int>(text.size()) * 6, 10};
    }
    int PixelsPerInchX() const override { return 96; }
    int PixelsPerInchY() const override { return 96; }

    std::vector<const Call*> Of(const std::string& kind) const {
        std::vector<const Call*> found;
        for (const Call& c : calls)
            if (c.kind == kind)
                found.push_back(&c);
        return found;
    }

private:
    Pen mPen;
    Colour mText;
};
