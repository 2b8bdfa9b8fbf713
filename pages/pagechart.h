#pragma once

#include "geometry/point.h"
#include "scheme/classshares.h"

#include <optional>
#include <string>
#include <vector>

class PageScheme;
class QWidget;
class UserInteraction;

// What a page hands to the chart window besides its scheme.
struct ChartData {
    std::vector<point> points;       // (x, y) in percent
    std::vector<std::string> labels; // one a sample, none for a range polygon
    bool samples = true;             // false: points are the vertices of the range polygon
};

// Runs the chart window over a copy of the page's scheme, with its path and axis names and the
// data, until the user closes it. With a lab error each sample's error region is drawn.
void RunPageChart(UserInteraction& interaction, QWidget* page, const PageScheme& scheme,
                  ChartData data, std::optional<LabError> labError = std::nullopt);
