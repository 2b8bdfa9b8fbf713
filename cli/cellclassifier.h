#pragma once

#include "scheme/pointclassifier.h"
#include "scheme/soiltex.h"

#include <cstdint>
#include <string>
#include <vector>

// PointClassifier's answers at batch speed. The plane is cut into square cells of kCellSize;
// a cell that no edge of any class comes within kMargin of lies wholly inside or wholly outside
// every region, so all its points have the same classes, looked up once through the scheme.
// Points in the other cells, and every point of a scheme too large to grid, go to
// PointClassifier. The margin is far beyond the 1e-6 of the point location's vertex test and the
// rounding of its edge test, so the shortcut never changes an answer.
class CellClassifier {
public:
    static constexpr int kCells = 200; // per axis, over 0 to 100
    static constexpr double kCellSize = 100.0 / kCells;
    static constexpr double kMargin = 1e-3;

    // Same contract as PointClassifier: keeps a reference to the scheme.
    explicit CellClassifier(const soiltex& scheme);

    bool SchemeIsValid() const { return mClassifier.SchemeIsValid(); }
    // Appends the texture text of the composition (negative values missing, as for
    // PointLookup): the class names joined by " / ", or "{ fail }". True when a class holds it.
    bool AppendTexture(double x, double y, double z, std::string* out);
    // How many cells have their answer stored (for tests: 0 means no shortcut at all).
    int StoredCells() const;

private:
    void Build();

    const soiltex& mScheme;
    PointClassifier mClassifier;
    std::vector<int16_t> mCellText; // index into mTexts, or -1: ask the classifier
    std::vector<std::string> mTexts;
    std::vector<bool> mTextFound; // the text names a class (it is not "{ fail }")
};
