#pragma once

#include "scheme/soiltex.h"

#include <string>
#include <vector>

// Classifies many compositions against one scheme that does not change meanwhile. The scheme's
// validity is checked once, here, instead of at every soiltex::PointLookup; the answers are the
// same. Keeps a reference: the scheme must outlive the classifier and stay unchanged.
class PointClassifier {
public:
    explicit PointClassifier(const soiltex& scheme);

    // soiltex::IsUsable at construction.
    bool SchemeIsValid() const { return mValid; }
    // Indices into scheme.Classes() of the classes that PointLookup(x, y, z) would return, in
    // its order. The reference stays valid until the next call.
    const std::vector<int>& Classify(double x, double y, double z);
    // Appends the texture text of the last Classify: the names joined by " / ", or "{ fail }".
    void AppendTextureText(std::string* out) const;

private:
    const soiltex& mScheme;
    bool mValid;
    std::vector<int> mIndices;
};
