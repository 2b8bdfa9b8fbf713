#include "scheme/cellclassifier.h"

#include "geometry/boxsweep.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <map>
#include <optional>
#include <utility>

namespace {

constexpr int kCells = CellClassifier::kCells;
constexpr double kCellSize = CellClassifier::kCellSize;
constexpr double kMargin = CellClassifier::kMargin;

// Whether the segment from a to b meets the closed box (Liang-Barsky clipping).
bool SegmentMeetsBox(const point& a, const point& b, const Box& box) {
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - box.minX, box.maxX - a.x, a.y - box.minY, box.maxY - a.y};
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

// Clamped while still a double: a vertex far outside the triangle (1e10) must not overflow int.
int CellIndex(double v) {
    if (!(v > 0))
        return 0;
    if (v >= 100)
        return kCells - 1;
    return std::min(int(v / kCellSize), kCells - 1);
}

Box CellBox(int i, int j) {
    return {i * kCellSize - kMargin, j * kCellSize - kMargin, (i + 1) * kCellSize + kMargin,
            (j + 1) * kCellSize + kMargin};
}

// Cells that hold points of the triangle: i + j <= kCells (x + y = 100 runs through the cells
// whose lower corners sum to 100).
bool InTriangle(int i, int j) {
    return i + j <= kCells;
}

// (cell, class) pairs grouped by cell: the classes of cell c are classes[first[c], first[c + 1]),
// in the order the pairs came in (a counting sort: stable, and linear in the pairs).
struct CellLists {
    std::vector<uint32_t> first;
    std::vector<int> classes;
};

CellLists GroupByCell(const std::vector<std::pair<uint32_t, int>>& pairs, std::size_t cells) {
    CellLists lists;
    lists.first.assign(cells + 1, 0);
    for (const auto& [cell, index] : pairs)
        ++lists.first[cell + 1];
    for (std::size_t c = 0; c < cells; ++c)
        lists.first[c + 1] += lists.first[c];
    std::vector<uint32_t> next(lists.first.begin(), lists.first.end() - 1);
    lists.classes.resize(pairs.size());
    for (const auto& [cell, index] : pairs)
        lists.classes[next[cell]++] = index;
    return lists;
}

// Beyond this many cell tests the grid costs more than it saves.
constexpr long long kMaxCellTests = 40'000'000;

} // namespace

CellClassifier::CellClassifier(const soiltex& scheme, SchemeCheck check)
    : mScheme(scheme), mValid(check == SchemeCheck::AlreadyDone || scheme.IsUsable()) {
    if (mValid)
        Build();
}

void CellClassifier::Build() {
    const std::size_t cells = std::size_t(kCells) * kCells;
    // (cell, class) pairs, in class order: the classes with an edge near a cell, and the others
    // holding it. lastNear keeps each cell's list free of repeats.
    std::vector<std::pair<uint32_t, int>> nearEdge, holding;
    std::vector<int> lastNear(cells, -1);
    long long tests = 0;
    const std::vector<TextureClass>& classes = mScheme.Classes();
    for (std::size_t c = 0; c < classes.size(); ++c) {
        const int index = int(c);
        const std::vector<point>& v = classes[c].region.Vertices();
        for (std::size_t k = 0; k < v.size(); ++k) {
            const point& a = v[k];
            const point& b = v[(k + 1) % v.size()];
            const int i0 = CellIndex(std::min(a.x, b.x) - kMargin);
            const int i1 = CellIndex(std::max(a.x, b.x) + kMargin);
            const int j0 = CellIndex(std::min(a.y, b.y) - kMargin);
            const int j1 = CellIndex(std::max(a.y, b.y) + kMargin);
            tests += (long long)(i1 - i0 + 1) * (j1 - j0 + 1);
            if (tests > kMaxCellTests)
                return; // no grid: every point is looked up in every class
            for (int i = i0; i <= i1; ++i) {
                for (int j = j0; j <= j1; ++j) {
                    const uint32_t cell = uint32_t(i * kCells + j);
                    if (lastNear[cell] != index && SegmentMeetsBox(a, b, CellBox(i, j))) {
                        lastNear[cell] = index;
                        nearEdge.emplace_back(cell, index);
                    }
                }
            }
        }
        // Cells of the bounding box that no edge of the class comes near are wholly inside or
        // wholly outside it.
        const Box box = BoundsOf(classes[c].region);
        const int i0 = CellIndex(box.minX), i1 = CellIndex(box.maxX);
        const int j0 = CellIndex(box.minY), j1 = CellIndex(box.maxY);
        tests += (long long)(i1 - i0 + 1) * (j1 - j0 + 1);
        if (tests > kMaxCellTests)
            return;
        // A run of such cells in a column is a strip that no edge crosses (an edge through it
        // would come near one of its cells), so one point tells for the whole run.
        for (int i = i0; i <= i1; ++i) {
            std::optional<bool> inside; // of the current run
            for (int j = j0; j <= j1 && InTriangle(i, j); ++j) {
                const uint32_t cell = uint32_t(i * kCells + j);
                if (lastNear[cell] == index) {
                    inside.reset();
                    continue;
                }
                if (!inside)
                    inside = classes[c].region.Find((i + 0.5) * kCellSize, (j + 0.5) * kCellSize) !=
                             PointLocation::Outside;
                if (*inside)
                    holding.emplace_back(cell, index);
            }
        }
    }
    const CellLists near = GroupByCell(nearEdge, cells);
    const CellLists hold = GroupByCell(holding, cells);

    // Cells with the same holding classes share an answer, and cells with the same classes to
    // search share one candidate list: each is a kind, settled once.
    std::map<std::vector<int>, KindIndex> answerKind, searchKind;
    std::map<std::vector<int>, int32_t> known; // answers after the border rules
    std::vector<KindIndex> grid(cells);
    std::vector<int> list, previous;
    KindIndex previousKind = 0;
    bool havePrevious = false;
    for (std::size_t cell = 0; cell < cells; ++cell) {
        const bool nearAny = near.first[cell] != near.first[cell + 1];
        list.assign(hold.classes.begin() + hold.first[cell],
                    hold.classes.begin() + hold.first[cell + 1]);
        if (!nearAny && havePrevious && list == previous) {
            grid[cell] = previousKind; // neighbours mostly agree: no map search
            continue;
        }
        if (nearAny) {
            // Both lists are in class order; so is their merge.
            std::vector<int> merged;
            std::merge(near.classes.begin() + near.first[cell],
                       near.classes.begin() + near.first[cell + 1], list.begin(), list.end(),
                       std::back_inserter(merged));
            auto found = searchKind.find(merged);
            if (found == searchKind.end()) {
                Kind kind;
                kind.first = uint32_t(mCandidates.size());
                kind.count = uint32_t(merged.size());
                mCandidates.insert(mCandidates.end(), merged.begin(), merged.end());
                if (!AddKind(kind))
                    return;
                found = searchKind.emplace(std::move(merged), KindIndex(mKinds.size() - 1)).first;
            }
            grid[cell] = found->second;
            continue;
        }
        auto found = answerKind.find(list);
        if (found == answerKind.end()) {
            std::vector<int> kept = list;
            mScheme.ApplyBorderRules(&kept);
            auto it = known.find(kept);
            if (it == known.end()) {
                mTexts.emplace_back();
                AppendTextureText(mScheme, kept, &mTexts.back());
                mAnswers.push_back(kept);
                it = known.emplace(kept, int32_t(mAnswers.size() - 1)).first;
            }
            Kind kind;
            kind.answer = it->second;
            if (!AddKind(kind))
                return;
            found = answerKind.emplace(list, KindIndex(mKinds.size() - 1)).first;
        }
        grid[cell] = previousKind = found->second;
        previous.swap(list);
        havePrevious = true;
    }
    if (mKinds.size() <= 256)
        mSmallCells.assign(grid.begin(), grid.end());
    else
        mCells = std::move(grid);
}

bool CellClassifier::AddKind(const Kind& kind) {
    if (mKinds.size() > std::numeric_limits<KindIndex>::max()) {
        mKinds.clear(); // beyond any real scheme; without a grid the answers are still right
        return false;
    }
    mKinds.push_back(kind);
    return true;
}

const CellClassifier::Kind* CellClassifier::KindOf(double x, double y) const {
    if (mKinds.empty() || !(x >= 0 && y >= 0 && x <= 100 && y <= 100))
        return nullptr;
    const std::size_t cell = std::size_t(CellIndex(x)) * kCells + std::size_t(CellIndex(y));
    return &mKinds[mSmallCells.empty() ? mCells[cell] : mSmallCells[cell]];
}

const std::vector<int>& CellClassifier::Classify(double x, double y, double z) {
    mIndices.clear();
    if (!mValid || !soiltex::AcceptComposition(&x, &y, &z))
        return mIndices;
    const Kind* cell = KindOf(x, y);
    if (cell == nullptr) {
        mScheme.LocateClasses(x, y, &mIndices);
        return mIndices;
    }
    if (cell->answer >= 0)
        return mAnswers[std::size_t(cell->answer)];
    const std::vector<TextureClass>& classes = mScheme.Classes();
    for (uint32_t k = cell->first; k < cell->first + cell->count; ++k) {
        const int c = mCandidates[k];
        if (classes[std::size_t(c)].region.Find(x, y) != PointLocation::Outside)
            mIndices.push_back(c);
    }
    mScheme.ApplyBorderRules(&mIndices);
    return mIndices;
}

bool CellClassifier::AppendTexture(double x, double y, double z, std::string* out) {
    double cx = x, cy = y, cz = z;
    if (mValid && soiltex::AcceptComposition(&cx, &cy, &cz)) {
        const Kind* cell = KindOf(cx, cy);
        if (cell != nullptr && cell->answer >= 0) {
            out->append(mTexts[std::size_t(cell->answer)]);
            return !mAnswers[std::size_t(cell->answer)].empty();
        }
    }
    const std::vector<int>& classes = Classify(x, y, z);
    AppendTextureText(mScheme, classes, out);
    return !classes.empty();
}

int CellClassifier::StoredCells() const {
    const auto stored = [this](KindIndex k) { return mKinds[k].answer >= 0; };
    return int(std::count_if(mSmallCells.begin(), mSmallCells.end(), stored) +
               std::count_if(mCells.begin(), mCells.end(), stored));
}
