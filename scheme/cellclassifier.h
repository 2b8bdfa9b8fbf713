#pragma once

#include "scheme/pointclassifier.h"
#include "scheme/soiltex.h"

#include <cstdint>
#include <string>
#include <vector>

// PointClassifier's answers at batch speed. The plane is cut into square cells of kCellSize.
// A cell that no edge of any class comes within kMargin of lies wholly inside or wholly outside
// every region, so all its points have the same classes, looked up once. In the other cells
// only the classes whose edges come near the cell or that hold it are searched. Points outside
// the grid, and every point of a scheme too large to grid, are looked up in every class. The
// margin is far beyond the 1e-6 of the point location's vertex and edge tests, so the shortcut
// never changes an answer.
class CellClassifier {
public:
    static constexpr int kCells = 400; // per axis, over 0 to 100
    static constexpr double kCellSize = 100.0 / kCells;
    static constexpr double kMargin = 1e-3;

    // Same contract as PointClassifier: keeps a reference to the scheme.
    explicit CellClassifier(const soiltex& scheme, SchemeCheck check = SchemeCheck::Run);

    bool SchemeIsValid() const { return mValid; }
    // Indices into scheme.Classes() of the classes that PointLookup(x, y, z) would return, in its
    // order. The reference stays valid until the next call.
    const std::vector<int>& Classify(double x, double y, double z);
    // Appends the texture text of the composition (negative values missing, as for
    // PointLookup): the class names joined by " / ", or "{ fail }". True when a class holds it.
    bool AppendTexture(double x, double y, double z, std::string* out);
    // How many cells have their answer stored (for tests: 0 means no shortcut at all).
    int StoredCells() const;

private:
    // What the points of a cell share: a stored answer, or the classes to search. Cells are
    // of few kinds (under 150 in every bundled scheme), so the grid holds a small index per
    // cell: a random point then reads one byte of a grid that stays in the cache, not a wide
    // record of a grid that does not.
    struct Kind {
        int32_t answer = -1; // index into mAnswers, or -1: search the candidates
        uint32_t first = 0;  // the candidates: mCandidates[first, first + count)
        uint32_t count = 0;
    };
    using KindIndex = uint16_t;

    void Build();
    // False when the kinds would overflow KindIndex: then there is no grid.
    bool AddKind(const Kind& kind);
    // The kind of an accepted composition's cell, or nullptr when there is no grid or it lies
    // off it.
    const Kind* KindOf(double x, double y) const;

    const soiltex& mScheme;
    bool mValid;
    // Per cell, an index into mKinds: in mSmallCells when there are at most 256 kinds, else in
    // mCells. Both empty: no grid.
    std::vector<uint8_t> mSmallCells;
    std::vector<KindIndex> mCells;
    std::vector<Kind> mKinds;
    std::vector<int> mCandidates;
    std::vector<std::vector<int>> mAnswers;
    std::vector<std::string> mTexts; // the texture text of each answer
    std::vector<int> mIndices;
};
