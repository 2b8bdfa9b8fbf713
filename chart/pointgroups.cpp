#include "chart/pointgroups.h"

#include <cmath>

namespace {

constexpr Colour kBright[] = {{0x44, 0x77, 0xAA}, {0xEE, 0x66, 0x77}, {0x22, 0x88, 0x33},
                              {0xCC, 0xBB, 0x44}, {0x66, 0xCC, 0xEE}, {0xAA, 0x33, 0x77},
                              {0x55, 0x55, 0x55}};
constexpr MarkerShape kShapes[] = {MarkerShape::Circle,       MarkerShape::Square,
                                   MarkerShape::TriangleUp,   MarkerShape::Diamond,
                                   MarkerShape::TriangleDown, MarkerShape::Cross};
constexpr int kColours = sizeof kBright / sizeof kBright[0];
constexpr int kShapeCount = sizeof kShapes / sizeof kShapes[0];

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

MarkerStyle GroupMarker(int group) {
    if (group < 0)
        group = 0;
    return {kBright[group % kColours], kShapes[group % kShapeCount]};
}

std::vector<DevicePoint> MarkerOutline(MarkerShape shape, DevicePoint c, int r) {
    // Shapes of about the same area as the circle, so no group looks heavier than another.
    const int s = static_cast<int>(std::lround(r * 0.9));
    const int t = static_cast<int>(std::lround(r * 1.2));
    const int q = std::max(1, r / 3);
    switch (shape) {
    case MarkerShape::Square:
        return {{c.x - s, c.y - s}, {c.x + s, c.y - s}, {c.x + s, c.y + s}, {c.x - s, c.y + s}};
    case MarkerShape::TriangleUp:
        return {{c.x, c.y - t}, {c.x + t, c.y + s}, {c.x - t, c.y + s}};
    case MarkerShape::TriangleDown:
        return {{c.x, c.y + t}, {c.x - t, c.y - s}, {c.x + t, c.y - s}};
    case MarkerShape::Diamond:
        return {{c.x, c.y - t}, {c.x + t, c.y}, {c.x, c.y + t}, {c.x - t, c.y}};
    case MarkerShape::Cross:
        return {{c.x - q, c.y - t}, {c.x + q, c.y - t}, {c.x + q, c.y - q}, {c.x + t, c.y - q},
                {c.x + t, c.y + q}, {c.x + q, c.y + q}, {c.x + q, c.y + t}, {c.x - q, c.y + t},
                {c.x - q, c.y + q}, {c.x - t, c.y + q}, {c.x - t, c.y - q}, {c.x - q, c.y - q}};
    case MarkerShape::Circle:
        break;
    }
    std::vector<DevicePoint> circle;
    constexpr int kCorners = 16;
    for (int k = 0; k < kCorners; ++k) {
        const double angle = 2 * 3.14159265358979 * k / kCorners;
        circle.push_back({c.x + static_cast<int>(std::lround(r * std::cos(angle))),
                          c.y + static_cast<int>(std::lround(r * std::sin(angle)))});
    }
    return circle;
}

int GroupNumbering::Number(std::string_view value) {
    if (value.empty())
        value = "(empty)";
    auto found = mIndex.find(value);
    if (found != mIndex.end())
        return found->second;
    if (mNames.size() >= kMostGroups) {
        value = "(other values)";
        found = mIndex.find(value);
        if (found != mIndex.end())
            return found->second;
    }
    const int number = static_cast<int>(mNames.size());
    mNames.emplace_back(value);
    mIndex.emplace(mNames.back(), number);
    return number;
}

void GroupByValues(const std::vector<std::string>& values, std::vector<int>* groups,
                   std::vector<std::string>* names) {
    GroupNumbering numbering;
    groups->clear();
    for (const std::string& value : values)
        groups->push_back(numbering.Number(value));
    *names = numbering.Names();
}

std::string SampleIdPrefix(const std::string& id) {
    if (id.rfind("no. ", 0) == 0 && id.size() > 4 &&
        id.find_first_not_of("0123456789", 4) == std::string::npos)
        return "(no Sample ID)";
    std::size_t end = 0;
    while (end < id.size() && !IsDigit(id[end]))
        ++end;
    while (end > 0 && std::string(" -_./#:").find(id[end - 1]) != std::string::npos)
        --end;
    return end == 0 ? id : id.substr(0, end);
}
