#include "scheme/soiltex.h"

#include "geometry/boxsweep.h"
#include "util/futil.h"

#include <cmath>
#include <iomanip>
#include <locale>
#include <sstream>
#include <stdexcept>

namespace {

constexpr double kTriangleArea = 5000.0;

std::string Label(const TextureClass& c) {
    return c.name + " (" + std::to_string(c.id) + ")";
}

std::string Number(double v) {
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << std::setprecision(12) << v;
    return text.str();
}

// The lowest class index i that overlaps some later class j, or classes.size() when none does:
// the answer of testing every pair in order, with the clipper run only on overlapping boxes.
// Every coordinate must be within the clipper's range.
std::size_t FirstOverlappingClass(const std::vector<TextureClass>& classes, std::size_t* other) {
    std::vector<Box> boxes;
    boxes.reserve(classes.size());
    for (const TextureClass& c : classes)
        boxes.push_back(c.region.Size() < 3 ? Box{0, 0, 0, 0} : BoundsOf(c.region));
    std::size_t first = classes.size();
    ForEachOverlappingBoxPair(boxes, [&](std::size_t i, std::size_t j) {
        if (i > first || (i == first && j >= *other))
            return; // cannot lower the answer
        if (classes[i].region.Intersect(classes[j].region).Size() > 0) {
            first = i;
            *other = j;
        }
    });
    return first;
}

} // namespace

soiltex::soiltex() {
    Clear();
}

void soiltex::Clear() {
    mName.clear();
    mXName = "x";
    mYName = "y";
    mZName = "z";
    mClasses.clear();
    mBorders.clear();
}

TextureClass soiltex::GetClass(int32_t index) const {
    if (index < 0 || index >= GetClassCount())
        throw std::out_of_range("invalid vector<T> subscript");
    return mClasses[std::size_t(index)];
}

bool soiltex::IsValidScheme() const {
    return Validate(nullptr);
}

bool soiltex::Validate(std::string* reason) const {
    const auto fail = [reason](const std::string& why) {
        if (reason != nullptr)
            *reason = why;
        return false;
    };
    if (mClasses.empty())
        return fail("there are no texture classes");
    // Before any clipping: a lookup on a scheme accepted here must never meet a coordinate that
    // the clipper refuses.
    for (const TextureClass& c : mClasses) {
        if (c.region.InClipRange())
            continue;
        for (const point& v : c.region.Vertices()) {
            for (double value : {v.x, v.y}) {
                if (std::isnan(value))
                    return fail("a vertex of " + Label(c) + " is not a number");
                if (!(std::fabs(value) <= polygon::ClipLimit()))
                    return fail("the vertex (" + Number(v.x) + ", " + Number(v.y) + ") of " +
                                Label(c) + " is out of range (beyond " +
                                Number(polygon::ClipLimit()) + ")");
            }
        }
    }
    std::size_t other = 0;
    const std::size_t firstOverlap = FirstOverlappingClass(mClasses, &other);
    double total = 0.0;
    for (std::size_t i = 0; i < mClasses.size(); ++i) {
        // Class i's pairs with later classes are examined before its area is measured.
        if (i == firstOverlap)
            return fail(Label(mClasses[i]) + " and " + Label(mClasses[other]) + " overlap");
        total += mClasses[i].region.Area();
    }
    if (!futil::eq(total, kTriangleArea))
        return fail("the class areas add up to " + Number(total) + ", not 5000");
    return true;
}

std::string soiltex::InvalidityReason() const {
    std::string reason;
    try {
        if (Validate(&reason))
            return std::string();
    } catch (const std::exception&) {
        // Only a region of fewer than three vertices can throw once the range is known good.
        for (const TextureClass& c : mClasses) {
            if (c.region.Size() < 3)
                return Label(c) + " has fewer than three vertices";
        }
        return "the classes cannot be measured";
    }
    return reason;
}

bool soiltex::IsUsable() const {
    try {
        return IsValidScheme();
    } catch (const std::exception&) {
        return false;
    }
}
