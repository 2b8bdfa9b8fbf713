#include "cli/certaintycolumns.h"

#include <cmath>
#include <cstdint>
#include <ostream>

namespace {

constexpr int kShareDecimals = 6;
constexpr int kDistanceDecimals = 3;

} // namespace

void AppendFixed(double v, int decimals, std::string* out) {
    // Printf would do, but these columns are written for every row of a batch.
    std::uint64_t scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    std::uint64_t n = std::uint64_t(std::llround(v * double(scale)));
    char digits[32];
    char* end = digits + sizeof digits;
    char* p = end;
    for (int i = 0; i < decimals; ++i, n /= 10)
        *--p = char('0' + n % 10);
    if (decimals > 0)
        *--p = '.';
    do {
        *--p = char('0' + n % 10);
        n /= 10;
    } while (n > 0);
    out->append(p, std::size_t(end - p));
}

CertaintyColumns::CertaintyColumns(const soiltex& scheme, LabError error, bool perClass)
    : mCertainty(scheme, error), mPerClass(perClass) {}

std::vector<std::string> CertaintyColumns::Names(const soiltex& scheme, bool perClass,
                                                 const std::string& suffix) {
    std::vector<std::string> names;
    if (perClass)
        names = ClassNames(scheme).names;
    else
        names = {"share", "second", "second_share", "distance", "nearest"};
    for (std::string& name : names)
        name += suffix;
    return names;
}

void CertaintyColumns::Fill(const std::optional<Composition>& row,
                            std::vector<std::string>* values) {
    const std::vector<std::string>& names = mCertainty.Names().names;
    values->resize(mPerClass ? names.size() : 5);
    for (std::string& v : *values)
        v.clear();
    if (!row || !mCertainty.Compute(row->x, row->y, row->z, &mReport))
        return;
    const std::vector<double>& shares = mReport.shares;
    if (mPerClass) {
        for (std::size_t k = 0; k < shares.size(); ++k)
            AppendFixed(shares[k], kShareDecimals, &(*values)[k]);
        return;
    }
    AppendFixed(shares[std::size_t(mReport.own)], kShareDecimals, &(*values)[0]);
    double second = 0;
    for (int k : mReport.ranked) {
        if (k != mReport.own) {
            (*values)[1] = names[std::size_t(k)];
            second = shares[std::size_t(k)];
            break;
        }
    }
    AppendFixed(second, kShareDecimals, &(*values)[2]);
    if (mReport.nearest.across >= 0) {
        AppendFixed(mReport.nearest.distance, kDistanceDecimals, &(*values)[3]);
        (*values)[4] = names[std::size_t(mReport.nearest.across)];
    }
}

bool WriteCertaintyLines(Certainty& certainty, const Composition& c, const std::string& prefix,
                         std::ostream& out) {
    CertaintyReport report;
    if (!certainty.Compute(c.x, c.y, c.z, &report))
        return false;
    const std::vector<std::string>& names = certainty.Names().names;
    std::string text;
    for (int k : report.ranked) {
        text += prefix + names[std::size_t(k)] + '\t';
        AppendFixed(report.shares[std::size_t(k)], kShareDecimals, &text);
        text += '\n';
    }
    text += prefix + "distance\t";
    if (report.nearest.across < 0) {
        text += "-\n";
    } else {
        AppendFixed(report.nearest.distance, kDistanceDecimals, &text);
        text += '\t' + names[std::size_t(report.nearest.across)] + '\n';
    }
    out << text;
    return true;
}
