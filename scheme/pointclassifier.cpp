#include "scheme/pointclassifier.h"

#include "scheme/samplelookup.h"

PointClassifier::PointClassifier(const soiltex& scheme)
    : mScheme(scheme), mValid(scheme.IsUsable()) {}

const std::vector<int>& PointClassifier::Classify(double x, double y, double z) {
    mIndices.clear();
    if (mValid && soiltex::AcceptComposition(&x, &y, &z))
        mScheme.LocateClasses(x, y, &mIndices);
    return mIndices;
}

void PointClassifier::AppendTextureText(std::string* out) const {
    if (mIndices.empty()) {
        out->append(kFailText);
        return;
    }
    for (std::size_t i = 0; i < mIndices.size(); ++i) {
        if (i > 0)
            out->append(kClassSeparator);
        out->append(mScheme.Classes()[std::size_t(mIndices[i])].name);
    }
}
