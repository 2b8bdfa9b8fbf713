// Bytes as a recipe for a valid scheme: the triangle cut by lines into classes, with zero-area
// spikes reaching far outside it (up to the clipper's range) and random border rules. The batch
// classifier's grid shortcut must give every composition the classes the per-point lookup gives.
#include "scheme/cellclassifier.h"
#include "scheme/pointclassifier.h"
#include "scheme/soiltex.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

namespace {

class Recipe {
public:
    Recipe(const uint8_t* data, size_t size) : mData(data), mSize(size) {}
    bool More() const { return mAt < mSize; }
    unsigned Byte() { return mAt < mSize ? mData[mAt++] : 0; }
    // A percentage in steps of 0.0025, as scheme files write them.
    double Percent() { return double((Byte() * 256 + Byte()) % 40001) / 400.0; }
    // Mostly a coordinate of the triangle in steps of 0.0025 (as scheme files write them), now
    // and then one far away, up to 3e11 either way.
    double Coordinate() {
        const unsigned kind = Byte();
        if (kind >= 240)
            return (kind % 2 ? -1 : 1) * std::pow(10.0, 1 + Byte() % 11) * (1 + Byte() % 3);
        return double((kind * 256 + Byte()) % 40001) / 400.0; // the triangle's own steps
    }

private:
    const uint8_t* mData;
    size_t mSize;
    size_t mAt = 0;
};

polygon Triangle() {
    polygon p;
    p.Add(0, 0);
    p.Add(100, 0);
    p.Add(0, 100);
    return p;
}

// The half-plane to the left of the line through (x, y) with direction (dx, dy), as a square far
// larger than the triangle.
polygon HalfPlane(double x, double y, double dx, double dy) {
    const double length = std::hypot(dx, dy);
    dx *= 1000 / length;
    dy *= 1000 / length;
    polygon p;
    p.Add(x - dx, y - dy);
    p.Add(x + dx, y + dy);
    p.Add(x + dx - dy, y + dy + dx);
    p.Add(x - dx - dy, y - dy + dx);
    return p;
}

std::string SchemeText(const std::vector<polygon>& regions, const std::string& rules) {
    std::ostringstream text;
    text << std::setprecision(17) << "[texture]\nFuzzed\nx\ny\nz\n";
    for (std::size_t i = 0; i < regions.size(); ++i) {
        text << "C" << i << "\n" << i + 1 << "\n";
        for (const point& v : regions[i].Vertices())
            text << v.x << " " << v.y << "\n";
        text << "#\n";
    }
    text << "[border]\n" << rules;
    return text.str();
}

void Compare(CellClassifier& cells, PointClassifier& reference, double x, double y) {
    for (double z : {100 - x - y, -1.0}) {
        if (cells.Classify(x, y, z) != reference.Classify(x, y, z)) {
            std::fprintf(stderr, "gridshortcut_fuzzer: (%.17g, %.17g, %.17g) differs\n", x, y, z);
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Recipe recipe(data, size);
    std::vector<polygon> regions{Triangle()};
    std::string rules;
    while (recipe.More() && regions.size() < 40) {
        const unsigned op = recipe.Byte() % 4;
        polygon& region = regions[recipe.Byte() % regions.size()];
        if (op <= 1) { // cut a class in two
            const double x = recipe.Percent(), y = recipe.Percent();
            const double dx = int(recipe.Byte() % 9) - 4, dy = int(recipe.Byte() % 9) - 4;
            if (dx == 0 && dy == 0)
                continue;
            const polygon half = HalfPlane(x, y, dx, dy);
            polygon inside = region.Intersect(half);
            polygon outside = region.Clip(half, ClipDifference);
            if (inside.Size() < 3 || outside.Size() < 3)
                continue;
            region = inside;
            regions.push_back(outside);
        } else if (op == 2) { // a spike out of a vertex and back
            if (region.Size() == 0)
                continue;
            const std::size_t at = recipe.Byte() % region.Vertices().size();
            std::vector<point> v = region.Vertices();
            const point far{recipe.Coordinate(), recipe.Coordinate()};
            v.insert(v.begin() + long(at) + 1, {far, v[at]});
            polygon spiked;
            for (const point& p : v)
                spiked.Add(p.x, p.y);
            region = spiked;
        } else { // a border rule between two or three classes
            const unsigned n = regions.size();
            rules += std::to_string(recipe.Byte() % n + 1) + " " +
                     std::to_string(recipe.Byte() % n + 1) + " = " +
                     std::to_string(recipe.Byte() % n + 1) + "\n#\n";
        }
    }

    std::stringstream text(SchemeText(regions, rules));
    soiltex scheme;
    scheme.LoadScheme(text);
    if (!scheme.IsUsable())
        return 0;
    CellClassifier cells(scheme);
    PointClassifier reference(scheme);
    // Every vertex within the triangle and next to it, the middles of the edges, and a coarse
    // grid with points on the cell borders.
    for (const TextureClass& c : scheme.Classes()) {
        const std::vector<point>& v = c.region.Vertices();
        for (std::size_t k = 0; k < v.size(); ++k) {
            const point& a = v[k];
            const point& b = v[(k + 1) % v.size()];
            for (double d : {-1.5e-6, -1e-6, 0.0, 1e-6, 1.5e-6}) {
                Compare(cells, reference, a.x + d, a.y);
                Compare(cells, reference, a.x, a.y + d);
            }
            Compare(cells, reference, (a.x + b.x) / 2, (a.y + b.y) / 2);
        }
    }
    for (int i = 0; i <= 100; i += 3)
        for (int j = 0; i + j <= 100; j += 3)
            Compare(cells, reference, i + (j % 2) * 0.5, j);
    return 0;
}
