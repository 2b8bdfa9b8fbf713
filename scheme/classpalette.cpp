#include "scheme/classpalette.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>

namespace {

// Distance within which two class outlines count as touching, in percent: vertices in scheme
// files are written to a few decimals, so shared boundaries meet exactly or nearly so.
constexpr double kTouch = 1e-6;

double SegmentDistance(const point& p, const point& a, const point& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Any vertex of one region on the outline of the other: regions of a valid scheme do not
// overlap, so touching outlines always put a vertex of one on an edge of the other.
bool VertexOnOutline(const polygon& from, const polygon& onto) {
    const std::vector<point>& ring = onto.Vertices();
    for (const point& p : from.Vertices())
        for (std::size_t i = 0; i < ring.size(); ++i)
            if (SegmentDistance(p, ring[i], ring[(i + 1) % ring.size()]) <= kTouch)
                return true;
    return false;
}

bool Touch(const polygon& a, const polygon& b) {
    return VertexOnOutline(a, b) || VertexOnOutline(b, a);
}

// How far apart two colours look (the "redmean" weighting of the RGB distance): enough for
// telling the palette's near pairs (pear and olive) from the rest.
double Apart(const Rgb& a, const Rgb& b) {
    const double mean = (a.r + b.r) / 2.0;
    const double dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return std::sqrt((2 + mean / 256) * dr * dr + 4 * dg * dg + (2 + (255 - mean) / 256) * db * db);
}

// Neighbours closer than this look alike on a chart; they are avoided after identical ones.
constexpr double kAlike = 135;

} // namespace

const std::vector<Rgb>& ClassPaletteColours() {
    static const std::vector<Rgb> colours = {
        {0x77, 0xAA, 0xDD}, // light blue
        {0xEE, 0x88, 0x66}, // orange
        {0xEE, 0xDD, 0x88}, // light yellow
        {0xFF, 0xAA, 0xBB}, // pink
        {0x99, 0xDD, 0xFF}, // light cyan
        {0x44, 0xBB, 0x99}, // mint
        {0xBB, 0xCC, 0x33}, // pear
        {0xAA, 0xAA, 0x00}, // olive
        {0xDD, 0xDD, 0xDD}, // pale grey
    };
    return colours;
}

std::vector<Rgb> ClassColours(const soiltex& scheme) {
    const std::vector<TextureClass>& classes = scheme.Classes();
    std::map<std::string, int> nameIndex;
    std::vector<int> groupOf(classes.size());
    for (std::size_t i = 0; i < classes.size(); ++i)
        groupOf[i] = nameIndex.emplace(classes[i].name, int(nameIndex.size())).first->second;
    const int groups = int(nameIndex.size());
    const std::size_t n = nameIndex.size();

    std::vector<std::vector<bool>> adjacent(n, std::vector<bool>(n, false));
    for (std::size_t i = 0; i < classes.size(); ++i)
        for (std::size_t j = i + 1; j < classes.size(); ++j)
            if (groupOf[i] != groupOf[j] && Touch(classes[i].region, classes[j].region))
                adjacent[groupOf[i]][groupOf[j]] = adjacent[groupOf[j]][groupOf[i]] = true;

    // Most-connected names first (Welsh-Powell), ties in order of first appearance, so the
    // hardest-constrained classes pick before their neighbours use up the palette.
    std::vector<int> order(n);
    std::vector<int> degree(n, 0);
    for (int g = 0; g < groups; ++g) {
        order[g] = g;
        degree[g] = int(std::count(adjacent[g].begin(), adjacent[g].end(), true));
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return degree[a] > degree[b]; });

    const std::vector<Rgb>& palette = ClassPaletteColours();
    const int count = int(palette.size());
    std::vector<int> colourOf(n, -1);
    std::vector<int> uses(palette.size(), 0);
    for (int g : order) {
        // Fewest neighbours sharing the colour, then fewest with a look-alike, then the least
        // used colour, then palette order: spreads the palette over the triangle instead of
        // piling on its first entries.
        int best = 0;
        std::tuple<int, int, int> bestCost{1 << 30, 1 << 30, 1 << 30};
        for (int c = 0; c < count; ++c) {
            int clashes = 0, alike = 0;
            for (int h = 0; h < groups; ++h) {
                if (!adjacent[g][h] || colourOf[h] < 0)
                    continue;
                clashes += colourOf[h] == c;
                alike += Apart(palette[std::size_t(c)], palette[std::size_t(colourOf[h])]) < kAlike;
            }
            const std::tuple<int, int, int> cost{clashes, alike, uses[c]};
            if (cost < bestCost) {
                bestCost = cost;
                best = c;
            }
        }
        colourOf[g] = best;
        ++uses[best];
    }

    std::vector<Rgb> colours;
    colours.reserve(classes.size());
    for (std::size_t i = 0; i < classes.size(); ++i)
        colours.push_back(palette[std::size_t(colourOf[groupOf[i]])]);
    return colours;
}
