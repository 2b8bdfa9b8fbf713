#include "cli/cellclassifier.h"

#include "scheme/samplelookup.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

struct Box {
    double x0, y0, x1, y1;
};

// Whether the segment from a to b meets the closed box (Liang-Barsky clipping).
bool SegmentMeetsBox(const point& a, const point& b, const Box& box) {
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - box.x0, box.x1 - a.x, a.y - box.y0, box.y1 - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

int CellIndex(double v) {
    return std::clamp(int(std::floor(v / CellClassifier::kCellSize)), 0, CellClassifier::kCells - 1);
}

// Beyond this many cell tests the grid costs more than it saves.
constexpr long long kMaxEdgeCellTests = 20'000'000;

} // namespace

CellClassifier::CellClassifier(const soiltex& scheme) : mScheme(scheme), mClassifier(scheme) {
    if (mClassifier.SchemeIsValid())
        Build();
}

void CellClassifier::Build() {
    constexpr int n = kCells;
    std::vector<bool> nearEdge(std::size_t(n) * n, false);
    long long tests = 0;
    for (const TextureClass& c : mScheme.Classes()) {
        const std::vector<point>& v = c.region.Vertices();
        for (std::size_t k = 0; k < v.size(); ++k) {
            const point& a = v[k];
            const point& b = v[(k + 1) % v.size()];
            if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) ||
                !std::isfinite(b.y))
                return; // no grid: everything goes to the classifier
            const int i0 = CellIndex(std::min(a.x, b.x) - kMargin);
            const int i1 = CellIndex(std::max(a.x, b.x) + kMargin);
            const int j0 = CellIndex(std::min(a.y, b.y) - kMargin);
            const int j1 = CellIndex(std::max(a.y, b.y) + kMargin);
            tests += (long long)(i1 - i0 + 1) * (j1 - j0 + 1);
            if (tests > kMaxEdgeCellTests)
                return;
            for (int i = i0; i <= i1; ++i) {
                for (int j = j0; j <= j1; ++j) {
                    const Box box{i * kCellSize - kMargin, j * kCellSize - kMargin,
                                  (i + 1) * kCellSize + kMargin, (j + 1) * kCellSize + kMargin};
                    if (SegmentMeetsBox(a, b, box))
                        nearEdge[std::size_t(i) * n + j] = true;
                }
            }
        }
    }

    mCellText.assign(std::size_t(n) * n, -1);
    std::map<std::vector<int>, int16_t> known;
    std::vector<int> found;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; i + j <= n; ++j) {
            if (j >= n || nearEdge[std::size_t(i) * n + j])
                continue;
            mScheme.LocateClasses((i + 0.5) * kCellSize, (j + 0.5) * kCellSize, &found);
            auto it = known.find(found);
            if (it == known.end()) {
                std::vector<TextureClass> classes;
                for (int index : found)
                    classes.push_back(mScheme.Classes()[std::size_t(index)]);
                mTexts.push_back(TextureText(classes));
                mTextFound.push_back(!classes.empty());
                it = known.emplace(found, int16_t(mTexts.size() - 1)).first;
            }
            mCellText[std::size_t(i) * n + j] = it->second;
        }
    }
}

bool CellClassifier::AppendTexture(double x, double y, double z, std::string* out) {
    if (!mCellText.empty()) {
        double cx = x, cy = y, cz = z;
        if (!soiltex::AcceptComposition(&cx, &cy, &cz)) {
            out->append(kFailText);
            return false;
        }
        if (cx >= 0 && cy >= 0 && cx <= 100 && cy <= 100) {
            const int16_t text = mCellText[std::size_t(CellIndex(cx)) * kCells + CellIndex(cy)];
            if (text >= 0) {
                out->append(mTexts[std::size_t(text)]);
                return mTextFound[std::size_t(text)];
            }
        }
    }
    const bool found = !mClassifier.Classify(x, y, z).empty();
    mClassifier.AppendTextureText(out);
    return found;
}

int CellClassifier::StoredCells() const {
    return int(std::count_if(mCellText.begin(), mCellText.end(), [](int16_t t) { return t >= 0; }));
}
