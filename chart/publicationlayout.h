#pragma once

#include "chart/chartgeometry.h"

#include <cstddef>
#include <string>
#include <vector>

// The publication style's frame: the triangle with everything around it (ticks every 10 %,
// values, arrows showing the reading direction, titles with the particle sizes) and the room
// of the legend beside it, laid out together so that none of it leaves the picture.

struct PlacedLabel {
    TextBox box;
    std::string text;
};

struct Segment {
    DevicePoint from;
    DevicePoint to;
};

struct PublicationFrame {
    ChartLayout layout;
    std::vector<Segment> ticks;
    std::vector<PlacedLabel> values;
    std::vector<Segment> arrows;                      // tail to head, along increasing values
    std::vector<std::vector<DevicePoint>> arrowHeads; // filled triangles at the heads
    std::vector<PlacedLabel> titles;
    TextBox legend; // its room, right of the triangle or below it; empty when there is none
};

// Above this many samples they are drawn as density shading instead of markers, in this many
// shades.
constexpr std::size_t kDensityFrom = 5000;
constexpr int kDensityLevels = 6;

// Samples drawn as density shading: forced by mbDensity or beyond kDensityFrom.
bool DrawsDensity(const ChartModel& model);

// The axis title: the name, the particle-size range of the fraction it names (clay, silt or
// sand, from the limits metadata) and "%": "Sand (50–2000 µm) %", "Clay (<2 µm) %". Only
// "Name %" when the name is none of the three or the limits are unknown.
std::string AxisTitleWithSizes(const std::string& name, const SchemeMetadata& metadata);

// The legend's lines as they are drawn: its heading first (may be empty), then one line a group
// (at most maxLines in all, the last then saying how many more there are). Empty when the
// model shows no legend of groups.
std::vector<std::string> GroupLegendLines(const ChartModel& model, std::size_t maxLines);

// Lays the publication style out in model.mChartRect. layout.fits is false when the triangle
// would be smaller than ten text lines high.
PublicationFrame LayOutPublication(const DeviceResolution& target, const ChartModel& model);
