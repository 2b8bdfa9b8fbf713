#pragma once

#include "scheme/soiltex.h"

#include <string>
#include <vector>

// Whether a classifier checks the scheme's validity itself, or its caller already has (a scheme
// that LoadSchemeFile reported Loaded), so that a large scheme is not checked twice.
enum class SchemeCheck { Run, AlreadyDone };

// Classifies many compositions against one scheme that does not change meanwhile. The scheme's
// validity is checked once, here, instead of at every soiltex::PointLookup; the answers are the
// same. Keeps a reference: the scheme must outlive the classifier and stay unchanged.
class PointClassifier {
public:
    explicit PointClassifier(const soiltex& scheme, SchemeCheck check = SchemeCheck::Run);

    // soiltex::IsUsable at construction (or true when the caller has checked it).
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

// Appends the names of the classes (indices into scheme.Classes()) joined by " / ", or
// "{ fail }" for none.
void AppendTextureText(const soiltex& scheme, const std::vector<int>& indices, std::string* out);
