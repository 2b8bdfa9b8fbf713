#include "chart/errorregions.h"

#include "scheme/classshares.h"

namespace {

constexpr double kNormalProbability = 0.95;

polygon Triangle() {
    polygon t;
    t.Add(0, 0);
    t.Add(100, 0);
    t.Add(0, 100);
    return t;
}

} // namespace

std::vector<polygon> ErrorRegions(const ChartModel& model) {
    std::vector<polygon> regions;
    if (!model.mLabError || !model.mbSamples || model.mPoints.size() > kMostErrorRegions)
        return regions;
    const LabError error = *model.mLabError;
    const polygon triangle = Triangle();
    regions.reserve(model.mPoints.size());
    for (const point& p : model.mPoints) {
        if (error.model == ErrorModel::Uniform) {
            regions.push_back(ClassShares::UniformRegion(p.x, p.y, error.size));
            continue;
        }
        const polygon ellipse = ClassShares::NormalRegion(p.x, p.y, error.size, kNormalProbability);
        regions.push_back(ellipse.Size() < 3 ? ellipse : ellipse.Intersect(triangle));
    }
    return regions;
}
