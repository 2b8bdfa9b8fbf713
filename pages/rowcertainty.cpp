#include "pages/rowcertainty.h"

#include <QStringList>
#include <cmath>

namespace {

constexpr double kNoShare = 5e-7; // below it a share prints as nothing

// A share in whole percent that never says 100 of a class that is not certain, nor 0 of one
// that may be.
QString WholePercent(double share) {
    const long percent = std::lround(share * 100);
    if (percent >= 100 && share < 1 - kNoShare)
        return "99 %";
    if (percent <= 0 && share > kNoShare)
        return "<1 %";
    return QString::number(percent) + " %";
}

} // namespace

QString LabErrorText(LabError error) {
    return (error.model == ErrorModel::Uniform ? QString::fromUtf8("± ") : QString("sd ")) +
           QString::number(error.size);
}

std::optional<LabError> LabErrorFromSetting(const QString& model, const QString& size) {
    bool ok = false;
    const double value = size.toDouble(&ok);
    if (!ok || !(value > 0) || value > kLargestLabError)
        return std::nullopt;
    if (model == LabErrorModelSetting(ErrorModel::Uniform))
        return LabError{ErrorModel::Uniform, value};
    if (model == LabErrorModelSetting(ErrorModel::Normal))
        return LabError{ErrorModel::Normal, value};
    return std::nullopt;
}

QString LabErrorModelSetting(ErrorModel model) {
    return model == ErrorModel::Uniform ? "uniform" : "normal";
}

RowCertainty::RowCertainty(const soiltex& scheme, LabError error)
    : mScheme(scheme), mError(error), mCertainty(mScheme, error) {}

const CertaintyNote& RowCertainty::Note(int row, const Composition& c) {
    if (row >= int(mKept.size()))
        mKept.resize(std::size_t(row) + 1);
    Kept& kept = mKept[std::size_t(row)];
    if (kept.c.x == c.x && kept.c.y == c.y && kept.c.z == c.z)
        return kept.note;
    kept.c = c;
    kept.note = {};
    if (!mCertainty.Compute(c.x, c.y, c.z, &mReport))
        return kept.note;
    const std::vector<std::string>& names = mCertainty.Names().names;
    const auto name = [&](int k) { return QString::fromStdString(names[std::size_t(k)]); };
    kept.note.brief = WholePercent(mReport.shares[std::size_t(mReport.own)]);
    QStringList lines{"Under a lab error of " + LabErrorText(mError) + ":"};
    for (int k : mReport.ranked)
        lines << name(k) + "  " + QString::number(mReport.shares[std::size_t(k)] * 100, 'f', 1) +
                     " %";
    if (mReport.nearest.across >= 0) {
        const QString distance = QString::number(mReport.nearest.distance, 'f', 1);
        kept.note.brief += "  " + distance + " from " + name(mReport.nearest.across);
        lines << "Nearest other class: " + name(mReport.nearest.across) + ", " + distance +
                     " points away";
    }
    kept.note.shares = lines.join('\n');
    return kept.note;
}
