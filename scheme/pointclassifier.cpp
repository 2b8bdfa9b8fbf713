#include "scheme/pointclassifier.h"

#include "scheme/samplelookup.h"

PointClassifier::PointClassifier(const soiltex& scheme, SchemeCheck check)
    : mScheme(scheme), mValid(check == SchemeCheck::AlreadyDone || scheme.IsUsable()) {}

const std::vector<int>& PointClassifier::Classify(double x, double y, double z) {
    mIndices.clear();
    if (mValid && soiltex::AcceptComposition(&x, &y, &z))
        mScheme.LocateClasses(x, y, &mIndices);
    return mIndices;
}

void PointClassifier::AppendTextureText(std::string* out) const {
    ::AppendTextureText(mScheme, mIndices, out);
}

void AppendTextureText(const soiltex& scheme, const std::vector<int>& indices, std::string* out) {
    if (indices.empty()) {
        out->append(kFailText);
        return;
    }
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if (i > 0)
            out->append(kClassSeparator);
        out->append(scheme.Classes()[std::size_t(indices[i])].name);
    }
}
