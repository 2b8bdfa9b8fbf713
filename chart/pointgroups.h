#pragma once

#include "chart/drawtarget.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// Groups of samples in the publication style: each group's marker, and the grouping of samples
// by a column's values or by their Sample ID's prefix.

enum class MarkerShape { Circle, Square, TriangleUp, Diamond, TriangleDown, Cross };

struct MarkerStyle {
    Colour colour;
    MarkerShape shape;
};

// Colour and shape of group g (0 upwards; a negative one is group 0). The colours are Paul
// Tol's colour-blind-safe "bright" set; colour and shape cycle at different lengths, so the
// first 42 groups all differ.
MarkerStyle GroupMarker(int group);

// The outline of a marker of the given radius (logical units) around centre, as a polygon.
std::vector<DevicePoint> MarkerOutline(MarkerShape shape, DevicePoint centre, int radius);

// Numbers the distinct values it is given in order of first appearance; an empty value is the
// group "(empty)". Beyond kMostGroups groups, every new value falls in one last group "(other
// values)", so that a column of unique values (a Sample ID) takes bounded memory.
class GroupNumbering {
public:
    static constexpr int kMostGroups = 1000;
    int Number(std::string_view value);
    const std::vector<std::string>& Names() const { return mNames; }

private:
    std::map<std::string, int, std::less<>> mIndex;
    std::vector<std::string> mNames;
};

// The group of each value (an index into *names, the distinct values as GroupNumbering gives
// them).
void GroupByValues(const std::vector<std::string>& values, std::vector<int>* groups,
                   std::vector<std::string>* names);

// A Sample ID up to its first digit, without the blanks and punctuation before it ("Plot A-01":
// "Plot A"); "(no Sample ID)" for the chart's own "no. N" labels; the whole ID when it starts
// with a digit.
std::string SampleIdPrefix(const std::string& id);
