#include "scheme/soiltex.h"
#include "util/futil.h"

#include <algorithm>
#include <stdexcept>

namespace {

// The border rules work on any list of candidates that knows each one's class id, so that the
// record lists of PointLookup and the index lists of the batch path share one implementation.
template <class Candidate, class IdOf>
void ApplyFirstMatchingRule(const std::vector<BorderRule>& rules, std::vector<Candidate>* list,
                            IdOf idOf) {
    const std::size_t n = list->size();
    for (const BorderRule& rule : rules) {
        if (rule.classIds.size() != n || rule.classIds.empty())
            continue;
        std::size_t present = 0;
        for (int32_t id : rule.classIds) {
            if (std::any_of(list->begin(), list->end(),
                            [&](const Candidate& c) { return idOf(c) == id; }))
                ++present;
        }
        if (present != rule.classIds.size())
            continue;
        list->erase(std::remove_if(list->begin(), list->end(),
                                   [&](const Candidate& c) {
                                       return std::find(rule.keepIds.begin(), rule.keepIds.end(),
                                                        idOf(c)) == rule.keepIds.end();
                                   }),
                    list->end());
        return;
    }
}

bool LimitsInOrder(double min, double max) {
    return futil::lt(min, max) && futil::ge(min, 0.0) && futil::le(max, 100.0);
}

} // namespace

bool soiltex::AcceptComposition(double* x, double* y, double* z) {
    // Missing means negative, tested without tolerance: -0.0000001 is missing, not zero.
    if (*x < 0) {
        if (*y < 0 || *z < 0)
            return false;
        *x = 100 - (*y + *z);
    } else if (*y < 0) {
        *y = 100 - (*x + *z);
    } else if (*z < 0) {
        *z = 100 - (*x + *y);
    }
    if (!futil::eq(*x + *y + *z, 100.0))
        return false;
    for (double v : {*x, *y, *z}) {
        if (!futil::ge(v, 0.0) || !futil::le(v, 100.0))
            return false;
    }
    return true;
}

void soiltex::LocateClasses(double x, double y, std::vector<int>* indices) const {
    indices->clear();
    for (std::size_t i = 0; i < mClasses.size(); ++i) {
        if (mClasses[i].region.Find(x, y) != PointLocation::Outside)
            indices->push_back(int(i));
    }
    ApplyBorderRules(indices);
}

void soiltex::ApplyBorderRules(std::vector<int>* indices) const {
    ApplyFirstMatchingRule(mBorders, indices, [this](int i) { return mClasses[i].id; });
}

std::vector<TextureClass> soiltex::PointLookup(double x, double y, double z) const {
    std::vector<TextureClass> result;
    if (!AcceptComposition(&x, &y, &z) || !IsUsable())
        return result;
    std::vector<int> indices;
    LocateClasses(x, y, &indices);
    result.reserve(indices.size());
    for (int i : indices)
        result.push_back(mClasses[std::size_t(i)]);
    return result;
}

void soiltex::AdjustForBorder(std::vector<TextureClass>* classes) const {
    if (classes == nullptr)
        throw std::invalid_argument("soiltex::AdjustForBorder");
    ApplyFirstMatchingRule(mBorders, classes, [](const TextureClass& c) { return c.id; });
}

polygon soiltex::RangePolygon(double xmin, double xmax, double ymin, double ymax, double zmin,
                              double zmax) const {
    if (!LimitsInOrder(xmin, xmax) || !LimitsInOrder(ymin, ymax) || !LimitsInOrder(zmin, zmax) ||
        !IsUsable())
        return polygon();
    polygon rectangle;
    rectangle.Add(xmin, ymin);
    rectangle.Add(xmax, ymin);
    rectangle.Add(xmax, ymax);
    rectangle.Add(xmin, ymax);
    // z = 100 - x - y: where z equals zmax or zmin on the lines y = ymax and y = ymin.
    polygon band;
    band.Add(100 - (zmax + ymax), ymax);
    band.Add(100 - (zmax + ymin), ymin);
    band.Add(100 - (zmin + ymin), ymin);
    band.Add(100 - (zmin + ymax), ymax);
    return rectangle.Intersect(band);
}

std::vector<TextureClass> soiltex::RangeLookup(double xmin, double xmax, double ymin, double ymax,
                                               double zmin, double zmax) const {
    std::vector<TextureClass> result;
    const polygon range = RangePolygon(xmin, xmax, ymin, ymax, zmin, zmax);
    if (range.Size() == 0)
        return result;
    for (const TextureClass& c : mClasses) {
        if (c.region.Intersect(range).Size() > 0)
            result.push_back(c);
    }
    RemoveCopies(&result);
    return result;
}

void soiltex::RemoveCopies(std::vector<TextureClass>* classes) {
    if (classes == nullptr)
        throw std::invalid_argument("soiltex::RemoveCopies");
    std::vector<TextureClass> kept;
    kept.reserve(classes->size());
    for (TextureClass& c : *classes) {
        if (std::none_of(kept.begin(), kept.end(),
                         [&c](const TextureClass& k) { return k.name == c.name; }))
            kept.push_back(std::move(c));
    }
    classes->swap(kept);
}
