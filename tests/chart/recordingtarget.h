#pragma once

#include "chart/chartgeometry.h"

#include <string>
#include <vector>

// Remembers what a chart drew, in order, with texts 6 units wide a character and 10 high on a
// 96-dpi device, larger in proportion at a higher dpi.
class RecordingTarget : public DrawTarget {
public:
    explicit RecordingTarget(int dpi = 96) : mDpi(dpi) {}

    struct Call {
        std::string kind; // "line", "polygon", "ellipse", "text", "fill"
        std::vector<DevicePoint> points;
        std::string text;
        Colour colour;    // the pen's for shapes, the text colour for texts
        double scale = 1; // of a text
    };
    std::vector<Call> calls;

    void SetPen(const Pen& pen) override { mPen = pen; }
    void SetBrush(Colour) override {}
    void SetTextColour(Colour colour) override { mText = colour; }
    Colour TextColour() const override { return mText; }
    void FillRect(const ChartRect& r, Colour c) override {
        calls.push_back({"fill", {{r.left, r.top}, {r.right, r.bottom}}, {}, c});
    }
    void Line(DevicePoint a, DevicePoint b) override { Shape("line", {a, b}); }
    void Polygon(const std::vector<DevicePoint>& v) override { Shape("polygon", v); }
    void Ellipse(DevicePoint c, int rx, int ry) override { Shape("ellipse", {c, {rx, ry}}); }
    void Text(DevicePoint p, const std::string& text) override {
        calls.push_back({"text", {p}, text, mText, mScale});
    }
    void SetTextScale(double scale) override { mScale = scale; }
    TextSize MeasureText(const std::string& text) const override { return Size(text, mScale); }
    int PixelsPerInchX() const override { return mDpi; }
    int PixelsPerInchY() const override { return mDpi; }

    std::vector<const Call*> Of(const std::string& kind) const {
        std::vector<const Call*> found;
        for (const Call& c : calls)
            if (c.kind == kind)
                found.push_back(&c);
        return found;
    }

    // Where each text was drawn, as MeasureText sizes it.
    std::vector<TextBox> TextBoxes() const {
        std::vector<TextBox> boxes;
        for (const Call* c : Of("text")) {
            const TextSize size = Size(c->text, c->scale);
            const DevicePoint p = c->points[0];
            boxes.push_back({p.x, p.y, p.x + size.width, p.y + size.height});
        }
        return boxes;
    }

private:
    TextSize Size(const std::string& text, double scale) const {
        return {static_cast<int>(text.size() * 6 * mDpi * scale / 96),
                static_cast<int>(10 * mDpi * scale / 96)};
    }
    void Shape(const char* kind, std::vector<DevicePoint> points) {
        calls.push_back({kind, std::move(points), {}, mPen.colour});
    }
    int mDpi;
    double mScale = 1;
    Pen mPen;
    Colour mText;
};
